#include "forms/map.h"

// The map window's column of controls beside the picture: routes, jump
// potential, scanner ranges, label options and the selected object; what
// their clicks do, and the overlays they ask the redraw for.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/Fleet_data.h"
#include "forms/Reach.h"
#include "forms/Scanner_type.h"
#include "forms/Tachyon_det.h"
#include "forms/planetary_scanner.h"
#include "forms/remove.h"
#include "forms/widgets/text_table_view.h"
#include "forms/widgets/action_timing.h"
#include "forms/widgets/name_completer.h"
#include "forms/widgets/named.h"
#include "forms/widgets/spin_field.h"
#include "map/route_filter.h"
#include "model/numbers.h"
#include "model/own_race.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {

QToolButton* status_button(const char* name, const char* hint, QWidget* parent) {
    auto* b = named(new QToolButton(parent), name);
    b->setText(QStringLiteral("Off"));
    b->setToolTip(QString::fromLatin1(hint));
    b->setCheckable(true);
    b->setMinimumWidth(40);
    return b;
}

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    return named(new QPushButton(QString::fromUtf8(caption), parent), name);
}

}  // namespace

// The controls in a column that scrolls where the screen is too short for
// it: each keeps its own height.
QWidget* TMap_FM::buildControls() {
    auto* box = named(new QScrollArea(this), "Controls_SB");
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setWidgetResizable(true);
    auto* panel = new QWidget(box);
    panel->setMinimumWidth(250);
    box->setFixedWidth(250 + box->verticalScrollBar()->sizeHint().width());
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildRoutesGroup(panel));
    column->addWidget(buildJumpGroup(panel));
    column->addWidget(buildScannerGroup(panel));
    column->addWidget(buildOptionGroups(panel, column));
    column->addWidget(buildSelectedObject(panel));
    Refresh_BTN = button("Refresh_BTN", "Re&fresh", panel);
    column->addWidget(Refresh_BTN);
    column->addStretch();
    connectControls();
    box->setWidget(panel);
    return box;
}

QGroupBox* TMap_FM::buildRoutesGroup(QWidget* panel) {
    auto* routes = new QGroupBox(QStringLiteral("Fleet &Routes"), panel);
    auto* rg = new QGridLayout(routes);
    rg->addWidget(new QLabel(QStringLiteral("Include:"), routes), 0, 0);
    Route_race_CB = named(new QComboBox(routes), "Route_race_CB");
    rg->addWidget(Route_race_CB, 0, 1, 1, 3);
    rg->addWidget(new QLabel(QStringLiteral("Jumps:"), routes), 1, 0);
    Jumps_ME = new SpinField("Jumps_ME", 1, 9, 1, routes);  // one digit, 1 to 9 years
    rg->addWidget(Jumps_ME, 1, 1, Qt::AlignLeft);
    rg->addWidget(new QLabel(QStringLiteral("Status:"), routes), 1, 2);
    Otfr_SBTN = status_button("Otfr_SBTN", "Other's Fleets Route", routes);
    rg->addWidget(Otfr_SBTN, 1, 3);
    auto* raceLabel = new QLabel(QStringLiteral("Own race:"), routes);
    Race_CB = named(new QComboBox(routes), "Race_CB");
    rg->addWidget(raceLabel, 2, 0);
    rg->addWidget(Race_CB, 2, 1, 1, 3);
    raceLabel->hide();
    Race_CB->hide();
    return routes;
}

// The fleet list with its paste button, then warp and status as in the
// routes group above.
QGroupBox* TMap_FM::buildJumpGroup(QWidget* panel) {
    auto* jump = new QGroupBox(QStringLiteral("Fleet &Jump Potencial"), panel);
    auto* jg = new QGridLayout(jump);
    Fleet_CBx = named(new QComboBox(jump), "Fleet_CBx");
    NameCompleter::attach(Fleet_CBx);
    // Its width is set from its longest name when it is filled (fitFleetList):
    // the box itself need not measure every fleet's name when it is shown.
    Fleet_CBx->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    jg->addWidget(Fleet_CBx, 0, 0, 1, 3);
    PfC_btn = button("PfC_btn", "&PfC", jump);
    PfC_btn->setMinimumWidth(40);
    jg->addWidget(PfC_btn, 0, 3);
    jg->addWidget(new QLabel(QStringLiteral("Warp:"), jump), 1, 0);
    Warp_ME = new SpinField("Warp_ME", 1, 10, 9, jump);  // warp 1 to 10
    jg->addWidget(Warp_ME, 1, 1, Qt::AlignLeft);
    jg->addWidget(new QLabel(QStringLiteral("Status:"), jump), 1, 2);
    FJ_SBTN = status_button("FJ_SBTN", "Fleet move range", jump);
    jg->addWidget(FJ_SBTN, 1, 3);
    return jump;
}

QGroupBox* TMap_FM::buildScannerGroup(QWidget* panel) {
    auto* scanners = new QGroupBox(QStringLiteral("Fleet/Planet &Scanner Range"), panel);
    auto* sg = new QGridLayout(scanners);
    Add_BTN = button("Add_BTN", "Add &Fleet...", scanners);
    Add_Pln_BTN = button("Add_Pln_BTN", "Add &Planet", scanners);
    Remove_BTN = button("Remove_BTN", "&Remove...", scanners);
    sg->addWidget(Add_BTN, 0, 0, 1, 2);
    sg->addWidget(Add_Pln_BTN, 0, 2, 1, 2);
    sg->addWidget(Remove_BTN, 1, 0, 1, 2);
    sg->addWidget(new QLabel(QStringLiteral("Eff. %"), scanners), 2, 0);
    Scan_Eff_cbx = named(new QComboBox(scanners), "Scan_Eff_cbx");
    Scan_Eff_cbx->setEditable(true);
    Scan_Eff_cbx->setInsertPolicy(QComboBox::NoInsert);  // typing never adds items
    for (int e = 100; e >= 10; e -= 10) Scan_Eff_cbx->addItem(QString::number(e) + u'%');
    // Three characters are typed at most; a "%" may follow.
    Scan_Eff_cbx->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}%?")), Scan_Eff_cbx));
    Scan_Eff_cbx->setCurrentText(QStringLiteral("100%"));
    sg->addWidget(Scan_Eff_cbx, 2, 1);
    Tachyon_BTN = button("Tachyon_BTN", "&TD", scanners);
    sg->addWidget(Tachyon_BTN, 2, 2);
    sg->addWidget(new QLabel(QStringLiteral("Status:"), scanners), 1, 2);
    FSR_SBTN = status_button("FSR_SBTN", "Fleet or Planer Scanners", scanners);
    sg->addWidget(FSR_SBTN, 1, 3);
    for (QWidget* w : std::initializer_list<QWidget*>{Add_BTN, Add_Pln_BTN, Remove_BTN, Scan_Eff_cbx, Tachyon_BTN})
        w->setEnabled(false);
    return scanners;
}

// "Fleet number options" (returned) and "Other options" (added to the column).
QGroupBox* TMap_FM::buildOptionGroups(QWidget* panel, QVBoxLayout* column) {
    auto* numbers = new QGroupBox(QStringLiteral("Fleet number options"), panel);
    auto* ng = new QVBoxLayout(numbers);
    Fleet_nr_RB = named(new QRadioButton(QStringLiteral("Show fleet's numbers"), numbers), "Fleet_nr_RB");
    Fleet_nr_RB->setChecked(true);
    Vsl_Quantity_RB = named(new QRadioButton(QStringLiteral("Show ship count"), numbers), "Vsl_Quantity_RB");
    No_nr_RB = named(new QRadioButton(QStringLiteral("No numbers"), numbers), "No_nr_RB");
    for (QRadioButton* r : {Fleet_nr_RB, Vsl_Quantity_RB, No_nr_RB}) ng->addWidget(r);
    column->addWidget(numbers);

    auto* other = new QGroupBox(QStringLiteral("Other options"), panel);
    auto* og = new QVBoxLayout(other);
    Hide_own_CB = named(new QCheckBox(QStringLiteral("&Hide own fleets"), other), "Hide_own_CB");
    Autocenter = named(new QCheckBox(QStringLiteral("&Autocenter"), other), "Autocenter");
    og->addWidget(Hide_own_CB);
    og->addWidget(Autocenter);
    return other;
}

// What the last click hit: name (or "Multi-fleets", "Deep Space"), planet,
// its colour and position.
QGroupBox* TMap_FM::buildSelectedObject(QWidget* panel) {
    groupbox7 = named(new QGroupBox(QStringLiteral("Selected Object"), panel), "groupbox7");
    auto* g = new QGridLayout(groupbox7);
    obj_clr_SHP = named(new QFrame(groupbox7), "obj_clr_SHP");
    obj_clr_SHP->setFixedSize(12, 12);
    obj_clr_SHP->setAutoFillBackground(true);
    Label11 = named(new QLabel(groupbox7), "Label11");
    Label12 = named(new QLabel(groupbox7), "Label12");

    Label9 = named(new QLabel(groupbox7), "Label9");
    Label10 = named(new QLabel(groupbox7), "Label10");
    g->addWidget(obj_clr_SHP, 0, 0);
    g->addWidget(Label11, 0, 1, 1, 2);
    g->addWidget(Label12, 1, 1, 1, 2);
    g->addWidget(Label9, 2, 1);
    g->addWidget(Label10, 2, 2);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(2, 1);
    return groupbox7;
}

void TMap_FM::connectControls() {
    const auto redraw = [this] { app_.run([this] { refresh_map(); }); };
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{Fleet_nr_RB, Vsl_Quantity_RB, No_nr_RB, Hide_own_CB,
                                                                       Refresh_BTN})
        connect(b, &QAbstractButton::clicked, this, redraw);
    connect(Jumps_ME, &QSpinBox::valueChanged, this, [this] {
        if (!app_.session.Own_race_name.empty() && Otfr_SBTN->isChecked()) app_.run([this] { refresh_map(); });
    });
    connect(Warp_ME, &QSpinBox::valueChanged, this, redraw);
    connect(Scan_Eff_cbx, &QComboBox::activated, this, redraw);
    connect(Scan_Eff_cbx->lineEdit(), &QLineEdit::editingFinished, this, [this] { Scan_Eff_cbxExit(); });
    connect(Otfr_SBTN, &QToolButton::clicked, this, [this] { Otfr_SBTNClick(); });
    connect(FSR_SBTN, &QToolButton::clicked, this, [this] { FSR_SBTNClick(); });
    connect(FJ_SBTN, &QToolButton::clicked, this, [this] { FJ_SBTNClick(); });
    // Picked here the own race is not stored: the choice is made for this session.
    connect(Race_CB, &QComboBox::activated, this, [this] {
        app_.run([this] {
            set_own_race(app_.session, app_.settings, toCp1252(Race_CB->currentText()), OwnRaceChange::Picked);
        });
    });
    const auto show = [](ToolWindow* w) {
        if (w) w->showAndActivate();
    };
    connect(PfC_btn, &QPushButton::clicked, this, [this] { PfC_btnClick(); });
    connect(Fleet_CBx, &QComboBox::activated, this, [this] { trailsChanged(); });
    // While routes are shown the filter cannot change; the trails follow it at any time.
    connect(Route_race_CB, &QComboBox::activated, this, [this] {
        if (action("TrailRoutes1")->isChecked()) trailsChanged();
        if (TReach_FM* reach = app_.reach()) reach->refresh();
    });
    connect(Add_BTN, &QPushButton::clicked, this, [this, show] { show(app_.fleetScanner()); });
    connect(Add_Pln_BTN, &QPushButton::clicked, this, [this, show] { show(app_.planetaryScanner()); });
    connect(Remove_BTN, &QPushButton::clicked, this, [this, show] { show(app_.scannerList()); });
    connect(Tachyon_BTN, &QPushButton::clicked, this, [this, show] { show(app_.tachyon()); });
}

void TMap_FM::Otfr_SBTNClick() {
    ActionTiming::start("routes", Image1);
    const bool on = Otfr_SBTN->text() == QStringLiteral("Off");
    Otfr_SBTN->setText(on ? QStringLiteral("On") : QStringLiteral("Off"));
    Otfr_SBTN->setChecked(on);
    // The filter cannot change while routes are shown.
    Race_CB->setEnabled(!on);
    Route_race_CB->setEnabled(!on);
    app_.run([this] { refresh_map(); });
}

void TMap_FM::FSR_SBTNClick() {
    const bool on = FSR_SBTN->text() == QStringLiteral("Off");
    FSR_SBTN->setText(on ? QStringLiteral("On") : QStringLiteral("Off"));
    FSR_SBTN->setChecked(on);
    for (QWidget* w : std::initializer_list<QWidget*>{Add_BTN, Add_Pln_BTN, Scan_Eff_cbx, Tachyon_BTN}) w->setEnabled(on);
    if (!scannerListEmpty()) app_.run([this] { refresh_map(); });
}

void TMap_FM::FJ_SBTNClick() {
    if (FJ_SBTN->isChecked()) {
        // Every fleet of the list can be chosen, the first one included.
        if (Fleet_CBx->currentIndex() < 0) {
            FJ_SBTN->setChecked(false);
            return;
        }
        FJ_SBTN->setText(QStringLiteral("On"));
    } else {
        FJ_SBTN->setText(QStringLiteral("Off"));
    }
    app_.run([this] { refresh_map(); });
}

void TMap_FM::Scan_Eff_cbxExit() {
    const QString text = Scan_Eff_cbx->currentText();
    const auto number = parse_int(text.toStdString());
    if (number && *number != 0) Scan_Eff_cbx->setCurrentText(text + u'%');
    app_.run([this] { refresh_map(); });
}

void TMap_FM::refresh_route_race() {
    Route_race_CB->clear();
    for (const auto& item : route_race_items(app_.session)) Route_race_CB->addItem(fromCp1252(item));
    Route_race_CB->setCurrentIndex(0);
    fit_popup(Route_race_CB);
}

void TMap_FM::refresh() {
    // The route filter follows the players and the own race as reports are
    // read; a choice made in it stays while its items stay the same.
    const std::vector<std::string> races = route_race_items(app_.session);
    bool same = Route_race_CB->count() == static_cast<int>(races.size());
    for (int i = 0; same && i < Route_race_CB->count(); ++i) same = toCp1252(Route_race_CB->itemText(i)) == races[static_cast<std::size_t>(i)];
    if (!same) refresh_route_race();

    Remove_BTN->setEnabled(!scannerListEmpty());
    action("ShowMovement1")->setEnabled(app_.comparison.active());
    const SortedList& list = app_.session.mapFleetList;
    if (shownFleets_ == list.revision()) return;
    // A refill keeps the fleet chosen while it is listed; a filled list
    // otherwise starts with no fleet chosen.
    QStringList items;
    for (const auto& item : list.items()) items << fromCp1252(item);
    const QString chosen = Fleet_CBx->currentIndex() < 0 ? QString() : Fleet_CBx->currentText();
    {
        const QSignalBlocker block(Fleet_CBx);
        Fleet_CBx->clear();
        Fleet_CBx->addItems(items);
        Fleet_CBx->setCurrentIndex(chosen.isEmpty() ? -1 : Fleet_CBx->findText(chosen));
    }
    fit_popup(Fleet_CBx);
    fitFleetList();
    shownFleets_ = list.revision();
}

// The fleet list as wide as its longest name at any scaling of the screen;
// the column of controls widens with it.
void TMap_FM::fitFleetList() {
    Fleet_CBx->setMinimumWidth(closed_width(Fleet_CBx, longest_item(Fleet_CBx)));
    auto* column = findChild<QScrollArea*>(QStringLiteral("Controls_SB"));
    QWidget* panel = column->widget();
    const int width = std::max(panel->minimumWidth(), panel->minimumSizeHint().width());
    column->setFixedWidth(width + column->verticalScrollBar()->sizeHint().width());
}

void TMap_FM::readOptions() {
    view_.labels = Vsl_Quantity_RB->isChecked() ? FleetLabels::ShipCount
                   : No_nr_RB->isChecked()      ? FleetLabels::None
                                                : FleetLabels::Numbers;
    view_.hideOwn = Hide_own_CB->isChecked();
}

Overlays TMap_FM::overlays() const {
    Overlays o;
    o.storedRanges = FSR_SBTN->isChecked();
    o.jumpPotential = FJ_SBTN->isChecked();
    o.jumpFleet = toCp1252(Fleet_CBx->currentText());
    o.warp = Warp_ME->value();
    o.routes = Otfr_SBTN->isChecked();
    o.routeFilter = toCp1252(Route_race_CB->currentText());
    o.jumps = Jumps_ME->value();
    o.efficiencyText = toCp1252(Scan_Eff_cbx->currentText());
    YearComparison& c = app_.comparison;
    if (c.active() && action("ShowMovement1")->isChecked()) {
        o.movement = &c.moves(app_.session);
        o.movementGeneration = c.generation(app_.session);
    }
    o.trails = trailChoice();
    if (TReach_FM* reach = app_.reach(); reach && reach->isVisible()) o.reach = &reach->marks();
    return o;
}

// The trails are built from the kept turns only once one of them is asked for.
TrailChoice TMap_FM::trailChoice() const {
    TrailChoice t;
    t.selected = action("TrailSelected1")->isChecked();
    t.filtered = action("TrailRoutes1")->isChecked();
    if (!t.selected && !t.filtered) return t;
    t.trails = app_.trails();  // none while they are being followed
    if (Fleet_CBx->currentIndex() >= 0) t.selectedFleet = toCp1252(Fleet_CBx->currentText());
    t.routeFilter = toCp1252(Route_race_CB->currentText());
    return t;
}

}  // namespace trevanor
