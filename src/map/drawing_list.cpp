#include "map/drawing_list.h"

#include <algorithm>

namespace trevanor {

namespace {
// Kept lengths remembered at most (the map keeps a few pictures at once).
constexpr std::size_t kKept = 16;

std::uint64_t mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 29);
}

std::uint64_t hash_text(std::uint64_t h, const std::string& text) {
    for (const char c : text) h = h * 1099511628211ull ^ static_cast<unsigned char>(c);
    return mix(h, text.size());
}

std::uint64_t hash_state(const CanvasState& s) {
    std::uint64_t h = mix(s.penColor, static_cast<std::uint64_t>(s.penStyle) << 8 | static_cast<std::uint64_t>(s.penMode));
    h = mix(h, s.brushColor | std::uint64_t{s.brushClear} << 32);
    h = mix(h, s.fontColor | static_cast<std::uint64_t>(static_cast<std::uint32_t>(s.fontSize)) << 32);
    return hash_text(h, s.fontName);
}

PixelBox around(int x1, int y1, int x2, int y2, int margin) {
    return {std::min(x1, x2) - margin, std::min(y1, y2) - margin, std::max(x1, x2) + margin + 1,
            std::max(y1, y2) + margin + 1};
}
}  // namespace

void DrawingList::clear() {
    // Its memory too: a list cleared is one not shown.
    std::vector<Item>().swap(items_);
    std::vector<std::uint64_t>(1, 0).swap(prefix_);
    std::vector<Point>().swap(points_);
    std::vector<std::string>().swap(texts_);
    kept_.clear();
    ++revision_;
}

void DrawingList::setSize(int width, int height) {
    width_ = width;
    height_ = height;
}

std::uint32_t DrawingList::stateIndex() {
    if (lastState_ < states_.size() && states_[lastState_] == state) return lastState_;
    const std::uint64_t h = hash_state(state);
    const auto [from, to] = stateByHash_.equal_range(h);
    for (auto it = from; it != to; ++it)
        if (states_[it->second] == state) return lastState_ = it->second;
    lastState_ = static_cast<std::uint32_t>(states_.size());
    states_.push_back(state);
    stateHashes_.push_back(h);
    stateByHash_.emplace(h, lastState_);
    return lastState_;
}

std::uint64_t DrawingList::hashOf(const Item& item) const {
    std::uint64_t h = mix(stateHashes_[item.state], static_cast<std::uint64_t>(item.kind));
    h = mix(h, static_cast<std::uint32_t>(item.x1) | std::uint64_t{static_cast<std::uint32_t>(item.y1)} << 32);
    h = mix(h, static_cast<std::uint32_t>(item.x2) | std::uint64_t{static_cast<std::uint32_t>(item.y2)} << 32);
    if (item.kind == Kind::Text) return hash_text(h, texts_[item.first]);
    if (item.kind == Kind::Polygon)
        for (std::uint32_t i = 0; i < item.count; ++i) {
            const Point& p = points_[item.first + i];
            h = mix(h, static_cast<std::uint32_t>(p.x) | std::uint64_t{static_cast<std::uint32_t>(p.y)} << 32);
        }
    return h;
}

void DrawingList::add(Item item) {
    item.state = stateIndex();
    item.hash = hashOf(item);
    items_.push_back(item);
    prefix_.push_back(mix(prefix_.back(), item.hash));
    ++revision_;
}

void DrawingList::fillRect(int x1, int y1, int x2, int y2) {
    // An opaque fill of the whole surface: nothing before it shows.
    if (std::min(x1, x2) <= 0 && std::min(y1, y2) <= 0 && std::max(x1, x2) >= width_ && std::max(y1, y2) >= height_) {
        items_.clear();
        prefix_.assign(1, 0);
        points_.clear();
        texts_.clear();
    }
    add({Kind::Fill, 0, x1, y1, x2, y2, 0, 0, {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)}, 0});
}

void DrawingList::ellipse(int x1, int y1, int x2, int y2) {
    add({Kind::Ellipse, 0, x1, y1, x2, y2, 0, 0, around(x1, y1, x2, y2, 3), 0});
}

void DrawingList::polygon(const std::vector<Point>& points) {
    if (points.empty()) return;
    PixelBox box = around(points[0].x, points[0].y, points[0].x, points[0].y, 2);
    for (const Point& p : points) {
        const PixelBox b = around(p.x, p.y, p.x, p.y, 2);
        box = {std::min(box.left, b.left), std::min(box.top, b.top), std::max(box.right, b.right),
               std::max(box.bottom, b.bottom)};
    }
    const auto first = static_cast<std::uint32_t>(points_.size());
    points_.insert(points_.end(), points.begin(), points.end());
    add({Kind::Polygon, 0, points[0].x, points[0].y, 0, 0, first, static_cast<std::uint32_t>(points.size()), box, 0});
}

void DrawingList::lineTo(int x, int y) {
    add({Kind::Line, 0, pen_.x, pen_.y, x, y, 0, 0, around(pen_.x, pen_.y, x, y, 2), 0});
    pen_ = {x, y};
}

void DrawingList::textOut(int x, int y, const std::string& text) {
    // Letters may reach out of their advance and height a little.
    const int w = textWidth(text), h = textHeight(text);
    const auto index = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(text);
    add({Kind::Text, 0, x, y, 0, 0, index, 1, {x - h - 2, y - h - 2, x + w + 2 * h + 2, y + 2 * h + 2}, 0});
}

int DrawingList::textWidth(const std::string& text) {
    measure_.state.fontName = state.fontName;
    measure_.state.fontSize = state.fontSize;
    return measure_.textWidth(text);
}

int DrawingList::textHeight(const std::string& text) {
    measure_.state.fontName = state.fontName;
    measure_.state.fontSize = state.fontSize;
    return measure_.textHeight(text);
}

bool DrawingList::opaque() const {
    if (items_.empty() || items_[0].kind != Kind::Fill) return false;
    const PixelBox& b = items_[0].box;
    return b.left <= 0 && b.top <= 0 && b.right >= width_ && b.bottom >= height_;
}

std::uint64_t DrawingList::keepPicture() {
    const std::uint64_t number = next_picture_number();
    kept_.push_back({number, items_.size(), points_.size(), texts_.size(), prefix_.back(), width_, height_});
    if (kept_.size() > kKept) kept_.erase(kept_.begin());
    return number;
}

bool DrawingList::restorePicture(std::uint64_t kept) {
    const auto it = std::find_if(kept_.begin(), kept_.end(), [kept](const Kept& k) { return k.number == kept; });
    if (it == kept_.end() || it->length > items_.size() || prefix_[it->length] != it->prefix) return false;
    if (items_.size() > it->length) {
        items_.resize(it->length);
        prefix_.resize(it->length + 1);
        points_.resize(it->points);  // what the primitives left refer to
        texts_.resize(it->texts);
        ++revision_;
    }
    width_ = it->width;
    height_ = it->height;
    return true;
}

void DrawingList::play(Canvas& canvas, const PixelBox& area) const {
    std::uint32_t current = UINT32_MAX;
    for (const Item& item : items_) {
        if (!item.box.meets(area)) continue;
        if (item.state != current) {
            current = item.state;
            canvas.state = states_[current];
        }
        switch (item.kind) {
        case Kind::Fill: canvas.fillRect(item.x1, item.y1, item.x2, item.y2); break;
        case Kind::Ellipse: canvas.ellipse(item.x1, item.y1, item.x2, item.y2); break;
        case Kind::Polygon:
            canvas.polygon(std::vector<Point>(points_.begin() + item.first, points_.begin() + item.first + item.count));
            break;
        case Kind::Line:
            canvas.moveTo(item.x1, item.y1);
            canvas.lineTo(item.x2, item.y2);
            break;
        case Kind::Text: canvas.textOut(item.x1, item.y1, texts_[item.first]); break;
        }
    }
}

}  // namespace trevanor
