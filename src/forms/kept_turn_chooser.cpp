#include "forms/kept_turn_chooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp1252.h"

namespace trevanor {

QString kept_turn_text(const KeptTurn& turn) {
    const int allies = static_cast<int>(turn.allies.size());
    return QStringLiteral("%1 \u2014 %2 fleets, %3")
        .arg(fromCp1252(turn.label))
        .arg(turn.fleets)
        .arg(allies == 1 ? QStringLiteral("1 ally report") : QStringLiteral("%1 ally reports").arg(allies));
}

KeptTurnChooser::KeptTurnChooser(QWidget* parent, const std::vector<KeptTurn>& turns) : QDialog(parent) {
    setObjectName(QStringLiteral("KeptTurnChooser"));
    setWindowTitle(QStringLiteral("Compare with earlier reports"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Turns kept of this game, newest first:"), this));
    KeptTurns_LB = new QListWidget(this);
    KeptTurns_LB->setObjectName(QStringLiteral("KeptTurns_LB"));
    for (const KeptTurn& turn : turns) KeptTurns_LB->addItem(kept_turn_text(turn));
    KeptTurns_LB->setCurrentRow(0);
    KeptTurns_LB->setMinimumWidth(KeptTurns_LB->sizeHintForColumn(0) + 40);
    layout->addWidget(KeptTurns_LB);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* compare = buttons->addButton(QStringLiteral("&Compare"), QDialogButtonBox::AcceptRole);
    compare->setObjectName(QStringLiteral("CompareTurn_BTN"));
    compare->setDefault(true);
    QPushButton* other = buttons->addButton(QStringLiteral("&Other files\u2026"), QDialogButtonBox::ActionRole);
    other->setObjectName(QStringLiteral("OtherFiles_BTN"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelTurn_BTN"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        choice_ = Choice::Turn;
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(other, &QPushButton::clicked, this, [this] {
        choice_ = Choice::OtherFiles;
        accept();
    });
    connect(KeptTurns_LB, &QListWidget::itemDoubleClicked, this, [this] {
        choice_ = Choice::Turn;
        accept();
    });
}

KeptTurnChooser::Choice KeptTurnChooser::choose(std::size_t& turn) {
    choice_ = Choice::Cancel;
    if (exec() != QDialog::Accepted) return Choice::Cancel;
    if (choice_ == Choice::Turn) {
        if (KeptTurns_LB->currentRow() < 0) return Choice::Cancel;
        turn = static_cast<std::size_t>(KeptTurns_LB->currentRow());
    }
    return choice_;
}

}  // namespace trevanor
