#include "platform/pixel_line.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace trevanor {

namespace {

// Positions along the line are in 64ths of a pixel, across it in 65536ths.
constexpr int kSub = 64;
constexpr int kFine = 1024;  // from 64ths to 65536ths

int slope_of(int across, int along) {
    return static_cast<int>(static_cast<std::int64_t>(across) * 65536 / along);
}

// Walks the pattern of a broken line one pixel at a time. A line drawn from
// its far end reads the pattern backwards so the stretches lie where they
// would lie drawn from the start.
class DashWalk {
public:
    DashWalk(const LineDashes& d, bool backwards, int span) : d_(d), backwards_(backwards) {
        if (d_.count == 0) return;
        if (backwards_) {
            int end = 0;
            for (int i = 0; i < d_.count; ++i) {
                end += stretch(d_.count - 1 - i);
                ends_[i] = end;
            }
        } else {
            std::copy(d_.ends, d_.ends + d_.count, ends_);
        }
        offset_ = backwards_ ? d_.length - span + kSub / 2 : kSub / 2;
        offset_ %= d_.length;
        if (offset_ < 0) offset_ += d_.length;
        while (offset_ >= ends_[index_]) ++index_;
    }
    bool on() const { return d_.count == 0 || ((index_ + (backwards_ ? 0 : 1)) & 1) != 0; }
    void step() {
        if (d_.count == 0) return;
        offset_ += kSub;
        if (offset_ >= ends_[index_]) index_ = (index_ + 1) % d_.count;
        offset_ %= d_.length;
    }

private:
    int stretch(int i) const { return d_.ends[i] - (i == 0 ? 0 : d_.ends[i - 1]); }
    const LineDashes& d_;
    bool backwards_;
    int ends_[4] = {};
    int offset_ = 0;
    int index_ = 0;
};

}  // namespace

bool draw_pixel_line(const PixelSurface& s, int x1, int y1, int x2, int y2, std::uint32_t colour,
                     const LineDashes& dashes) {
    const auto inside = [&](int x, int y) { return x >= 1 && y >= 1 && x < s.width - 1 && y < s.height - 1; };
    if (!inside(x1, y1) || !inside(x2, y2)) return false;
    if (x1 == x2 && y1 == y2) {  // a point, whatever the pattern
        s.bits[static_cast<std::int64_t>(y1) * s.pixelsPerLine + x1] = colour;
        return true;
    }
    // Along the longer axis one pixel per step; across it the nearest below.
    const bool steep = std::abs(x2 - x1) < std::abs(y2 - y1);
    int a1 = (steep ? y1 : x1) * kSub, b1 = (steep ? x1 : y1) * kSub;
    int a2 = (steep ? y2 : x2) * kSub, b2 = (steep ? x2 : y2) * kSub;
    const bool backwards = a1 > a2;
    if (backwards) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const int slope = slope_of(b2 - b1, a2 - a1);
    int b = b1 * kFine - (slope >> 1);  // square caps: half a pixel more at each end
    a1 -= kSub / 2;
    a2 += kSub / 2;
    int a = (a1 + kSub / 2) / kSub;
    const int aEnd = (a2 + kSub / 2) / kSub;
    // The first position across is taken half a pixel in when it grows along
    // the line, at the pixel's edge otherwise: the raster engine's rounding.
    const int start = slope > 0 ? kSub / 2 : 0;
    b += ((a * kSub + start - a1) * slope) >> 6;
    // One step along moves this far in the pixels, one step across that far.
    const std::int64_t along = steep ? s.pixelsPerLine : 1, across = steep ? 1 : s.pixelsPerLine;
    if (dashes.count == 0) {
        for (; a < aEnd; ++a, b += slope) s.bits[a * along + (b >> 16) * across] = colour;
        return true;
    }
    DashWalk dash(dashes, backwards, (aEnd - a) * kSub);
    for (; a < aEnd; ++a, b += slope) {
        if (dash.on()) s.bits[a * along + (b >> 16) * across] = colour;
        dash.step();
    }
    return true;
}

}  // namespace trevanor
