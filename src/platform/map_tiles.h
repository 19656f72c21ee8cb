#pragma once
// The pixels of the map's tiles: each tile of the surface the window shows
// is drawn from the drawing list (map/drawing_list.h) into a picture of its
// own, at the screen's scale, and kept while what it shows stays the same
// (map/tile_grid.h tells). Only tiles of the visible part, and of a margin
// of one tile around it, are drawn and kept, so what the map holds grows
// with the window, not with the zoom.
//
// Tiles missing where the window paints are drawn at once, together in one
// window of the surface where they lie side by side (the canvas's two
// threads draw it in bands); those of the margin are drawn a few at a time
// when nothing else is waiting.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "map/drawing_list.h"
#include "map/tile_grid.h"
#include "platform/qt_canvas.h"

namespace trevanor {

class MapTiles {
public:
    MapTiles();

    // The canvas the tiles are drawn with: the drawing list measures its texts with it.
    QtCanvas& canvas() { return canvas_; }

    // What is to be shown from now on: `list` (which stays while it is
    // shown) at the scale. Tiles whose part of the drawing changed are
    // forgotten; the surface's pixels to paint again are returned (in the
    // map's pixels; empty when nothing changed).
    QRegion show(const DrawingList& list, qreal scale);
    qreal scale() const { return grid_.scale; }

    // Paints `exposed` (the map's pixels) of the surface with `painter`,
    // which paints in the map's pixels on a device of the scale's pixels.
    void paint(QPainter& painter, QRect exposed);
    // Draws tiles of `visible` (the map's pixels) and of one tile around it
    // not drawn yet, at most `most` of them, and lets go of tiles far from
    // it; true while some are left to draw.
    bool prepareAround(QRect visible, int most = 1);
    // Every tile let go: all are drawn again when shown.
    void forget();
    // Every tile and every prepared picture let go (the map closed).
    void letGo();

    // The tiles drawn since the tiles were made, and those held now.
    long drawnTiles() const { return drawn_; }
    std::size_t heldTiles() const { return tiles_.size(); }
    // The bytes of the pixels they hold (a window of pixels shared by several once).
    std::size_t heldBytes() const;
    // The pixels of a part of the surface (the screen's pixels) as the
    // tiles show it, drawn where missing.
    QImage pixels(QRect area);

private:
    // The pixels of tiles drawn together, which the tiles show in place.
    struct Window {
        QImage pixels;
        int tiles = 0, held = 0;
    };
    struct Tile {
        QImage image;  // a part of its window's pixels, or its own
        std::shared_ptr<Window> window;
        std::uint64_t hash = 0;
        std::uint64_t used = 0;
    };
    void drop(int index) { drop(std::vector<int>{index}); }
    void drop(const std::vector<int>& indices);
    DeviceRect devicePixels(QRect mapArea) const;
    // Draws the missing tiles of the range (all of them in one window when
    // they lie close together, else each alone).
    void drawMissing(const TileGrid::Range& range);
    void drawWindow(const DeviceRect& window, const std::vector<int>& tiles);
    // Lets go of the tiles outside `keep` beyond as many as it holds.
    void trim(const TileGrid::Range& keep);

    QtCanvas canvas_;
    const DrawingList* list_ = nullptr;
    TileGrid grid_;
    std::vector<std::uint64_t> hashes_;
    std::unordered_map<int, Tile> tiles_;
    std::uint64_t clock_ = 0;
    long drawn_ = 0;
};

}  // namespace trevanor
