#pragma once
// The map's drawing kept as a list: what a redraw draws, recorded through
// the Canvas interface, to be played back into any part of the surface (a
// tile of the window) as often as that part is shown. Each primitive keeps
// the state it was drawn with, the box of the map's pixels it may touch and
// a hash of what it is, so that the parts a change touches can be told by
// comparing the hashes of the primitives over them (map/tile_grid.h).
//
// A fill of the whole surface hides all that was drawn before it: the list
// starts over there. Keeping a picture keeps the list as long as it is, and
// putting it back cuts the list to that length again, while the primitives
// up to there are still the same.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "map/canvas.h"

namespace trevanor {

// Pixels of the map from (left, top) to before (right, bottom).
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool meets(const PixelBox& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

class DrawingList : public Canvas {
public:
    // Texts are measured by `measure`, the canvas the list is played into.
    explicit DrawingList(Canvas& measure) : measure_(measure) {}

    void setSize(int width, int height) override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fillRect(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const std::vector<Point>& points) override;
    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;
    std::uint64_t keepPicture() override;
    bool restorePicture(std::uint64_t kept) override;
    void forgetPicture() override { kept_.clear(); }

    // Nothing drawn, nothing kept.
    void clear();

    std::size_t size() const { return items_.size(); }
    // True when the drawing starts by filling the whole surface.
    bool opaque() const;
    // The box and the hash of a primitive.
    const PixelBox& box(std::size_t i) const { return items_[i].box; }
    std::uint64_t hash(std::size_t i) const { return items_[i].hash; }
    // Changes with every primitive added and every cut of the list.
    std::uint64_t revision() const { return revision_; }

    // Draws every primitive whose box meets `area` into `canvas`, in order,
    // each with its own state.
    void play(Canvas& canvas, const PixelBox& area) const;

private:
    enum class Kind : std::uint8_t { Fill, Ellipse, Polygon, Line, Text };
    struct Item {
        Kind kind;
        std::uint32_t state;  // in states_
        int x1, y1, x2, y2;   // corners, ends, or a text's point
        std::uint32_t first = 0, count = 0;  // points of a polygon, or a text, in their lists
        PixelBox box;
        std::uint64_t hash;
    };
    void add(Item item);
    std::uint32_t stateIndex();
    // The hash of the state and the numbers of a primitive.
    std::uint64_t hashOf(const Item& item) const;

    Canvas& measure_;
    int width_ = 1, height_ = 1;
    Point pen_;
    std::vector<Item> items_;
    std::vector<std::uint64_t> prefix_{0};  // hash of the first i primitives
    std::vector<Point> points_;
    std::vector<std::string> texts_;
    std::vector<CanvasState> states_;
    std::vector<std::uint64_t> stateHashes_;
    std::unordered_multimap<std::uint64_t, std::uint32_t> stateByHash_;
    std::uint32_t lastState_ = UINT32_MAX;
    std::uint64_t revision_ = 0;
    struct Kept {
        std::uint64_t number;
        std::size_t length, points, texts;
        std::uint64_t prefix;
        int width, height;
    };
    std::vector<Kept> kept_;
};

}  // namespace trevanor
