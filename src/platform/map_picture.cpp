#include "platform/map_picture.h"

#include <QFileInfo>
#include <QImageWriter>
#include <climits>

#include "platform/cp1252.h"
#include "platform/services.h"
#include "platform/qt_canvas.h"

namespace trevanor {

QImage draw_map_picture(Session& session, Prompter& prompter, FleetReportReader& reports, MapView view,
                        const Overlays& overlays) {
    QtCanvas canvas;
    MapRedraw redraw(session, prompter, reports);
    redraw.refresh_map(canvas, view, overlays);
    return canvas.image();
}

QImage draw_whole_picture(const DrawingList& list, qreal scale) {
    QtCanvas canvas;
    canvas.setScale(scale);
    canvas.setSize(list.width(), list.height());
    list.play(canvas, PixelBox{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2});
    return canvas.image();
}

std::string save_map_picture(const QImage& picture, const QString& path) {
    QImageWriter writer(path, "png");
    // The picture is mostly black: light compression is small enough and
    // keeps the largest picture quick to write.
    writer.setQuality(60);
    if (writer.write(picture)) return {};
    return toCp1252(QStringLiteral("Cannot write file \"%1\": %2").arg(path, writer.errorString()));
}

QString picture_file_name(const std::string& mapName, const MapView& view) {
    const QString base = QFileInfo(path_text(mapName)).completeBaseName();  // a file name, not text of the game
    QString zoom;
    switch (view.zoom) {
    case Zoom::MaxOut: zoom = QStringLiteral("max"); break;
    case Zoom::Fit: zoom = QString::number(view.fitSize); break;
    default: zoom = QString::number(view.surface() / 10); break;
    }
    return (base.isEmpty() ? QStringLiteral("map") : base) + u'-' + zoom + QStringLiteral(".png");
}

}  // namespace trevanor
