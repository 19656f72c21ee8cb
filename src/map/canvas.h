#pragma once
// The drawing surface the map is painted on: the few primitives the map
// needs, with pen, brush and font state. Colours are 0x00BBGGRR values.
// Rectangles and ellipses take bounding boxes whose right and bottom edges
// are exclusive; a line ends just before its end point.

#include <cstdint>
#include <string>
#include <vector>

#include "model/session.h"

namespace trevanor {

enum class PenStyle { Solid, Dot, Dash, DashDot };
enum class PenMode { Copy, Merge };  // Merge: bitwise OR of pen and pixel

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct CanvasState {
    ColorValue penColor = 0;
    PenStyle penStyle = PenStyle::Solid;
    PenMode penMode = PenMode::Copy;
    ColorValue brushColor = 0xFFFFFF;
    bool brushClear = false;  // outlines only, transparent text background
    std::string fontName = "Tahoma";
    int fontSize = 8;
    ColorValue fontColor = 0;
    bool operator==(const CanvasState&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    CanvasState state;

    // Makes the surface w x h pixels, keeping what is drawn in its top-left part.
    virtual void setSize(int width, int height) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void fillRect(int x1, int y1, int x2, int y2) = 0;  // brush only
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;   // pen outline, brush fill unless clear
    virtual void polygon(const std::vector<Point>& points) = 0;  // likewise
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual void textOut(int x, int y, const std::string& text) = 0;
    virtual int textWidth(const std::string& text) = 0;
    virtual int textHeight(const std::string& text) = 0;

    // Keeping a picture to draw on a copy of it later: keepPicture() keeps
    // the picture as drawn so far (size and pixels, not the state) and
    // returns a number naming it, never 0 and never given twice in a
    // process; restorePicture() makes the surface that picture again and is
    // false (changing nothing) when the canvas keeps no picture of that
    // number (it may let old ones go). A canvas that cannot keep pictures
    // answers 0 and false.
    virtual std::uint64_t keepPicture() { return 0; }
    virtual bool restorePicture(std::uint64_t /*kept*/) { return false; }
    // No kept picture is wanted any more (the data changed).
    virtual void forgetPicture() {}
};

// A new number for keepPicture().
std::uint64_t next_picture_number();

}  // namespace trevanor
