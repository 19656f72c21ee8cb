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
    // As many steps at once: every stretch is a pixel long at least, so a
    // step never passes more than one end.
    void skip(int steps) {
        if (d_.count == 0 || steps <= 0) return;
        offset_ = static_cast<int>((offset_ + std::int64_t{steps} * kSub) % d_.length);
        index_ = 0;
        while (offset_ >= ends_[index_]) ++index_;
    }

private:
    int stretch(int i) const { return d_.ends[i] - (i == 0 ? 0 : d_.ends[i - 1]); }
    const LineDashes& d_;
    bool backwards_;
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

// The steps from 0 to before `steps` of a walk (across at b, `slope` more
// each step) that may fall into the rows wanted, a step more either way.
std::pair<int, int> steps_in_rows(bool steep, int a, int steps, int b, int slope, int firstRow, int endRow) {
    double low = 0, high = steps;
    if (steep) {  // the rows are the steps
        low = firstRow - a;
        high = endRow - a;
    } else if (slope == 0) {
        const int row = b >> 16;
        if (row < firstRow || row >= endRow) return {0, 0};
    } else {
        const double toFirst = (firstRow * 65536.0 - b) / slope, toEnd = (endRow * 65536.0 - b) / slope;
        low = std::floor(std::min(toFirst, toEnd)) - 1;
        high = std::ceil(std::max(toFirst, toEnd)) + 1;
    }
    const auto within = [steps](double v) { return static_cast<int>(std::clamp(v, 0.0, double(steps))); };
    return {within(low), within(high)};
}

}  // namespace

bool pixel_lines_fit(int width, int height) { return width < kFar && height < kFar; }

bool draw_pixel_line(const PixelSurface& s, int x1, int y1, int x2, int y2, std::uint32_t colour,
                     const LineDashes& dashes, PixelInk ink) {
    if (!pixel_lines_fit(s.width, s.height)) return false;
    const int top = std::max(s.firstRow, 0), bottom = std::min(s.endRow, s.height);
    const auto inside = [&](int x, int y) { return x >= 0 && y >= top && x < s.width && y < bottom; };
    const auto put = [&](int x, int y) {
        std::uint32_t& pixel = s.bits[static_cast<std::int64_t>(y) * s.pixelsPerLine + x];
        pixel = ink == PixelInk::Merge ? pixel | colour : colour;
    };
    if (x1 == x2 && y1 == y2) {  // a point, whatever the pattern
        if (inside(x1, y1)) put(x1, y1);
        return true;
    }
    // Cut to a pixel beyond each edge, and taken to 64ths of a pixel (towards
    // zero), as the raster engine does before it walks a line.
    double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
    if (!cut_to(fx1, fy1, fx2, fy2, -1.0, s.width + 1.0) || !cut_to(fy1, fx1, fy2, fx2, -1.0, s.height + 1.0))
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
    const auto plot = [&](int along, int across) {
        const int x = steep ? across : along, y = steep ? along : across;
        if (inside(x, y)) put(x, y);
    };
    // Only the steps through the rows wanted are walked.
    const auto [skipped, walked] = steps_in_rows(steep, a, aEnd - a, b, slope, top, bottom);
    DashWalk dash(dashes, backwards, (aEnd - a) * kSub);
    dash.skip(skipped);
    const int aStart = a;
    a += skipped;
    b += skipped * slope;
    const int aStop = aStart + walked;
    if (dashes.count == 0) {
        for (; a < aStop; ++a, b += slope) plot(a, b >> 16);
        return true;
    }
    for (; a < aStop; ++a, b += slope) {
        if (dash.on()) plot(a, b >> 16);
        dash.step();
    }
    return true;
}

}  // namespace trevanor
