#include "map/map_redraw.h"

#include <algorithm>

#include "model/locate.h"

namespace trevanor {

MapRedraw::MapRedraw(Session& session, Prompter& prompter, FleetReportReader& reports)
    : s_(session), prompter_(prompter), reports_(reports) {}

RouteContext MapRedraw::routes(Canvas& canvas, const MapView& view, int jumps) {
    return RouteContext{s_, view, canvas, prompter_, reports_, jumps};
}

void MapRedraw::highlight_route(RouteContext& ctx, const std::string& filter, int owner, int row, int warp) {
    constexpr ColorValue kWhite = 0xFFFFFF;
    check_then_draw_route(ctx, highlight_, filter, owner, row, kWhite, warp);
}

void MapRedraw::undo_highlight(RouteContext& ctx) { trevanor::undo_highlight(ctx, highlight_); }

bool MapRedraw::draw_stored_range(Canvas& canvas, const MapView& view, const StoredRange& range, RangeMode mode,
                                  const std::string& efficiencyText) {
    const ScanEfficiency e = scan_efficiency(efficiencyText);
    draw_scanner_range(canvas, view, s_, {range.x, range.y, range.color, range.nonPenetrating, range.penetrating}, mode,
                       e.percent);
    return e.resetTo100 && mode == RangeMode::Scanner;
}

namespace {
// Kept pictures remembered at most; the canvas may let some go sooner.
constexpr std::size_t kKeptPictures = 8;
}  // namespace

bool MapRedraw::restore(Canvas& canvas, MapView& view, const PictureKey& key) {
    const auto it = std::find_if(kept_.begin(), kept_.end(), [&](const KeptPicture& k) { return k.key == key; });
    if (it == kept_.end()) return false;
    const KeptPicture picture = *it;
    kept_.erase(it);
    if (!canvas.restorePicture(picture.number)) return false;
    set_zoom(view, view.zoom);
    size_surface(canvas, view);
    canvas.state = picture.state;
    kept_.push_back(picture);
    return true;
}

void MapRedraw::keep(Canvas& canvas, const PictureKey& key) {
    kept_.push_back({key, canvas.keepPicture(), canvas.state});
    if (kept_.size() > kKeptPictures) kept_.erase(kept_.begin());
}

void MapRedraw::base_layers(Canvas& canvas, MapView& view, const Overlays& overlays) {
    compute_extent(view, s_.planets);
    scene_.update(s_);
    if (scene_.generation() != keptScene_) {  // the data changed: no kept picture shows it
        canvas.forgetPicture();
        kept_.clear();
        keptScene_ = scene_.generation();
    }
    const bool phased = view.names == NameDensity::Quarter || view.names == NameDensity::Half;
    const PictureKey plain{view.surface(), view.Map_extent, view.names, phased && view.Name_phase, view.labels,
                           view.hideOwn, 0};
    PictureKey moved = plain;
    moved.movement = overlays.movement ? std::max<std::uint64_t>(overlays.movementGeneration, 1) : 0;
    if (overlays.movement && restore(canvas, view, moved)) return;
    if (!restore(canvas, view, plain)) {
        // The surface takes the zoom's size at once and starts all black.
        const int size = view.surface();
        canvas.setSize(size, size);
        canvas.state = CanvasState{};
        canvas.state.brushColor = 0;
        canvas.fillRect(0, 0, size, size);
        draw_stars(canvas, view, scene_);
        draw_fleets(canvas, view, scene_);
        keep(canvas, plain);
    }
    if (!overlays.movement) return;
    draw_movement(canvas, view, s_, *overlays.movement);
    keep(canvas, moved);
}

bool MapRedraw::refresh_map(Canvas& canvas, MapView& view, const Overlays& overlays) {
    base_layers(canvas, view, overlays);

    bool resetEfficiency = false;
    if (overlays.storedRanges)
        for (const StoredRange& range : ScannerList(s_.scannerRanges).entries())
            resetEfficiency = draw_stored_range(canvas, view, range, RangeMode::Scanner, overlays.efficiencyText) ||
                              resetEfficiency;
    if (overlays.jumpPotential) {
        const Located at = locate_object(s_, ObjectKind::Fleet, overlays.jumpFleet, &prompter_);
        const int reach = overlays.warp * overlays.warp;
        draw_scanner_range(canvas, view, s_, {at.x, at.y, at.color, reach, 0}, RangeMode::JumpPotential, 100);
    }
    if (overlays.routes) {
        RouteContext ctx = routes(canvas, view, overlays.jumps);
        draw_OtFR(ctx, overlays.routeFilter);
    }
    draw_trails(canvas, view, s_, overlays.trails);
    if (overlays.reach) draw_reach_marks(canvas, view, s_, *overlays.reach);
    draw_selection_marker(canvas, view);
    return resetEfficiency;
}

}  // namespace trevanor
