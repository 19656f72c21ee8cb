#pragma once
// The map's drawing surface on a QImage. Antialiasing is off, so every pixel
// gets exactly the pen's colour, and the merge pen mode is the bitwise OR of
// the pen colour with the pixel.
//
// The map draws thousands of the same small things: planet dots, fleet
// diamonds, labels. In the Prepared way of drawing (the default) such a
// small solid shape or a text is drawn once through QPainter into a prepared
// image (platform/prepared_image.h) and from then on copied into the picture
// pixel by pixel, with the pixels QPainter would have made; lines are written
// into the pixels the way QPainter sets them (platform/pixel_line.h); where that cannot
// be told (a shape cut by the edge, letters overlapping over an unknown
// colour) QPainter draws it. Copies, lines and fills are noted and drawn
// band by band (platform/banded_drawing.h) when the picture is looked at or
// QPainter is to draw over them. The Plain way draws every primitive through
// QPainter. Either way the painter's pen, brush and composition mode are set
// only when they change.
//
// At a scale (the screen's device pixel ratio, 1.25 to 2 and more) the
// picture has as many more pixels each way and its devicePixelRatio set:
// every coordinate and size given stays in the map's own pixels, a shape,
// text or line is drawn at the screen's own pixels (a line as wide as a
// pixel of the map), and the texts are measured in the map's own pixels.
// At scale 1 nothing of it comes into play.
//
// A kept picture is a copy of the image, made when something is first drawn
// over it; putting it back copies back only the parts drawn over since. A few
// pictures are kept at once (the map at the zoom levels seen last, with and
// without more layers over it); the oldest goes when they grow too many.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>

#include "map/canvas.h"
#include "platform/banded_drawing.h"
#include "platform/prepared_image.h"

namespace trevanor {

QColor to_qcolor(ColorValue value);

class QtCanvas : public Canvas {
public:
    enum class Drawing { Prepared, Plain };
    explicit QtCanvas(Drawing drawing = Drawing::Prepared);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;
    // The picture as drawn so far.
    const QImage& image();

    // Pixels of the picture per pixel of the map; 1 unless set. A new scale
    // starts a black picture of the same size, with nothing kept or prepared.
    void setScale(qreal scale);
    // Every prepared image and measured text let go (they are made again when needed).
    void forgetPrepared();
    qreal scale() const { return scale_; }

    // From now on the picture is only the window `window` (the screen's own
    // pixels, within the surface) of the surface: it starts black, and
    // everything drawn lands in it with the very pixels it has there in the
    // whole picture. Sizing the surface then leaves the window as it is.
    // Nothing is kept or put back in a window.
    // A window whose drawing starts by filling all of it may leave it unfilled.
    void setWindow(QRect window, bool black = true);

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
    void forgetPicture() override;

    // How many new prepared images one picture (from one kept picture or one
    // look at the image to the next) may make; preparing one costs several
    // plain drawings, so a canvas meeting thousands of new labels at once
    // (a zoom level or the planet names seen the first time) spreads the
    // work over later redraws and answers at once. 100 unless set.
    void setPreparedPerPicture(int count);
    // Rows per band of the noted drawing; by default as many as fit the
    // processor's cache.
    void setBandRows(int rows) { noted_.setBandRows(rows); }

    // How many texts and shapes were copied from prepared images and how many
    // drawn through QPainter, and how many lines were written straight into
    // the pixels, since the canvas was made.
    struct Counts {
        long prepared = 0, painted = 0, written = 0;
    };
    Counts counts() const { return counts_; }

private:
    struct FontEntry;
    // The QPainter tools a shape or text is drawn with.
    enum class Tools { Shape, ShapeNoBrush, Line, Text };

    FontEntry& font();
    // One painter stays open on the image while drawing goes on; it is
    // closed whenever the image is looked at or resized. Tools are set only
    // when they differ from the ones in place.
    QPainter& painter(Tools tools);
    // The same, with whatever was noted left to be drawn later.
    QPainter& openPainter(Tools tools);
    void finish() const;
    // Draws what was noted into the image: before QPainter draws over it,
    // anything looks at its pixels, or a noted image may change.
    void drawNoted();
    // A noted text, and how to draw it through QPainter instead, in some rows.
    struct NotedText {
        int x, y;
        const std::string* text;
        PreparedImage* image;
        CanvasState state;
    };
    void drawOtherwise(const NotedText& noted, int firstRow, int endRow);
    void touched(QRect area);

    // Texts and shapes drawn through QPainter with their point (0, 0), or
    // `at`, at `at`, a pixel of the picture.
    void plainText(QPainter& p, QPoint at, const std::string& text);
    void plainShape(QPainter& p, QPoint at, const std::function<void(QPainter&, QPoint)>& plain) const;
    bool shiftedText(QPainter& p, QPoint at, const std::string& text);

    // A coordinate, a point and a box (relative to a point, or not) of the
    // map in the picture's pixels.
    int dev(int v) const;
    QPoint dev(Point p) const { return QPoint(dev(p.x), dev(p.y)) - origin_; }
    // The whole surface in the picture's pixels (larger than the picture in a window).
    QSize surfaceSize() const;
    QRect devBox(QRect box) const;
    // At a scale: a line as wide as a pixel of the map, between two pixels
    // of the picture.
    void wideLine(QPoint from, QPoint to);
    const LineDashes& dashes(PenStyle style) const;
    // True (and one less left) when this picture may still prepare an image.
    bool mayPrepare();
    // A line of the pen's colour and style, written straight into the pixels
    // when it is drawn over what lies below and clear of the edge; false when
    // QPainter is to draw it instead.
    bool writeLine(QPoint from, QPoint to);
    // Copies the image to (x, y), or notes it to be copied (a text with how
    // to draw it otherwise); false when QPainter is to draw instead.
    bool copy(const PreparedImage& image, int x, int y);
    bool copyText(PreparedImage& image, int x, int y, const std::string& text);
    struct TextEntry;
    TextEntry& textEntry(const std::string& text);
    PreparedImage prepareText(const std::string& text);
    // Copies a small solid shape (its points, the first one where it is
    // drawn; `box` around it) from a prepared image; false when QPainter is
    // to draw it instead.
    bool copyShape(char kind, const Point* points, int count, QRect box,
                   const std::function<void(QPainter&, QPoint)>& plain);

    Drawing drawing_;
    qreal scale_ = 1;
    int width_ = 1, height_ = 1;  // in the map's own pixels
    QImage image_;
    bool windowed_ = false;
    QPoint origin_;  // the surface's pixel at the picture's (0, 0)
    // At a scale the painter draws into the image's pixels through a picture
    // without a devicePixelRatio of its own, in the picture's pixels.
    mutable QImage unscaled_;
    LineDashes dashes_[4];  // of each pen style, at the scale
    BandedDrawing noted_;
    std::vector<NotedText> notedTexts_;
    mutable std::unique_ptr<QPainter> painter_;
    struct Applied;
    std::unique_ptr<Applied> applied_;
    Point pen_;
    std::map<std::pair<std::string, int>, std::unique_ptr<FontEntry>> fonts_;
    FontEntry* font_ = nullptr;  // the one of fontName_ and fontSize_
    std::string fontName_;
    int fontSize_ = 0;
    std::unordered_map<std::string, PreparedImage> shapes_;
    std::string key_;  // the shape being looked up, reused to save allocations
    std::pair<const std::string, TextEntry>* lastText_ = nullptr;  // the text looked up last
    FontEntry* lastFont_ = nullptr;                                // and its font
    int preparedPerPicture_;
    mutable int preparable_;  // left in this picture
    Counts counts_;

    // The kept pictures, the one used last at the end, and the parts drawn
    // over the one the image was last made from (`shown_`) since then.
    // Keeping only notes that the image is the picture to keep: the copy is
    // made before the first drawing over it, so a picture that is forgotten
    // before anything is drawn over it is never copied.
    void copyKeptFirst();
    void dropOldPictures();
    struct KeptPicture {
        std::uint64_t number;
        QImage image;
    };
    std::vector<KeptPicture> kept_;
    std::uint64_t pending_ = 0;  // kept, not copied yet
    std::uint64_t shown_ = 0;
    std::vector<QRect> drawnOver_;
};

}  // namespace trevanor
