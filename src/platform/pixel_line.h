#pragma once

#include <cstdint>

namespace trevanor {

// Where a one-pixel line goes: the pixels of a 32-bit image, row by row.
// A line may be written only into the rows from firstRow to before endRow
// (a band of the image drawn on its own); it is cut at the image's edges all
// the same, so the band gets the very pixels of the whole line.
//
// The pixels may be a window of a larger surface (a tile of the map): its
// first pixel is then (originX, originY) of the surface, and a line is cut
// at the edges of the whole surface (surfaceWidth x surfaceHeight), so that
// the window gets the very pixels the line has in the whole picture.
struct PixelSurface {
    std::uint32_t* bits = nullptr;
    int pixelsPerLine = 0;
    int width = 0;
    int height = 0;
    int firstRow = 0;
    int endRow = 1 << 30;
    int originX = 0, originY = 0;
    int surfaceWidth = 0, surfaceHeight = 0;  // 0: the window's own
    int wholeWidth() const { return surfaceWidth > 0 ? surfaceWidth : width; }
    int wholeHeight() const { return surfaceHeight > 0 ? surfaceHeight : height; }
};

// Whether lines on a surface this large can be written straight into the
// pixels (positions in 65536ths of a pixel must stay within an int).
bool pixel_lines_fit(int width, int height);

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

// A one-pixel line from (x1, y1) to (x2, y2) (points of the whole surface),
// both ends included, written
// straight into the pixels in one opaque colour: the same pixels the Qt
// raster engine sets for an aliased cosmetic pen with square caps, cut at
// the surface's edges where it cuts them. False, and nothing written, on a
// surface too large for its arithmetic (the caller then draws the slow way:
// pixel_lines_fit tells beforehand).
bool draw_pixel_line(const PixelSurface& surface, int x1, int y1, int x2, int y2, std::uint32_t colour,
                     const LineDashes& dashes, PixelInk ink = PixelInk::Copy);

}  // namespace trevanor
