#include "forms/widgets/new_turn_bar.h"

#include <QLocale>

namespace trevanor {

NewTurnBar::NewTurnBar(QWidget* parent, std::function<void()> read) : QPushButton(parent) {
    setObjectName(QStringLiteral("NewTurn_BAR"));
    setFlat(true);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Button, QColor(255, 242, 184));  // a note's yellow, in light and dark themes alike
    p.setColor(QPalette::Window, QColor(255, 242, 184));
    p.setColor(QPalette::ButtonText, Qt::black);
    setPalette(p);
    setFocusPolicy(Qt::NoFocus);  // the calculator keeps its keys
    connect(this, &QPushButton::clicked, this, [read = std::move(read)] { read(); });
    hide();
}

void NewTurnBar::tell(const QDateTime& written) {
    setText(QStringLiteral("New reports written at %1 \u2014 &Read them").arg(written.toString(QStringLiteral("HH:mm"))));
    show();
}

}  // namespace trevanor
