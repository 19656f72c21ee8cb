#include "forms/remove.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/named.h"
#include "forms/widgets/text_table_view.h"
#include "model/scanner_list.h"

namespace trevanor {

TRemove_FM::TRemove_FM(Application& app) : ToolWindow(app, "TRemove_FM", "List of scanners") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    Label1 = named(new QLabel(QStringLiteral("Double click to remove an item"), this), "Label1");
    QFont italic = Label1->font();
    italic.setItalic(true);
    Label1->setFont(italic);
    layout->addWidget(Label1);
    // Name, non-penetrating and penetrating range; kind, centre and colour are kept hidden.
    memo_grid = named(new TextGrid(app.session.scannerRanges, {265, 40, 40}, false, this), "memo_grid");
    memo_grid->verticalHeader()->setDefaultSectionSize(16);
    for (int c = scan_col::Kind; c < kScanColumns; ++c) memo_grid->setColumnHidden(c, true);
    layout->addWidget(memo_grid, 1);
    auto* buttons = new QHBoxLayout;
    Clear_BTN = named(new QPushButton(QStringLiteral("C&lear all"), this), "Clear_BTN");
    Close_BTN = named(new QPushButton(QStringLiteral("&Close"), this), "Close_BTN");
    buttons->addWidget(Clear_BTN);
    buttons->addStretch();
    buttons->addWidget(Close_BTN);
    layout->addLayout(buttons);
    resize(420, 260);
    setWindowButtons(nullptr, Close_BTN);

    connect(memo_grid, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { remove_row(index.row() + 1); });
    connect(Clear_BTN, &QPushButton::clicked, this, [this] { Clear_BTNClick(); });
    connect(Close_BTN, &QPushButton::clicked, this, [this] { Close_BTNClick(); });
}

void TRemove_FM::refresh() { memo_grid->refresh(); }

void TRemove_FM::remove_row(int r) {
    ScannerList list(app_.session.scannerRanges);
    if (list.empty()) return;
    list.remove(r);
    if (app_.map()->rangesShown()) app_.refreshMap();
    app_.refreshAll();
}

// The ranges leave the map with the redraw, from the kept picture of planets
// and fleets: nothing under their circles is lost.
void TRemove_FM::Clear_BTNClick() {
    ScannerList(app_.session.scannerRanges).clear();
    app_.refreshMap();
    app_.refreshAll();
}

void TRemove_FM::Close_BTNClick() {
    app_.refreshMap();
    close();
}

}  // namespace trevanor
