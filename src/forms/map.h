#pragma once
// The map window: the universe as a picture with planets and fleets in their
// owners' colours, its zoom, label and filter controls, and the full redraw
// that every other window calls after a change. Its creation reads the MAP of
// a MAP change, or the last MAP at start-up.

#include <functional>
#include <optional>
#include <QDateTime>
#include "forms/widgets/map_image_view.h"
#include "forms/widgets/maximized_window.h"
#include "forms/widgets/spin_field.h"
#include "map/hit_test.h"
#include "map/map_redraw.h"
#include "map/map_view.h"
#include "model/scanner_list.h"
#include "map/drawing_list.h"
#include "platform/map_tiles.h"

class QVBoxLayout;
class QAction;
class QMenu;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace trevanor {

class FindBar;
struct NewTurnNews;

class TMap_FM : public MaximizedWindow {
public:
    explicit TMap_FM(Application& app);

    // The creation steps after the MAP was read: extent afresh, route filter.
    void afterCreate();
    void refresh_route_race();
    // Shows what the session holds (the fleet list).
    void refresh();
    // Redraws the whole map.
    void refresh_map();
    void FormActivate();
    // The bar over the picture that tells of a new turn the game has written.
    void tellNewTurn(const NewTurnNews& news);
    void hideNewTurn();
    class NewTurnBar* newTurnBar() const { return newTurnBar_; }

    // Zoom and planet-name menu items, as the menu runs them.
    void zoomTo(Zoom zoom);
    // The next zoom level in or out (step 1 or -1), or a given one, keeping
    // the picture's point at `anchor` (a point of the visible area) in place.
    void zoomStep(int step, QPoint anchor);
    void zoomAbout(Zoom zoom, QPoint anchor);
    void namesTo(NameDensity density);

    QAction* action(const char* name) const;
    const MapView& view() const { return view_; }
    MapView& view() { return view_; }
    // The whole surface as the window shows it, drawn afresh.
    QImage image();
    // The tiles the window's picture is drawn in.
    MapTiles& tiles() { return tiles_; }
    // True while the stored scanner-range list holds no entry.
    bool scannerListEmpty() const;
    // Adds a range to the stored list, or replaces the ranges of an entry of
    // the same name after asking; draws it on the map at once (even while
    // the list is not shown) and enables "&Remove...".
    void store_range(const StoredRange& range);
    // A stored range drawn, or painted over, on the map as it is now.
    void draw_range_now(const StoredRange& range, RangeMode mode);
    // Stores the scanner ranges of a fleet (owner 0, by its unique name) or
    // the compound ranges of owner's fleets at the spot the name gives, and
    // draws them.
    void Draw_And_Add_Fleet(const std::string& name, int scan, int owner, int pen);
    // The "Selected Object" box: its first line (a fleet's unique name,
    // "Multi-fleets", "Deep Space" or empty) and its second (a planet's name).
    QString selectedName() const;
    QString selectedPlanet() const;

    // The place of what is selected (a planet, a fleet, a group's spot or a
    // point of deep space) and its name; nothing before the first click.
    std::optional<ReachPlace> selectedPlace() const;

    // The view centred on a point (light years) and a left click there.
    void select_point(int x, int y);
    // What is selected: the fleet the "Selected Object" box shows (empty
    // for a planet, a group's spot or deep space), and the fleet chosen for
    // the jump potential.
    struct Selection {
        std::string fleet, jumpFleet;
    };
    Selection selection() const;
    // After a new turn: each fleet of the selection is followed to where the
    // movement pairs it, or left when it is gone; a spot is looked at again.
    // The view stays where it is.
    void follow(const Selection& before);
    // A click on the map image: what it hits shows in the "Selected Object"
    // box and with the marker; a right click on a fleet opens its particulars.
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void PfC_btnClick();
    // One fleet's route drawn in white at once over the map as it is, when
    // the route filter lets its owner through, and recorded; the recorded
    // route back in its owner's colour (the particulars undo the highlight).
    bool routesShown() const;
    void highlight_route(int owner, int fleetRow, int warp);
    void undo_route_highlight();
    const RouteHighlight& routeHighlight() const { return redraw_.highlight(); }
    // "Fleet/Planet &Scanner Range" on, as its click turns it on, when it is off.
    void switch_ranges_on();

    // True while the stored ranges are shown ("Fleet/Planet &Scanner Range" on).
    bool rangesShown() const;
    // The scan efficiency the stored ranges are drawn at, as the box shows it ("85%").
    void setScanEfficiency(const QString& text);
    // What the switches and fields ask the redraw to draw over the map.
    Overlays overlays() const;
    // The trail of the fleet while the map shows it ("Map", "&Trail of the
    // selected fleet" or "Trails of the &route filter's fleets"), else null;
    // the trails it belongs to.
    const std::vector<TrailPoint>* trail_shown(const std::string& uniqueName) const;
    // Null while they are being followed (see Application::trails).
    const FleetTrails* trails() const;
    // The trails asked for are followed: shown where the menu asks for them.
    void trailsFollowed();

    MapImageView* ScrollBox1;  // the picture, scrolled
    QWidget* Image1;           // the picture itself
    QComboBox* Route_race_CB;
    SpinField* Jumps_ME;
    QToolButton* Otfr_SBTN;
    QComboBox* Race_CB;
    QComboBox* Fleet_CBx;
    SpinField* Warp_ME;
    QPushButton* PfC_btn;
    QToolButton* FJ_SBTN;
    QPushButton* Add_BTN;
    QPushButton* Add_Pln_BTN;
    QPushButton* Remove_BTN;
    QComboBox* Scan_Eff_cbx;
    QPushButton* Tachyon_BTN;
    QToolButton* FSR_SBTN;
    QRadioButton* Fleet_nr_RB;
    QRadioButton* Vsl_Quantity_RB;
    QRadioButton* No_nr_RB;
    QCheckBox* Hide_own_CB;
    QCheckBox* Autocenter;
    QGroupBox* groupbox7;  // "Selected Object"
    QFrame* obj_clr_SHP;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QPushButton* Refresh_BTN;

    // What the tool tip says of the place at the pixel (rich text), or nothing.
    QString hoverText(QPoint pixel) const;
    // Find: the names offered, and a name chosen selected as a click on it would.
    QStringList find_names() const;
    bool select_named(const std::string& name);
    // "gone: …" at a pixel, while an earlier year is compared.
    std::string gone_there(QPoint pixel) const;
    void SavePictureClick();

protected:
    void activated() override { FormActivate(); }
    void shown() override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* buildControls();
    QGroupBox* buildRoutesGroup(QWidget* panel);
    QGroupBox* buildJumpGroup(QWidget* panel);
    QGroupBox* buildScannerGroup(QWidget* panel);
    QGroupBox* buildOptionGroups(QWidget* panel, QVBoxLayout* column);
    QGroupBox* buildSelectedObject(QWidget* panel);
    void show_selected(const MapHit& hit);
    // The unique name of the fleet of the open turn that an earlier turn's fleet has become; empty when it is gone.
    std::string followed(const std::string& earlierName) const;
    void open_particulars(const MapHit& hit);
    void connectControls();
    void buildMenus(QMenuBar* bar);
    void buildMapMenu(QMenuBar* bar);
    void buildZoomMenu(QMenuBar* bar);
    QAction* zoomAction(Zoom zoom) const;
    QAction* menuItem(QMenu* menu, const char* name, const char* caption, const std::function<void()>& handler);
    void Otfr_SBTNClick();
    void FSR_SBTNClick();
    void FJ_SBTNClick();
    void Scan_Eff_cbxExit();
    TrailChoice trailChoice() const;
    void trailsChanged();
    void showTrails();
    void TrailLengthClick();
    // Who can reach the place selected: the window asks about it.
    void WhoCanReachClick();
    void readOptions();
    // The surface that fits the visible area, and a new one as it changes size.
    int fitSize() const;
    void followWindowSize();
    void fitFleetList();
    void placeNewTurnBar();
    void showImage();

    MapView view_;
    MapTiles tiles_;
    DrawingList drawing_{tiles_.canvas()};  // what the redraws drew, played into the tiles
    MapRedraw redraw_;
    unsigned shownFleets_ = ~0u;
    FindBar* findBar_;
    MapHit shown_;  // what the "Selected Object" box shows
    bool opened_ = false;  // shown once already, centred on the middle
    class NewTurnBar* newTurnBar_ = nullptr;
};

}  // namespace trevanor
