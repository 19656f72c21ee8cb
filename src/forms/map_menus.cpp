#include "forms/map.h"

// The map window's menu bar: Map, Zoom, Player Colors, Planet Names.

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "app/application.h"
#include "forms/widgets/find_bar.h"
#include "forms/PlayerColor.h"
#include "forms/widgets/map_image_view.h"

namespace trevanor {

namespace {

// The zoom menu's items' names, in the order of Zoom.
const char* zoomItemName(Zoom zoom) {
    static const char* const names[] = {"MaxOut1", "N1501", "N2001", "N3001", "N4001", "FitWindow1", "N6001", "N8001"};
    return names[static_cast<int>(zoom)];
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

QAction* TMap_FM::zoomAction(Zoom zoom) const { return action(zoomItemName(zoom)); }

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
    map->addSeparator();
    menuItem(map, "WhoCanReach1", "Who can reach &here\u2026", [this] { WhoCanReachClick(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
}

void TMap_FM::buildZoomMenu(QMenuBar* bar) {
    QMenu* zoom = bar->addMenu(QStringLiteral("&Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    auto* zoomGroup = new QActionGroup(this);
    // In the menu's order; the two deepest levels follow 400%.
    const std::pair<Zoom, const char*> items[] = {
        {Zoom::MaxOut, "&Max Out"}, {Zoom::Zoom150, "&150%"}, {Zoom::Zoom200, "&200%"}, {Zoom::Zoom300, "&300%"},
        {Zoom::Zoom400, "&400%"},   {Zoom::Zoom600, "&600%"}, {Zoom::Zoom800, "&800%"}, {Zoom::Fit, "&Fit window"}};
    for (const auto& [level, caption] : items) {
        QAction* a = menuItem(zoom, zoomItemName(level), caption, [this, level] { zoomTo(level); });
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

}  // namespace trevanor
