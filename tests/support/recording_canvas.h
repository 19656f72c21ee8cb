#pragma once
// A canvas that draws nothing and records every call with the state it was
// made in, so tests can check what was drawn where. Text is measured as
// 6 pixels per character and 13 pixels high. A kept picture is the list of
// calls so far; putting it back makes that the list again.

#include <map>

#include "map/canvas.h"

namespace trevanor {

class RecordingCanvas : public Canvas {
public:
    enum class Op { FillRect, Ellipse, Polygon, MoveTo, LineTo, Text };
    struct Call {
        Op op;
        std::vector<Point> points;
        std::string text;
        CanvasState state;
        bool operator==(const Call&) const = default;
    };

    void setSize(int width, int height) override {
        width_ = width;
        height_ = height;
    }
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fillRect(int x1, int y1, int x2, int y2) override { add(Op::FillRect, {{x1, y1}, {x2, y2}}); }
    void ellipse(int x1, int y1, int x2, int y2) override { add(Op::Ellipse, {{x1, y1}, {x2, y2}}); }
    void polygon(const std::vector<Point>& points) override { add(Op::Polygon, points); }
    void moveTo(int x, int y) override { add(Op::MoveTo, {{x, y}}); }
    void lineTo(int x, int y) override { add(Op::LineTo, {{x, y}}); }
    void textOut(int x, int y, const std::string& text) override { add(Op::Text, {{x, y}}, text); }
    int textWidth(const std::string& text) override { return 6 * static_cast<int>(text.size()); }
    int textHeight(const std::string&) override { return 13; }
    std::uint64_t keepPicture() override {
        ++keeps;
        const std::uint64_t number = next_picture_number();
        kept_[number] = {calls, width_, height_};
        return number;
    }
    bool restorePicture(std::uint64_t kept) override {
        const auto it = kept_.find(kept);
        if (it == kept_.end()) return false;
        calls = it->second.calls;
        width_ = it->second.width;
        height_ = it->second.height;
        ++restores;
        return true;
    }
    void forgetPicture() override { kept_.clear(); }

    std::vector<Call> calls;
    int keeps = 0, restores = 0;

    std::vector<Call> of(Op op) const {
        std::vector<Call> out;
        for (const auto& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }

private:
    void add(Op op, std::vector<Point> points, std::string text = {}) {
        calls.push_back({op, std::move(points), std::move(text), state});
    }
    int width_ = 0, height_ = 0;
    struct Kept {
        std::vector<Call> calls;
        int width = 0, height = 0;
    };
    std::map<std::uint64_t, Kept> kept_;
};

}  // namespace trevanor
