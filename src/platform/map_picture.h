#pragma once
// The map's picture written to a file: planets, fleets, names, routes,
// ranges and the marker, drawn afresh in the map's redraw order onto a
// canvas of its own, so that the map window and trevanor-dump make the very
// same pixels (the window never saves what its own canvas holds).

#include <QImage>
#include <QString>
#include <string>

#include "map/drawing_list.h"
#include "map/map_redraw.h"

namespace trevanor {

// The picture of `view` (its zoom, labels, names and marker) with `overlays`.
QImage draw_map_picture(Session& session, Prompter& prompter, FleetReportReader& reports, MapView view,
                        const Overlays& overlays);

// The whole surface a drawing list shows, at a scale (the screen's pixels
// per pixel of the map), drawn at once.
QImage draw_whole_picture(const DrawingList& list, qreal scale);

// Writes the picture as a PNG file; the system's message when it cannot.
std::string save_map_picture(const QImage& picture, const QString& path);

// The file name the save dialog suggests: "<MAP name>-<zoom>.png", the zoom
// as "max", "150" ... "400", or the surface's size in pixels when it fits
// the window.
QString picture_file_name(const std::string& mapName, const MapView& view);

}  // namespace trevanor
