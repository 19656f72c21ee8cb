#include "forms/map.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QCloseEvent>
#include <QEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "forms/Fleet_data.h"
#include "forms/PlayerColor.h"
#include "forms/Reach.h"
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
#include "platform/free_memory.h"
#include "platform/map_picture.h"

namespace trevanor {

TMap_FM::TMap_FM(Application& app)
    : MaximizedWindow(app, "TMap_FM", "Map"), redraw_(app.session, app.prompter, app.commands.reports()) {
    setMinimumSize(320, 200);
    auto* layout = new QHBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    buildMenus(bar);

    ScrollBox1 = new MapImageView(this);
    ScrollBox1->onPaint([this](QPainter& painter, QRect exposed) { tiles_.paint(painter, exposed); });
    ScrollBox1->onPrepare([this](QRect visible) { return tiles_.prepareAround(visible); });
    ScrollBox1->onPress([this](Qt::MouseButton button, QPoint pixel) { Image1MouseDown(button, pixel.x(), pixel.y()); });
    ScrollBox1->onZoomStep([this](int step, QPoint anchor) { zoomStep(step, anchor); });
    ScrollBox1->onResize([this] {
        placeNewTurnBar();
        followWindowSize();
    });
    ScrollBox1->onHover([this](QPoint pixel) { return hoverText(pixel); });
    ScrollBox1->onRescale([this] { app_.run([this] { refresh_map(); }); });
    Image1 = ScrollBox1->image();
    keepOnActivation(ScrollBox1);  // a maximised 4K window is 33 MB of pixels to paint again
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


void TMap_FM::Draw_And_Add_Fleet(const std::string& name, int scan, int owner, int pen) {
    store_range(fleet_range_entry(app_.session, name, scan, owner, pen, app_.prompter));
}


void TMap_FM::afterCreate() {
    view_.Map_extent = 0;
    refresh_route_race();
    refresh();
}


const std::vector<TrailPoint>* TMap_FM::trail_shown(const std::string& uniqueName) const {
    return shown_trail(app_.session, trailChoice(), uniqueName);
}

const FleetTrails* TMap_FM::trails() const { return app_.trails(); }

void TMap_FM::trailsChanged() {
    ActionTiming::start("trails", Image1);
    showTrails();
}

void TMap_FM::trailsFollowed() {
    if (!action("TrailSelected1")->isChecked() && !action("TrailRoutes1")->isChecked()) return;
    ActionTiming::start("trails followed", Image1);
    showTrails();
}

// The map, and the particulars' line of the fleet they show, as the trails now are.
void TMap_FM::showTrails() {
    app_.run([this] { refresh_map(); });
    if (TFleet_Data_FM* particulars = app_.particulars(); particulars && particulars->isVisible())
        app_.run([particulars] { particulars->show_trail(); });
}

void TMap_FM::refresh_map() {
    readOptions();
    bool resetEfficiency = false;
    try {
        resetEfficiency = redraw_.refresh_map(drawing_, view_, overlays());
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
    if (redraw_.draw_stored_range(drawing_, view_, range, mode, toCp1252(Scan_Eff_cbx->currentText())))
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

// The tiles follow what was drawn, at the screen's own pixels; those it changed are painted again.
void TMap_FM::showImage() {
    const qreal scale = ScrollBox1->devicePixelRatioF();
    const QRegion changed = tiles_.show(drawing_, scale);
    ScrollBox1->surfaceChanged(QSize(drawing_.width(), drawing_.height()), scale, changed);
}

QImage TMap_FM::image() { return draw_whole_picture(drawing_, tiles_.scale()); }

void TMap_FM::zoomTo(Zoom zoom) {
    ActionTiming::start("zoom", Image1);
    set_zoom(view_, zoom, fitSize());
    zoomAction(zoom)->setChecked(true);
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
    zoomAction(zoom)->setChecked(true);
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

std::optional<ReachPlace> TMap_FM::selectedPlace() const {
    // Read from the box as it shows the selection, which rows moved since do not change.
    const auto x = parse_int32(std::string_view(shown_.xText).substr(std::min<std::size_t>(2, shown_.xText.size())));
    const auto y = parse_int32(std::string_view(shown_.yText).substr(std::min<std::size_t>(2, shown_.yText.size())));
    if (shown_.line1.empty() && shown_.line2.empty()) return std::nullopt;  // nothing clicked yet
    if (!x || !y) return std::nullopt;
    ReachPlace place{*x, *y, space_name(*x, *y)};
    if (shown_.what == MapHit::What::Fleet) place.name = shown_.line1;
    else if (shown_.what != MapHit::What::DeepSpace && !shown_.line2.empty()) place.name = shown_.line2;
    return place;
}

void TMap_FM::WhoCanReachClick() {
    const std::optional<ReachPlace> place = selectedPlace();
    if (!place) {
        app_.prompter.message("Click a place on the map first: a planet, a fleet or a point of deep space.");
        return;
    }
    if (TReach_FM* reach = app_.reach()) reach->ask(*place);
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
    RouteContext ctx = redraw_.routes(drawing_, view_, Jumps_ME->value());
    redraw_.highlight_route(ctx, toCp1252(Route_race_CB->currentText()), owner, fleetRow, warp);
    showImage();
}

void TMap_FM::undo_route_highlight() {
    RouteContext ctx = redraw_.routes(drawing_, view_, Jumps_ME->value());
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
    if (!e->isAccepted()) return;
    // Its pictures go with it, the screen's copy of the window too, once it
    // is hidden: what the program holds falls back to what it held before.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) return;
        tiles_.letGo();
        drawing_.clear();
        destroy();
        release_free_memory();
    });
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
