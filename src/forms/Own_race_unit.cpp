#include "forms/Own_race_unit.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/application.h"
#include "model/own_race.h"
#include "model/text.h"
#include "platform/cp1252.h"

namespace trevanor {

TOwn_race_Fm::TOwn_race_Fm(Application& app) : QDialog(nullptr), app_(app) {
    setObjectName(QStringLiteral("TOwn_race_Fm"));
    setWindowTitle(QStringLiteral("Select Own Race"));
    runModal = [](TOwn_race_Fm& window) { window.exec(); };

    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("Please set own race"), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    auto* row = new QHBoxLayout;
    Own_CBx = new QComboBox(this);
    Own_CBx->setObjectName(QStringLiteral("Own_CBx"));
    Own_CBx->setEditable(false);
    row->addWidget(Own_CBx, 1);
    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setEnabled(false);
    row->addWidget(Button1);
    layout->addLayout(row);
    auto* note = new QLabel(QStringLiteral("This window will not appear on MAP file reload after setting the Own Race. "
                                           "You will be able to change own race in Options."),
                            this);
    note->setWordWrap(true);
    note->setFixedWidth(246 - 2 * layout->contentsMargins().left());
    layout->addWidget(note);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // sized to its contents

    connect(Own_CBx, &QComboBox::currentIndexChanged, this, [this] { Own_CBxChange(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TOwn_race_Fm::showmodal(int n) {
    const Session& s = app_.session;
    Own_CBx->clear();
    Own_CBx->addItem(fromCp1252(std::string(kNoRace)));
    for (const auto& item : s.main.ownRaceItems) Own_CBx->addItem(fromCp1252(item.caption));
    Own_CBx->setCurrentIndex(-1);
    if (n >= 1 && n <= kPlayers) {
        const std::string& name = s.Players[static_cast<std::size_t>(n)].Name;
        for (int i = 0; i < Own_CBx->count(); ++i)
            if (!name.empty() && equal_ci(toCp1252(Own_CBx->itemText(i)), name)) {
                Own_CBx->setCurrentIndex(i);
                break;
            }
    }
    // OK only with a race chosen: an empty choice would be stored as the own race.
    Own_CBxChange();
    runModal(*this);
}

void TOwn_race_Fm::Own_CBxChange() { Button1->setEnabled(!Own_CBx->currentText().isEmpty()); }

void TOwn_race_Fm::Button1Click() {
    const std::string choice = toCp1252(Own_CBx->currentText());
    if (choice.empty()) return;
    app_.run([this, &choice] { set_own_race(app_.session, app_.settings, choice, OwnRaceChange::Chosen); });
    accept();
}

}  // namespace trevanor
