#pragma once
// A shape or text drawn once through QPainter, to be copied into a picture
// pixel by pixel afterwards with the very pixels QPainter would have made.
//
// It is drawn over black, white, its own ink and a test colour. A pixel that
// differs from the background over black or white is one the drawing sets;
// one that is the same over black and white is a fixed colour. Any other one
// (the soft edge of a letter) is mixed with what lies below: QPainter makes
// it value-over-black + below * inverse / 255, rounded per channel, where the
// inverse is what the pixel lets through (value over white minus value over
// black). A pixel follows that rule when one letter covers it and the rule
// gives the drawings over the ink and the test colour; where letters overlap
// it is mixed twice and is known only over the backgrounds it was drawn over
// (black, white and its ink: a label over its own diamond) and those it is
// later seen drawn over by QPainter (a label over its neighbour, redrawn in
// every picture of the map).

#include <QImage>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/pixel_line.h"

namespace trevanor {

class PreparedImage {
public:
    // The pixels (relative to the point) where two or more letters are mixed
    // over each other; nothing when that is not known (every mixed pixel
    // may be).
    using Overlaps = std::optional<std::vector<QPoint>>;

    // Draws through `draw`, which gets the painter and the point to draw at,
    // and keeps what it drew inside `area` (relative to that point). A
    // drawing that reaches the edge of the area, or an area too large,
    // leaves the image unusable.
    PreparedImage(QRect area, QRgb ink, const std::function<void(QPainter&, QPoint)>& draw,
                  const Overlaps& overlaps = std::vector<QPoint>());

    // The edge of the picture cuts off what was drawn pixel by pixel
    // (texts, small shapes): such an image may be copied in part.
    void mayClip() { clips_ = true; }

    bool usable() const { return usable_; }
    // Copies the image to (x, y) of a 32-bit picture; false (and nothing
    // copied) when QPainter must draw it: it would be cut by the edge of the
    // picture and may not be, or a twice-mixed pixel would fall on a colour
    // it was not drawn over.
    bool copyTo(QImage& picture, int x, int y) const;
    // The same into the rows of a surface it may write (a band of a picture).
    bool copyTo(const PixelSurface& picture, int x, int y) const;
    // Whether it may be copied to (x, y) of a picture of that size, in parts
    // and later: copyTo then fails only where a twice-mixed pixel falls on a
    // colour it was not drawn over, and never where it has none.
    bool copiesLater(QSize picture, int x, int y) const;
    bool mixesTwice() const { return !twice_.empty(); }

    // Where copyTo failed and QPainter drew the image at (x, y) instead, into
    // the rows of `part` of the picture: the twice-mixed pixels there as they
    // were before, and then what QPainter made of them, known from then on.
    std::vector<QRgb> twiceMixedBelow(const QImage& picture, int x, int y, QRect part) const;
    void learnTwiceMixed(const QImage& picture, int x, int y, QRect part, const std::vector<QRgb>& below);
    // Around every pixel it sets, relative to the point.
    QRect box() const { return box_; }

private:
    // One row of the image: `length` pixels from column x on, drawn by the
    // ops from ops_[first] on. An op holds the colour over black in the
    // colour bytes and what the pixel lets through in the alpha byte: a
    // fixed colour lets nothing through, a pixel the drawing leaves alone
    // lets all of it through.
    struct Row {
        std::int16_t y, x;
        std::int32_t length;
        std::uint32_t first;
    };
    // Known only over the backgrounds it was seen drawn over: pairs of the
    // pixel below and the pixel made of it.
    struct Twice {
        std::int16_t x, y;
        std::vector<std::pair<QRgb, QRgb>> known;
        const QRgb* over(QRgb below) const;
    };
    // A drawing without mixed pixels (a shape) is kept as runs of the
    // pixels it sets, each op the very pixel: copying it only writes.
    void keepOnlySetPixels();
    // The op of a pixel the drawing sets; a twice-mixed one is kept aside
    // and lets all through here.
    QRgb opOf(int x, int y, const QRgb (&over)[4], const Overlaps& overlaps);
    template <bool whole>
    bool copyPixels(QRgb* bits, qsizetype stride, qsizetype origin, QRect inside) const;

    bool usable_ = true;
    bool clips_ = false;
    QRgb ink_ = 0;
    QRect box_;
    bool setOnly_ = false;
    std::vector<Row> rows_;
    std::vector<QRgb> ops_;
    std::vector<Twice> twice_;
};

// The pixels that two or more letters of the text cover, relative to its
// top-left corner when drawn with its baseline at `ascent`, looked for inside
// `area`: each letter is drawn alone where the text's layout puts it. Nothing
// when the letters drawn one by one do not make the text as QPainter draws
// it, or the area is too large. At a scale the text is drawn that much
// larger (`ascent` stays unscaled, `area` is in the scaled pixels).
PreparedImage::Overlaps letter_overlaps(const QFont& font, const QString& text, int ascent, QRect area,
                                        qreal scale = 1);

}  // namespace trevanor
