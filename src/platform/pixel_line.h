#pragma once

#include <cstdint>

namespace trevanor {

// Where a one-pixel line goes: the pixels of a 32-bit image, row by row.
struct PixelSurface {
    std::uint32_t* bits = nullptr;
    int pixelsPerLine = 0;
    int width = 0;
    int height = 0;
};

// The on/off pattern of a broken line, in 64ths of a pixel: the end of each
// stretch (on, off, on, ...) counted from the line's start. No stretches: solid.
struct LineDashes {
    int ends[4] = {};
    int count = 0;
    int length = 0;
};

// How a line's colour meets the pixels below: put in their place, or
// merged (the bitwise or of both).
enum class PixelInk { Copy, Merge };

// A one-pixel line from (x1, y1) to (x2, y2), both ends included, written
// straight into the pixels in one opaque colour: the same pixels the Qt
// raster engine sets for an aliased cosmetic pen with square caps, cut at
// the surface's edges where it cuts them. False, and nothing written, on a
// surface too large for its arithmetic (the caller then draws the slow way).
bool draw_pixel_line(const PixelSurface& surface, int x1, int y1, int x2, int y2, std::uint32_t colour,
                     const LineDashes& dashes, PixelInk ink = PixelInk::Copy);

}  // namespace trevanor
