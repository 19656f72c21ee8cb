#include "map/tile_grid.h"

#include <algorithm>
#include <cmath>

namespace trevanor {

int device_pixel(int v, double scale) { return scale == 1 ? v : static_cast<int>(std::floor(v * scale + 0.5)); }

TileGrid::TileGrid(int mapWidth, int mapHeight, double s, int t)
    : width(device_pixel(mapWidth, s)), height(device_pixel(mapHeight, s)), scale(s), tile(t) {}

TileGrid::Range TileGrid::tilesIn(const DeviceRect& a) const {
    if (a.empty() || tile <= 0) return {};
    const auto floorDiv = [this](int v) { return v >= 0 ? v / tile : -((-v + tile - 1) / tile); };
    return {std::max(floorDiv(a.x), 0), std::max(floorDiv(a.y), 0), std::min(floorDiv(a.x + a.w - 1) + 1, columns()),
            std::min(floorDiv(a.y + a.h - 1) + 1, rows())};
}

TileGrid::Range TileGrid::tilesOf(const PixelBox& box) const {
    const int left = static_cast<int>(std::floor(box.left * scale)) - 1;
    const int top = static_cast<int>(std::floor(box.top * scale)) - 1;
    const int right = static_cast<int>(std::ceil(box.right * scale)) + 1;
    const int bottom = static_cast<int>(std::ceil(box.bottom * scale)) + 1;
    return tilesIn({left, top, right - left, bottom - top});
}

DeviceRect TileGrid::pixelsOf(int column, int row) const {
    const int x = column * tile, y = row * tile;
    return {x, y, std::min(tile, width - x), std::min(tile, height - y)};
}

PixelBox TileGrid::mapBoxOf(const DeviceRect& a) const {
    return {static_cast<int>(std::floor(a.x / scale)) - 1, static_cast<int>(std::floor(a.y / scale)) - 1,
            static_cast<int>(std::ceil((a.x + a.w) / scale)) + 1, static_cast<int>(std::ceil((a.y + a.h) / scale)) + 1};
}

std::vector<std::uint64_t> tile_hashes(const DrawingList& list, const TileGrid& grid) {
    std::vector<std::uint64_t> hashes(static_cast<std::size_t>(std::max(grid.count(), 0)), 0);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TileGrid::Range r = grid.tilesOf(list.box(i));
        const std::uint64_t h = list.hash(i);
        for (int row = r.firstRow; row < r.endRow; ++row)
            for (int column = r.firstColumn; column < r.endColumn; ++column) {
                std::uint64_t& t = hashes[static_cast<std::size_t>(grid.index(column, row))];
                t = (t ^ h) * 0x100000001B3ull + (t >> 29);
            }
    }
    return hashes;
}

}  // namespace trevanor
