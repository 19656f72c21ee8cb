#include "picture_dump.h"

#include <algorithm>
#include <cstdio>

#include <QGuiApplication>

#include "model/numbers.h"
#include "model/players.h"
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

QtMessageHandler qtHandler = nullptr;  // the one in place before the dump's

// Qt's own notes (that XDG_RUNTIME_DIR is not set, as under cron, say) are not
// the dump's messages and stay off standard error; what ends the program
// still reaches it.
void keep_qt_notes_quiet(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    if (qtHandler) qtHandler(type, context, text);
    else std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

NameDensity density_of(const std::string& names) {
    if (names == "25") return NameDensity::Quarter;
    if (names == "50") return NameDensity::Half;
    if (names == "100") return NameDensity::All;
    return NameDensity::None;
}
}  // namespace

std::string picture_request_error(const PictureRequest& r) {
    const auto size = parse_int32(r.zoom);
    const bool zoom = r.zoom == "max" || r.zoom == "150" || r.zoom == "200" || r.zoom == "300" || r.zoom == "400" ||
                      (size && *size >= kSmallestSurface && *size <= kLargestSurface);
    if (!zoom)
        return "--zoom \"" + r.zoom + "\" is no zoom: it takes max, 150, 200, 300, 400 or a surface of " +
               std::to_string(kSmallestSurface) + " to " + std::to_string(kLargestSurface) + " pixels";
    if (r.names != "none" && r.names != "25" && r.names != "50" && r.names != "100")
        return "--names \"" + r.names + "\" is no share of planet names: it takes none, 25, 50 or 100";
    if (r.jumps < 1 || r.jumps > 9) return "--jumps " + std::to_string(r.jumps) + " is no number of years: it takes 1 to 9";
    return {};
}

std::string route_filter_error(const Session& session, const std::string& filter) {
    if (filter.empty()) return {};
    const std::vector<std::string> races = race_names(session);
    for (const char* special : {"_All", "_Only own", "_Own and Allies", "_Only allies"})
        if (filter == special) return {};
    if (std::find(races.begin(), races.end(), filter) != races.end()) return {};
    std::string names;
    for (const std::string& race : races) names += (names.empty() ? "" : ", ") + race;
    return "--routes \"" + filter + "\" is no route filter: it takes \"_All\", \"_Only own\", \"_Own and Allies\", " +
           "\"_Only allies\" or a race of the game (" + (names.empty() ? "none is known" : names) + ")";
}

std::string write_picture(Model& model, Prompter& prompter, const PictureRequest& r) {
    // The labels' font needs a running application, on no screen at all.
    static int argc = 1;
    static char name[] = "trevanor-dump";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(keep_qt_notes_quiet);
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
