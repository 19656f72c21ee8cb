#include "picture_dump.h"

#include <QGuiApplication>

#include "model/numbers.h"
#include "platform/map_picture.h"
#include "platform/services.h"

namespace trevanor {

namespace {
// The zoom of the request: a fixed level, or a surface that fits a window.
void apply_zoom(const std::string& zoom, MapView& view) {
    const std::pair<const char*, Zoom> levels[] = {
        {"max", Zoom::MaxOut}, {"150", Zoom::Zoom150}, {"200", Zoom::Zoom200}, {"300", Zoom::Zoom300}, {"400", Zoom::Zoom400}};
    for (const auto& [name, level] : levels)
        if (zoom == name) {
            set_zoom(view, level);
            return;
        }
    set_zoom(view, Zoom::Fit, to_int_def(zoom, kSmallestSurface));
}

NameDensity density_of(const std::string& names) {
    if (names == "25") return NameDensity::Quarter;
    if (names == "50") return NameDensity::Half;
    if (names == "100") return NameDensity::All;
    return NameDensity::None;
}
}  // namespace

bool valid_picture_request(const PictureRequest& r) {
    const auto size = parse_int32(r.zoom);
    const bool zoom = r.zoom == "max" || r.zoom == "150" || r.zoom == "200" || r.zoom == "300" || r.zoom == "400" ||
                      (size && *size >= kSmallestSurface && *size <= kLargestSurface);
    const bool names = r.names == "none" || r.names == "25" || r.names == "50" || r.names == "100";
    return zoom && names && r.jumps >= 1 && r.jumps <= 9;
}

std::string write_picture(Model& model, Prompter& prompter, const PictureRequest& r) {
    // The labels' font needs a running application, on no screen at all.
    static int argc = 1;
    static char name[] = "trevanor-dump";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    provide_tahoma();

    MapView view;
    apply_zoom(r.zoom, view);
    view.names = density_of(r.names);
    view.Name_phase = false;  // as after the menu's 25% or 50% was chosen once
    Overlays overlays;
    overlays.routes = !r.routes.empty();
    overlays.routeFilter = r.routes;
    overlays.jumps = r.jumps;
    const QImage picture = draw_map_picture(model.session, prompter, model.commands.reports(), view, overlays);
    return save_map_picture(picture, QString::fromLocal8Bit(r.path.c_str()));
}

}  // namespace trevanor
