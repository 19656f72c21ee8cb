#pragma once
// The map's full redraw, in its order: a black surface; the extent at the
// first redraw; planets (the zoom applied); fleets; the movement since an
// earlier year (when one is compared); the stored scanner ranges; the jump
// potential of the chosen fleet; the routes the filter selects; the trails
// of fleets through the kept turns; who can reach a place; the selection
// marker. The map window, the picture written to a file, the benchmarks and
// the tests all draw through it.
//
// Planets and fleets are drawn from a scene (map/scene.h) that is read from
// the tables only when the data changed, and pictures of them, with and
// without the movement over them, are kept by the canvas: a redraw that
// changes nothing below the overlays puts a kept picture back (that of
// another zoom level seen lately too) and draws only the overlays on it.

#include <string>

#include "map/canvas.h"
#include "map/movement_marks.h"
#include "map/map_view.h"
#include "map/routes.h"
#include "map/trail_marks.h"
#include "map/reach_marks.h"
#include "map/scene.h"
#include "map/scanner_overlay.h"
#include "model/fleet_report_reader.h"
#include "model/prompter.h"
#include "model/scanner_list.h"
#include "model/session.h"

namespace trevanor {

// What the map window's switches and fields say about the overlays.
struct Overlays {
    bool storedRanges = false;   // "Fleet/Planet Scanner Range" on
    bool jumpPotential = false;  // "Fleet Jump Potencial" on
    std::string jumpFleet;       // the fleet chosen for it (a unique name)
    int warp = 9;                // its warp
    bool routes = false;         // "Fleet Routes" on
    std::string routeFilter = "_All";
    int jumps = 1;               // years of the routes shown
    std::string efficiencyText = "100%";  // the scan efficiency box
    // The movement since an earlier year, drawn into the kept picture; null
    // while none is shown. The generation changes whenever the moves do.
    const std::vector<FleetMove>* movement = nullptr;
    std::uint64_t movementGeneration = 0;
    TrailChoice trails;  // drawn over the routes, never into a kept picture
    // Who can reach a place, over the trails, while its window is open.
    const ReachMarks* reach = nullptr;
};

class MapRedraw {
public:
    MapRedraw(Session& session, Prompter& prompter, FleetReportReader& reports);

    // The full redraw. True when the efficiency box is to show "100%" again
    // (a stored range was drawn while it held more).
    bool refresh_map(Canvas& canvas, MapView& view, const Overlays& overlays);

    // One stored range drawn at once, outside a redraw (adding, replacing
    // and painting over entries of the stored list); true as above.
    bool draw_stored_range(Canvas& canvas, const MapView& view, const StoredRange& range, RangeMode mode,
                           const std::string& efficiencyText);

    // Routes of single fleets drawn at once (map clicks and the particulars).
    RouteContext routes(Canvas& canvas, const MapView& view, int jumps);
    // The route of one fleet in white, when the filter lets its owner
    // through, recorded; the recorded one back in its owner's colour.
    void highlight_route(RouteContext& ctx, const std::string& filter, int owner, int row, int warp);
    void undo_highlight(RouteContext& ctx);
    const RouteHighlight& highlight() const { return highlight_; }
    // Planets and fleets as the last redraw drew them.
    const MapScene& scene() const { return scene_; }

private:
    // What a kept picture of planets and fleets (and the movement over
    // them) depends on besides the scene.
    struct PictureKey {
        int surface = 0;
        double extent = 0;
        NameDensity names = NameDensity::None;
        bool phase = false;  // only where it matters (25% and 50%)
        FleetLabels labels = FleetLabels::Numbers;
        bool hideOwn = false;
        std::uint64_t movement = 0;  // the moves' generation; 0 without them
        bool operator==(const PictureKey&) const = default;
    };
    struct KeptPicture {
        PictureKey key;
        std::uint64_t number;  // the canvas's
        CanvasState state;     // the state the drawing of it left
    };
    // The black surface with planets and fleets, and the movement over them
    // when it is shown: kept pictures again where they still fit, otherwise
    // drawn anew and kept.
    void base_layers(Canvas& canvas, MapView& view, const Overlays& overlays);
    bool restore(Canvas& canvas, MapView& view, const PictureKey& key);
    void keep(Canvas& canvas, const PictureKey& key);

    Session& s_;
    Prompter& prompter_;
    FleetReportReader& reports_;
    MapScene scene_;
    RouteHighlight highlight_;
    std::uint64_t keptScene_ = 0;     // the scene the kept pictures show
    std::vector<KeptPicture> kept_;   // the one used last at the end
};

}  // namespace trevanor
