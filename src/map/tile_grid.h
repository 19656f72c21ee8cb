#pragma once
// The map's surface cut into square tiles of the screen's own pixels, as
// the window shows it: which tiles a part of the map reaches into, which
// part of the map a tile shows, and a hash of what each tile shows (the
// primitives of the drawing list over it, in order), so that a change of
// the drawing is redrawn in the tiles it touches only.

#include <cstdint>
#include <vector>

#include "map/drawing_list.h"

namespace trevanor {

// A coordinate of the map in the screen's own pixels at a scale: the
// nearest pixel (half up), as the canvas places what it draws.
int device_pixel(int v, double scale);

// Pixels of the screen from (x, y), w x h.
struct DeviceRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

struct TileGrid {
    int width = 0, height = 0;  // the surface, in the screen's own pixels
    double scale = 1;
    int tile = 256;             // pixels each way

    TileGrid() = default;
    // The grid of a surface of the map's pixels at a scale.
    TileGrid(int mapWidth, int mapHeight, double scale, int tile = 256);
    bool operator==(const TileGrid&) const = default;

    int columns() const { return (width + tile - 1) / tile; }
    int rows() const { return (height + tile - 1) / tile; }
    int count() const { return columns() * rows(); }
    int index(int column, int row) const { return row * columns() + column; }

    // The tiles from (firstColumn, firstRow) to before (endColumn, endRow).
    struct Range {
        int firstColumn = 0, firstRow = 0, endColumn = 0, endRow = 0;
    };
    // The tiles a part of the screen's pixels reaches into, and those of a
    // box of the map's pixels (with a pixel to spare each way).
    Range tilesIn(const DeviceRect& area) const;
    Range tilesOf(const PixelBox& box) const;
    // A tile's pixels (cut at the surface's edge), and the part of the map
    // it shows (with a pixel to spare each way).
    DeviceRect pixelsOf(int column, int row) const;
    PixelBox mapBoxOf(const DeviceRect& area) const;
};

// The hash of what each tile shows, by index.
std::vector<std::uint64_t> tile_hashes(const DrawingList& list, const TileGrid& grid);

}  // namespace trevanor
