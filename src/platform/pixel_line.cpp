#include "platform/pixel_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace trevanor {

namespace {

// Positions along the line are in 64ths of a pixel, across it in 65536ths.
constexpr int kSub = 64;
constexpr int kFine = 1024;  // from 64ths to 65536ths
// Surfaces this large are left to the raster engine (positions in 65536ths
// of a pixel stay within an int below it).
constexpr int kFar = 1 << 14;

int slope_of(int across, int along) {
    return static_cast<int>(static_cast<std::int64_t>(across) * 65536 / along);
}

// Walks the pattern of a broken line one pixel at a time. A line drawn from
// its far end reads the pattern backwards so the stretches lie where they
// would lie drawn from the start.
class DashWalk {
public:
    DashWalk(const LineDashes& d, bool backwards, int span)
        : count_(d.count), length_(d.length), first_(backwards ? 0 : 1) {
        if (count_ == 0) return;
        if (backwards) {
            const auto stretch = [&d](int i) { return d.ends[i] - (i == 0 ? 0 : d.ends[i - 1]); };
            int end = 0;
            for (int i = 0; i < count_; ++i) {
                end += stretch(count_ - 1 - i);
                ends_[i] = end;
            }
        } else {
            std::copy(d.ends, d.ends + count_, ends_);
        }
        offset_ = backwards ? length_ - span + kSub / 2 : kSub / 2;
        offset_ %= length_;
        if (offset_ < 0) offset_ += length_;
        find();
    }
    bool solid() const { return count_ == 0; }
    bool on() const { return count_ == 0 || ((index_ + first_) & 1) != 0; }
    // One pixel on: every stretch is a pixel long at least, so a step never
    // passes more than one end, and the pattern is longer than a pixel.
    void step() {
        if (count_ == 0) return;
        offset_ += kSub;
        if (offset_ >= ends_[index_] && ++index_ == count_) index_ = 0;
        if (offset_ >= length_) offset_ -= length_;
    }
    void skip(int steps) {
        if (count_ == 0 || steps <= 0) return;
        offset_ = static_cast<int>((offset_ + std::int64_t{steps} * kSub) % length_);
        find();
    }

private:
    void find() {
        index_ = 0;
        while (offset_ >= ends_[index_]) ++index_;
    }
    int count_, length_, first_;
    int ends_[4] = {};
    int offset_ = 0;
    int index_ = 0;
};

// Cuts the line from (a1, b1) to (a2, b2) where a leaves [low, high]; false
// when it lies wholly outside. The raster engine's own cut, in its order.
bool cut_to(double& a1, double& b1, double& a2, double& b2, double low, double high) {
    if (a1 < low) {
        if (a2 <= low) return false;
        b1 += (b2 - b1) / (a2 - a1) * (low - a1);
        a1 = low;
    } else if (a1 > high) {
        if (a2 >= high) return false;
        b1 += (b2 - b1) / (a2 - a1) * (high - a1);
        a1 = high;
    }
    if (a2 < low) {
        b2 += (b2 - b1) / (a2 - a1) * (low - a2);
        a2 = low;
    } else if (a2 > high) {
        b2 += (b2 - b1) / (a2 - a1) * (high - a2);
        a2 = high;
    }
    return true;
}

// A walk along the longer axis from `a`, across at b (in 65536ths of a
// pixel, `slope` more each step), within the pixels [0, width) x
// [firstRow, endRow) of the surface.
struct Walk {
    bool steep;
    int a, b, slope;
    int across(int step) const { return static_cast<int>((std::int64_t{b} + std::int64_t{step} * slope) >> 16); }
    bool inside(const PixelSurface& s, int top, int bottom, int step) const {
        const int along = a + step, side = across(step);
        const int x = steep ? side : along, y = steep ? along : side;
        return x >= 0 && x < s.width && y >= top && y < bottom;
    }
};

// The steps from 0 to before `steps` whose pixels lie inside: worked out
// with a step to spare either way, then narrowed pixel by pixel (the pixels
// inside are one stretch of the walk, the across position only growing or
// only shrinking).
std::pair<int, int> steps_inside(const PixelSurface& s, int top, int bottom, const Walk& w, int steps) {
    if (w.inside(s, top, bottom, 0) && w.inside(s, top, bottom, steps - 1)) return {0, steps};  // the ends are: all are
    const int alongLow = w.steep ? top : 0, alongHigh = w.steep ? bottom : s.width;
    const int acrossLow = w.steep ? 0 : top, acrossHigh = w.steep ? s.width : bottom;
    double low = std::max(0, alongLow - w.a), high = std::min(steps, alongHigh - w.a);
    if (w.slope == 0) {
        if (w.across(0) < acrossLow || w.across(0) >= acrossHigh) return {0, 0};
    } else {
        const double toLow = (acrossLow * 65536.0 - w.b) / w.slope, toHigh = (acrossHigh * 65536.0 - w.b) / w.slope;
        low = std::max(low, std::floor(std::min(toLow, toHigh)) - 1);
        high = std::min(high, std::ceil(std::max(toLow, toHigh)) + 1);
    }
    int first = static_cast<int>(std::max(low, 0.0)), end = static_cast<int>(std::min(high, double(steps)));
    while (first < end && !w.inside(s, top, bottom, first)) ++first;
    while (end > first && !w.inside(s, top, bottom, end - 1)) --end;
    return {first, end};
}

// Sets the pixels of steps [first, end) of the walk, every one inside.
template <bool merge, bool dashed>
void put_steps(const PixelSurface& s, const Walk& w, int first, int end, std::uint32_t colour, DashWalk& dash) {
    const std::int64_t line = s.pixelsPerLine;
    std::int64_t b = std::int64_t{w.b} + std::int64_t{first} * w.slope;
    for (int along = w.a + first; along < w.a + end; ++along, b += w.slope) {
        if (!dashed || dash.on()) {
            const int side = static_cast<int>(b >> 16);
            std::uint32_t& pixel = w.steep ? s.bits[along * line + side] : s.bits[side * line + along];
            pixel = merge ? pixel | colour : colour;
        }
        if (dashed) dash.step();
    }
}

template <bool merge>
void put_steps(const PixelSurface& s, const Walk& w, int first, int end, std::uint32_t colour, DashWalk& dash) {
    if (dash.solid()) put_steps<merge, false>(s, w, first, end, colour, dash);
    else put_steps<merge, true>(s, w, first, end, colour, dash);
}

}  // namespace

bool pixel_lines_fit(int width, int height) { return width < kFar && height < kFar; }

bool draw_pixel_line(const PixelSurface& s, int x1, int y1, int x2, int y2, std::uint32_t colour,
                     const LineDashes& dashes, PixelInk ink) {
    if (!pixel_lines_fit(s.wholeWidth(), s.wholeHeight())) return false;
    const int top = std::max(s.firstRow, 0), bottom = std::min(s.endRow, s.height);
    const auto inside = [&](int x, int y) { return x >= 0 && y >= top && x < s.width && y < bottom; };
    const auto put = [&](int x, int y) {
        std::uint32_t& pixel = s.bits[static_cast<std::int64_t>(y) * s.pixelsPerLine + x];
        pixel = ink == PixelInk::Merge ? pixel | colour : colour;
    };
    if (x1 == x2 && y1 == y2) {  // a point, whatever the pattern
        if (inside(x1 - s.originX, y1 - s.originY)) put(x1 - s.originX, y1 - s.originY);
        return true;
    }
    // Cut to a pixel beyond each edge, and taken to 64ths of a pixel (towards
    // zero), as the raster engine does before it walks a line.
    double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
    if (!cut_to(fx1, fy1, fx2, fy2, -1.0, s.wholeWidth() + 1.0) || !cut_to(fy1, fx1, fy2, fx2, -1.0, s.wholeHeight() + 1.0))
        return true;
    const auto fixed = [](double v) { return static_cast<int>(v * kSub); };
    // Along the longer axis one pixel per step; across it the nearest below.
    const bool steep = std::abs(fixed(fx2) - fixed(fx1)) < std::abs(fixed(fy2) - fixed(fy1));
    int a1 = fixed(steep ? fy1 : fx1), b1 = fixed(steep ? fx1 : fy1);
    int a2 = fixed(steep ? fy2 : fx2), b2 = fixed(steep ? fx2 : fy2);
    if (a1 == a2) return true;  // cut down to nothing
    const bool backwards = a1 > a2;
    if (backwards) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const int slope = slope_of(b2 - b1, a2 - a1);
    int b = b1 * kFine - (slope >> 1);  // square caps: half a pixel more at each end
    a1 -= kSub / 2;
    a2 += kSub / 2;
    int a = (a1 + kSub / 2) >> 6;
    const int aEnd = (a2 + kSub / 2) >> 6;
    // The first position across is taken half a pixel in when it grows along
    // the line, at the pixel's edge otherwise: the raster engine's rounding.
    const int start = slope > 0 ? kSub / 2 : 0;
    b += ((a * kSub + start - a1) * slope) >> 6;
    const int steps = aEnd - a;
    // Into the window: whole pixels along and across, so every step falls
    // on the pixel it falls on in the whole surface.
    a -= steep ? s.originY : s.originX;
    b -= (steep ? s.originX : s.originY) * 65536;
    const Walk walk{steep, a, b, slope};
    const auto [first, end] = steps_inside(s, top, bottom, walk, steps);
    DashWalk dash(dashes, backwards, steps * kSub);
    dash.skip(first);
    if (ink == PixelInk::Merge) put_steps<true>(s, walk, first, end, colour, dash);
    else put_steps<false>(s, walk, first, end, colour, dash);
    return true;
}

}  // namespace trevanor
