#include "forms/map.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QCloseEvent>
#include <QEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "forms/Fleet_data.h"
#include "forms/PlayerColor.h"
#include "forms/Scanner_type.h"
#include "forms/Tachyon_det.h"
#include "app/application.h"
#include "forms/planetary_scanner.h"
#include "forms/remove.h"
#include "forms/widgets/text_table_view.h"
#include "forms/widgets/spin_field.h"
#include "forms/widgets/find_bar.h"
#include "forms/widgets/new_turn_bar.h"
#include "forms/widgets/action_timing.h"
#include "forms/widgets/map_image_view.h"
#include "forms/widgets/name_completer.h"
#include "forms/widgets/named.h"
#include "map/route_filter.h"
#include "model/locate.h"
#include "model/own_race.h"
#include "model/scanner_marks.h"
#include "model/players.h"
#include "model/numbers.h"
#include "model/report_format.h"
#include "platform/cp1252.h"
#include "platform/map_picture.h"

namespace trevanor {

namespace {

// The zoom menu's items, in the order of Zoom.
const char* const kZoomItems[] = {"MaxOut1", "N1501", "N2001", "N3001", "N4001", "FitWindow1"};

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

// The key of a menu item that does something of its own: the item chosen
// from the menu centres on the marker, its key zooms about the middle.
class ShortcutAbout : public QObject {
public:
    ShortcutAbout(QObject* parent, std::function<void()> run) : QObject(parent), run_(std::move(run)) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Shortcut) return false;
        run_();
        return true;
    }

private:
    std::function<void()> run_;
};

}  // namespace

TMap_FM::TMap_FM(Application& app)
    : MaximizedWindow(app, "TMap_FM", "Map"), redraw_(app.session, app.prompter, app.commands.reports()) {
    setMinimumSize(320, 200);
    auto* layout = new QHBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    buildMenus(bar);

    ScrollBox1 = new MapImageView(canvas_.image(), this);
    ScrollBox1->onPress([this](Qt::MouseButton button, QPoint pixel) { Image1MouseDown(button, pixel.x(), pixel.y()); });
    ScrollBox1->onZoomStep([this](int step, QPoint anchor) { zoomStep(step, anchor); });
    ScrollBox1->onResize([this] {
        placeNewTurnBar();
        followWindowSize();
    });
    ScrollBox1->onHover([this](QPoint pixel) { return hoverText(pixel); });
    ScrollBox1->onRescale([this] { app_.run([this] { refresh_map(); }); });
    Image1 = ScrollBox1->image();
    findBar_ = new FindBar("Find_ED", this);
    findBar_->onFound([this](const QString& name) { return select_named(toCp1252(name)); });
    // The bar lies over the picture's foot: the picture does not move under the pointer when it comes.
    newTurnBar_ = new NewTurnBar(ScrollBox1, [this] { app_.readNewTurnNow(); });
    auto* picture = new QVBoxLayout;
    picture->addWidget(findBar_);
    picture->addWidget(ScrollBox1, 1);
    layout->addLayout(picture, 1);
    layout->addWidget(buildControls());
}

void TMap_FM::tellNewTurn(const NewTurnNews& news) {
    newTurnBar_->tell(news);
    placeNewTurnBar();
}

void TMap_FM::placeNewTurnBar() {
    const QRect area = ScrollBox1->viewport()->geometry();
    const int height = newTurnBar_->sizeHint().height();
    newTurnBar_->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
}

void TMap_FM::hideNewTurn() { newTurnBar_->hide(); }

QAction* TMap_FM::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

QAction* TMap_FM::menuItem(QMenu* menu, const char* name, const char* caption, const std::function<void()>& handler) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
    return a;
}

void TMap_FM::buildMenus(QMenuBar* bar) {
    buildMapMenu(bar);
    buildZoomMenu(bar);

    QAction* colors = bar->addAction(QStringLiteral("Player &Colors"));
    colors->setObjectName(QStringLiteral("PlayerColors1"));
    colors->setEnabled(false);
    connect(colors, &QAction::triggered, this, [this] {
        if (auto* w = app_.playerColor()) w->showAndActivate();
    });

    QMenu* names = bar->addMenu(QStringLiteral("Planet &Names"));
    names->setObjectName(QStringLiteral("PlanetNames1"));
    auto* nameGroup = new QActionGroup(this);
    const std::pair<const char*, const char*> densities[] = {
        {"Nonames1", "&No names"}, {"N251", "&25%"}, {"N501", "&50%"}, {"N1001", "&100%"}};
    for (int d = 0; d < 4; ++d) {
        QAction* a = menuItem(names, densities[d].first, densities[d].second,
                              [this, d] { namesTo(static_cast<NameDensity>(d)); });
        a->setCheckable(true);
        a->setActionGroup(nameGroup);
    }
    action("Nonames1")->setChecked(true);
}

void TMap_FM::buildMapMenu(QMenuBar* bar) {
    QMenu* map = bar->addMenu(QStringLiteral("&Map"));
    map->setObjectName(QStringLiteral("Map1"));
    menuItem(map, "Refresh1", "&Refresh", [this] { app_.run([this] { refresh_map(); }); });
    menuItem(map, "Close1", "&Close", [this] { close(); });
    menuItem(map, "Find1", "&Find\u2026", [this] { findBar_->open(find_names()); })->setShortcut(QKeySequence::Find);
    menuItem(map, "SavePicture1", "Save &Picture\u2026", [this] { SavePictureClick(); })->setShortcut(QKeySequence::Save);
    QAction* movement = menuItem(map, "ShowMovement1", "Show &movement", [this] { app_.run([this] { refresh_map(); }); });
    movement->setCheckable(true);
    movement->setChecked(true);
    movement->setEnabled(false);  // until an earlier year is read
    map->addSeparator();
    // Where the fleets were in the kept turns; each item's key is its own
    // in the window ("&R" is Refresh's, Fleet Routes' and Remove's).
    for (const auto& [name, caption] : {std::pair{"TrailSelected1", "&Trail of the selected fleet"},
                                        std::pair{"TrailRoutes1", "Trails of the ro&ute filter's fleets"}})
        menuItem(map, name, caption, [this] { trailsChanged(); })->setCheckable(true);
    menuItem(map, "TrailLength1", "Trail &length\u2026", [this] { TrailLengthClick(); });
}

void TMap_FM::buildZoomMenu(QMenuBar* bar) {
    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    auto* zoomGroup = new QActionGroup(this);
    const char* const captions[] = {"&Max Out", "&150%", "&200%", "&300%", "&400%", "&Fit window"};
    for (int z = 0; z < 6; ++z) {
        QAction* a = menuItem(zoom, kZoomItems[z], captions[z], [this, z] { zoomTo(static_cast<Zoom>(z)); });
        a->setCheckable(true);
        a->setActionGroup(zoomGroup);
    }
    action("MaxOut1")->setChecked(true);
    action("FitWindow1")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    // Steps about the middle of the view, as Ctrl and the wheel step about
    // the pointer; each key is shown beside its item.
    const auto centre = [this] { return QPoint(ScrollBox1->viewport()->width() / 2, ScrollBox1->viewport()->height() / 2); };
    zoom->addSeparator();
    menuItem(zoom, "ZoomIn1", "Zoom &In", [this, centre] { zoomStep(1, centre()); })
        ->setShortcuts({QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    menuItem(zoom, "ZoomOut1", "Zoom &Out", [this, centre] { zoomStep(-1, centre()); })
        ->setShortcut(QKeySequence::ZoomOut);
    action("MaxOut1")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    action("MaxOut1")->installEventFilter(new ShortcutAbout(this, [this, centre] { zoomAbout(Zoom::MaxOut, centre()); }));
}

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

void TMap_FM::Draw_And_Add_Fleet(const std::string& name, int scan, int owner, int pen) {
    store_range(fleet_range_entry(app_.session, name, scan, owner, pen, app_.prompter));
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

void TMap_FM::afterCreate() {
    view_.Map_extent = 0;
    refresh_route_race();
    refresh();
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
    return o;
}

// The trails are built from the kept turns only once one of them is asked for.
TrailChoice TMap_FM::trailChoice() const {
    TrailChoice t;
    t.selected = action("TrailSelected1")->isChecked();
    t.filtered = action("TrailRoutes1")->isChecked();
    if (!t.selected && !t.filtered) return t;
    t.trails = &app_.trails();
    if (Fleet_CBx->currentIndex() >= 0) t.selectedFleet = toCp1252(Fleet_CBx->currentText());
    t.routeFilter = toCp1252(Route_race_CB->currentText());
    return t;
}

const std::vector<TrailPoint>* TMap_FM::trail_shown(const std::string& uniqueName) const {
    return shown_trail(app_.session, trailChoice(), uniqueName);
}

const FleetTrails& TMap_FM::trails() const { return app_.trails(); }

// The map, and the particulars' line of the fleet they show, as the trails now are.
void TMap_FM::trailsChanged() {
    app_.run([this] { refresh_map(); });
    if (TFleet_Data_FM* particulars = app_.particulars(); particulars && particulars->isVisible())
        app_.run([particulars] { particulars->show_trail(); });
}

void TMap_FM::TrailLengthClick() {
    bool ok = false;
    const int turns = QInputDialog::getInt(this, QStringLiteral("Trail length"),
                                           QStringLiteral("Turns a trail shows, the open one included (2 to 20):"),
                                           app_.session.Trail_turns, 2, 20, 1, &ok);
    if (!ok) return;
    app_.run([this, turns] {
        app_.session.Trail_turns = turns;
        app_.settings.save_turn_options();
    });
    trailsChanged();
}

void TMap_FM::refresh_map() {
    canvas_.setScale(ScrollBox1->devicePixelRatioF());  // the screen's own pixels
    readOptions();
    bool resetEfficiency = false;
    try {
        resetEfficiency = redraw_.refresh_map(canvas_, view_, overlays());
    } catch (...) {
        showImage();
        throw;
    }
    if (resetEfficiency) Scan_Eff_cbx->setCurrentText(QStringLiteral("100%"));
    showImage();
}

QString TMap_FM::selectedName() const { return Label11->text(); }
QString TMap_FM::selectedPlanet() const { return Label12->text(); }

bool TMap_FM::rangesShown() const { return FSR_SBTN->isChecked(); }

void TMap_FM::setScanEfficiency(const QString& text) { Scan_Eff_cbx->setCurrentText(text); }

bool TMap_FM::scannerListEmpty() const { return ScannerList(app_.session.scannerRanges).empty(); }

void TMap_FM::draw_range_now(const StoredRange& range, RangeMode mode) {
    if (redraw_.draw_stored_range(canvas_, view_, range, mode, toCp1252(Scan_Eff_cbx->currentText())))
        Scan_Eff_cbx->setCurrentText(QStringLiteral("100%"));
    showImage();
}

// A replaced range leaves the map by a redraw from the kept picture of planets
// and fleets, so nothing under its old circles is lost; the new one is then
// drawn at once, also while the stored ranges are not shown.
void TMap_FM::store_range(const StoredRange& range) {
    const ScannerList::Change change = ScannerList(app_.session.scannerRanges).add_or_replace(range, app_.prompter);
    if (change.erased) app_.run([this] { refresh_map(); });
    if (change.drawn && !(change.erased && rangesShown())) draw_range_now(*change.drawn, RangeMode::Scanner);
    Remove_BTN->setEnabled(!scannerListEmpty());
}

void TMap_FM::showImage() {
    canvas_.image();  // what was drawn lands in the picture the view shows
    ScrollBox1->imageChanged();
}

void TMap_FM::zoomTo(Zoom zoom) {
    ActionTiming::start("zoom", Image1);
    set_zoom(view_, zoom, fitSize());
    action(kZoomItems[static_cast<int>(zoom)])->setChecked(true);
    app_.run([this] { refresh_map(); });
    ScrollBox1->centre_on({view_.Selected_object.Pixel_x, view_.Selected_object.Pixel_y});
}

void TMap_FM::zoomStep(int step, QPoint anchor) {
    const Zoom next = zoom_step(view_, step);
    if (next != view_.zoom) zoomAbout(next, anchor);
}

void TMap_FM::zoomAbout(Zoom zoom, QPoint anchor) {
    ActionTiming::start("zoom", Image1);
    const int before = view_.surface();
    const QPoint scroll = ScrollBox1->scrollPosition();
    set_zoom(view_, zoom, fitSize());
    action(kZoomItems[static_cast<int>(zoom)])->setChecked(true);
    app_.run([this] { refresh_map(); });
    const ScrollPoint keep = scroll_keeping({scroll.x(), scroll.y()}, {anchor.x(), anchor.y()}, before, view_.surface());
    ScrollBox1->scrollTo({keep.x, keep.y});
}

// The largest square the visible area takes without scroll bars.
int TMap_FM::fitSize() const {
    const QSize room = ScrollBox1->maximumViewportSize();
    return std::clamp(std::min(room.width(), room.height()), kSmallestSurface, kLargestSurface);
}

// Every planet and fleet by name, in the order a reader expects ("#28"
// before "#274"), for the Find field.
QStringList TMap_FM::find_names() const {
    QStringList names;
    const Session& s = app_.session;
    for (int r = 1; r <= s.planets.lastRow(); ++r)
        if (const std::string& n = s.planets.cell(planet_col::Name, r); !n.empty()) names << fromCp1252(n);
    for (const std::string& n : s.mapFleetList.items()) names << fromCp1252(n);
    std::stable_sort(names.begin(), names.end(), natural_less);
    return names;
}

// As a left click at the object's place, but a fleet found is the one chosen
// for the jump potential and the trail, not the click's pick of its spot (the
// second fleet of a group, or a fleet of a spot within a light year).
bool TMap_FM::select_named(const std::string& name) {
    const std::optional<Located> at = locate_named(app_.session, name);
    if (!at) return false;
    select_point(at->x, at->y);
    const int fleet = Fleet_CBx->findText(fromCp1252(name));  // exact: "Ozmari Scout" is not "Ozmari scout"
    if (fleet >= 0 && fleet != Fleet_CBx->currentIndex()) {
        Fleet_CBx->setCurrentIndex(fleet);
        if (FJ_SBTN->isChecked() || action("TrailSelected1")->isChecked()) trailsChanged();
    }
    return true;
}

void TMap_FM::select_point(int x, int y) {
    if (view_.Map_scale == 0) app_.run([this] { refresh_map(); });  // not drawn yet: no scale
    const QPoint pixel(view_.pixel_x(x), view_.pixel_y(y));
    ScrollBox1->centre_on(pixel);
    Image1MouseDown(Qt::LeftButton, pixel.x(), pixel.y());
}

// The picture as the map shows it, drawn afresh, into a PNG file.
void TMap_FM::SavePictureClick() {
    const QString path = app_.files.save(this, QStringLiteral("PNG picture|*.png"), open_map_folder(app_.session),
                                         picture_file_name(app_.session.Map_name, view_));
    if (path.isEmpty()) return;
    readOptions();
    app_.run([&] {
        const QImage picture = draw_map_picture(app_.session, app_.prompter, app_.commands.reports(), view_, overlays());
        if (const std::string error = save_map_picture(picture, path); !error.empty()) app_.prompter.error(error);
    });
}

// The planet, then the fleets there in their owners' colours.
QString TMap_FM::hoverText(QPoint pixel) const {
    const HoverInfo info = hover_info(app_.session, view_, redraw_.scene(), pixel.x(), pixel.y());
    QStringList lines;
    if (!info.planet.empty()) lines << QStringLiteral("<b>%1</b>").arg(fromCp1252(info.planet).toHtmlEscaped());
    for (const HoverInfo::Fleet& f : info.fleets) {
        QString line = QStringLiteral("<span style=\"color:%1\">%2</span>")
                           .arg(to_qcolor(f.color).name(), fromCp1252(f.name).toHtmlEscaped());
        if (const std::string since = app_.comparison.text_of(app_.session, f.name); !since.empty())
            line += QStringLiteral(" \u2014 ") + fromCp1252(since).toHtmlEscaped();
        lines << line;
    }
    if (info.more > 0) lines << QStringLiteral("\u2026 and %1 more").arg(info.more);
    if (const std::string gone = gone_there(pixel); !gone.empty()) lines << fromCp1252(gone).toHtmlEscaped();
    if (lines.isEmpty()) return {};
    // On the tool tip's light ground a light colour reads poorly: the names on black.
    return QStringLiteral("<div style=\"background:black; color:white; padding:2px; white-space:nowrap\">%1</div>")
        .arg(lines.join(QStringLiteral("<br>")));
}

// "gone: …" for the fleets last seen at the pixel's spot, or on its cross.
std::string TMap_FM::gone_there(QPoint pixel) const {
    YearComparison& c = app_.comparison;
    if (!c.active() || !action("ShowMovement1")->isChecked()) return {};
    std::string names;
    for (const FleetMove* m : gone_near(view_, c.moves(app_.session), pixel.x(), pixel.y()))
        names += (names.empty() ? "" : ", ") + m->uniqueName;
    return names.empty() ? std::string() : "gone: " + names;
}

void TMap_FM::followWindowSize() {
    if (view_.zoom == Zoom::Fit && fitSize() != view_.surface())
        zoomAbout(Zoom::Fit, QPoint(ScrollBox1->viewport()->width() / 2, ScrollBox1->viewport()->height() / 2));
}

void TMap_FM::namesTo(NameDensity density) {
    ActionTiming::start("names", Image1);
    const char* const items[] = {"Nonames1", "N251", "N501", "N1001"};
    action(items[static_cast<int>(density)])->setChecked(true);
    if (density == NameDensity::Quarter || density == NameDensity::Half) view_.Name_phase = !view_.Name_phase;
    view_.names = density;
    app_.run([this] { refresh_map(); });
}

void TMap_FM::show_selected(const MapHit& hit) {
    shown_ = hit;
    Label9->setText(fromCp1252(hit.xText));
    Label10->setText(fromCp1252(hit.yText));
    Label11->setText(fromCp1252(hit.line1));
    Label12->setText(fromCp1252(hit.line2));
    // The planet's name in white, on the map's black.
    Label12->setStyleSheet(hit.line2.empty() ? QString()
                                             : QStringLiteral("QLabel { color: white; background: black; padding: 0px 2px; }"));
    const QColor fill = hit.color == kButtonFaceColor ? palette().color(QPalette::Button) : to_qcolor(hit.color);
    QPalette p = obj_clr_SHP->palette();
    p.setColor(QPalette::Window, fill);
    obj_clr_SHP->setPalette(p);
}

void TMap_FM::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    const MapHit hit = hit_test(app_.session, view_, x, y, &redraw_.scene());
    show_selected(hit);
    const bool fleet = hit.what == MapHit::What::Fleet || hit.what == MapHit::What::Group;
    if (button == Qt::LeftButton && fleet) {
        // The list is sorted without regard to case; a name not listed chooses nothing.
        const int index = app_.session.mapFleetList.indexOfCi(hit.jumpFleet);
        Fleet_CBx->setCurrentIndex(index);
    }
    view_.Selected_object = hit.marker;
    if (hit.what != MapHit::What::DeepSpace && Autocenter->isChecked()) ScrollBox1->centre_on({x, y});
    app_.run([this] { refresh_map(); });
    if (button == Qt::RightButton && fleet) open_particulars(hit);
}

// The route of the fleet hit in white (unless a group opens in the multi
// view), then its particulars beside it.
void TMap_FM::open_particulars(const MapHit& hit) {
    TFleet_Data_FM* window = app_.particulars();
    if (!window) return;
    ActionTiming::start("particulars", window);
    const bool group = hit.what == MapHit::What::Group;
    const TextTable& t = app_.session.fleetsByPos;
    if (routesShown() && !(group && window->view.multiDefault())) {
        const int warp = warp_of(t.cell(col::Warp, hit.row)) & 0xFF;  // "SG" is the stargate
        if (warp != 0)
            app_.run([&] {
                if (const int row = convert_pos2id(app_.session, hit.row, app_.prompter))
                    highlight_route(to_int_def(t.cell(col::Owner, hit.row), 0), row, warp);
            });
    }
    window->show_fleet(hit.row, group);
    const QPoint object = ScrollBox1->screen_point({hit.marker.Pixel_x, hit.marker.Pixel_y});
    window->place_beside(object, ScrollBox1->screen_bottom());
    window->showAndActivate();
}

TMap_FM::Selection TMap_FM::selection() const {
    return {shown_.what == MapHit::What::Fleet ? shown_.line1 : std::string(),
            Fleet_CBx->currentIndex() < 0 ? std::string() : toCp1252(Fleet_CBx->currentText())};
}

std::string TMap_FM::followed(const std::string& earlierName) const {
    YearComparison& c = app_.comparison;
    if (!c.active() || earlierName.empty()) return {};
    const TextTable& before = c.earlier()->session().fleetsByPos;
    for (const FleetMove& m : c.moves(app_.session))
        if (m.hasEarlier() && m.hasCurrent() && before.cell(col::UniqueName, m.earlierRow) == earlierName) return m.uniqueName;
    return {};
}

void TMap_FM::follow(const Selection& before) {
    MapHit hit;  // nothing selected: an empty box, no marker
    hit.color = kButtonFaceColor;
    const std::string fleet = followed(before.fleet);
    if (const std::optional<Located> at = fleet.empty() ? std::nullopt : locate_named(app_.session, fleet)) {
        hit = hit_test(app_.session, view_, view_.pixel_x(at->x), view_.pixel_y(at->y), &redraw_.scene());
    } else if (before.fleet.empty() && !(shown_.line1.empty() && shown_.line2.empty())) {
        hit = hit_test(app_.session, view_, view_.pixel_x(shown_.click.x), view_.pixel_y(shown_.click.y), &redraw_.scene());
    }
    show_selected(hit);
    view_.Selected_object = hit.marker;
    const std::string jumpFleet = followed(before.jumpFleet);
    Fleet_CBx->setCurrentIndex(jumpFleet.empty() ? -1 : Fleet_CBx->findText(fromCp1252(jumpFleet)));
    app_.run([this] { refresh_map(); });
}

void TMap_FM::PfC_btnClick() {
    const int index = app_.session.mapFleetList.indexOfCi(toCp1252(app_.clipboard.text()));
    if (index < 0) return;
    Fleet_CBx->setCurrentIndex(index);
    if (FJ_SBTN->isChecked() || action("TrailSelected1")->isChecked()) trailsChanged();
}

bool TMap_FM::routesShown() const { return Otfr_SBTN->isChecked(); }

void TMap_FM::highlight_route(int owner, int fleetRow, int warp) {
    RouteContext ctx = redraw_.routes(canvas_, view_, Jumps_ME->value());
    redraw_.highlight_route(ctx, toCp1252(Route_race_CB->currentText()), owner, fleetRow, warp);
    showImage();
}

void TMap_FM::undo_route_highlight() {
    RouteContext ctx = redraw_.routes(canvas_, view_, Jumps_ME->value());
    redraw_.undo_highlight(ctx);
    showImage();
}

void TMap_FM::switch_ranges_on() {
    if (!FSR_SBTN->isChecked()) FSR_SBTN->click();
}

// Closing the map closes the windows that work on it.
void TMap_FM::closeEvent(QCloseEvent* e) {
    for (QWidget* w : std::initializer_list<QWidget*>{app_.particulars(), app_.tachyon(), app_.planetaryScanner(),
                                                     app_.fleetScanner(), app_.scannerList()})
        if (w) w->close();
    MaximizedWindow::closeEvent(e);
}

// Shown the first time, the map shows the middle of the universe, where the
// fleets are, rather than its north-western corner; the middle stays while
// the window settles (scroll bars come, the system maximises it), until the
// view is moved.
void TMap_FM::shown() {
    if (opened_) return;
    opened_ = true;
    if (view_.Map_scale == 0) app_.run([this] { refresh_map(); });  // not drawn yet: no size
    for (QScrollBar* bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()}) {
        bar->setValue(bar->maximum() / 2);
        auto* keep = new QObject(bar);  // the connection's, gone once the view was moved
        connect(bar, &QScrollBar::rangeChanged, keep, [bar, keep, last = bar->value()](int, int maximum) mutable {
            if (bar->value() != last) return keep->deleteLater();
            bar->setValue(maximum / 2);
            last = bar->value();
        });
    }
}

void TMap_FM::FormActivate() {
    Race_CB->clear();
    Race_CB->addItem(fromCp1252(std::string(kNoRace)));
    for (const auto& name : race_names(app_.session)) Race_CB->addItem(fromCp1252(name));
    if (!app_.session.Own_race_name.empty()) {
        Race_CB->setCurrentIndex(Race_CB->findText(fromCp1252(app_.session.Own_race_name)));
    } else {
        // Shown as "_none_" until a race is chosen; only a choice is stored.
        Race_CB->setCurrentIndex(0);
        set_own_race(app_.session, app_.settings, std::string(kNoRace), OwnRaceChange::Picked);
    }
    action("PlayerColors1")->setEnabled(Race_CB->count() >= 2);
    try {
        refresh_map();
    } catch (const std::exception& e) {
        if (!shownThisOpening_) {
            shownThisOpening_ = true;
            app_.prompter.error(e.what());
        }
    }
    app_.refreshAll();
}

}  // namespace trevanor
