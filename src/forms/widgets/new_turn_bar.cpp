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

QString NewTurnBar::text_of(const NewTurnNews& news) {
    QString text = QStringLiteral("New reports written at %1").arg(news.written.toString(QStringLiteral("HH:mm")));
    if (news.alliesWaited > 0)
        text += QStringLiteral(" (%1 of %2 files so far)").arg(news.filesWritten).arg(news.files);
    // "D": the map's "R" is its routes' and its ranges' key.
    return text + QStringLiteral(" \u2014 Rea&d them");
}

void NewTurnBar::tell(const NewTurnNews& news) {
    setText(text_of(news));
    show();
    raise();  // over the picture it lies on
}

}  // namespace trevanor
