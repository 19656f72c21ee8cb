#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/qt_canvas.h"
#include "support/image_difference.h"

using namespace trevanor;

namespace {
ColorValue pixel(QtCanvas& c, int x, int y) {
    const QRgb p = c.image().pixel(x, y);
    return static_cast<ColorValue>(qRed(p)) | static_cast<ColorValue>(qGreen(p)) << 8 | static_cast<ColorValue>(qBlue(p)) << 16;
}
}  // namespace

TEST(QtCanvas, MergeIsTheBitwiseOrOfColours) {
    QtCanvas c;
    c.setSize(50, 50);
    c.state.penColor = 0x0000FF;  // red
    c.state.brushClear = true;
    c.moveTo(0, 10);
    c.lineTo(50, 10);
    c.state.penColor = 0x00FF00;  // green, merged over red
    c.state.penMode = PenMode::Merge;
    c.moveTo(20, 0);
    c.lineTo(20, 50);
    EXPECT_EQ(pixel(c, 20, 10), 0x00FFFFu);  // yellow where they cross
    EXPECT_EQ(pixel(c, 20, 30), 0x00FF00u);
    EXPECT_EQ(pixel(c, 5, 10), 0x0000FFu);

    c.state.penColor = 0x800000;
    c.state.penMode = PenMode::Merge;
    c.ellipse(10, 0, 31, 21);  // its outline crosses the red line
    bool crossed = false;
    for (int x = 10; x < 31; ++x) crossed = crossed || pixel(c, x, 10) == 0x8000FFu;
    EXPECT_TRUE(crossed);
}

TEST(QtCanvas, ShapesStayInsideTheirBoxesAndLinesStopShort) {
    QtCanvas c;
    c.setSize(20, 20);
    c.state.penColor = 0xFFFFFF;
    c.state.brushColor = 0xFFFFFF;
    c.ellipse(2, 2, 7, 7);  // a 5-pixel dot: columns 2..6
    EXPECT_EQ(pixel(c, 4, 4), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 7, 4), 0u);
    EXPECT_EQ(pixel(c, 4, 7), 0u);
    c.moveTo(0, 15);
    c.lineTo(10, 15);
    EXPECT_EQ(pixel(c, 9, 15), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 10, 15), 0u);
    c.setSize(30, 10);  // keeps the top-left part, new area black
    EXPECT_EQ(pixel(c, 4, 4), 0xFFFFFFu);
    EXPECT_EQ(pixel(c, 25, 5), 0u);
}

namespace {
// The same drawing onto any canvas: coloured patches to draw over, then
// labels, diamonds, dots and lines (merged or not, solid or broken) in
// random colours, sizes and places, some of them reaching out of the surface.
void scribble(Canvas& c, unsigned seed) {
    std::mt19937 random(seed);
    const auto any = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
    const auto colour = [&] { return static_cast<ColorValue>(random() & 0xFFFFFF); };
    // Letters that overlap their neighbours ("ff", "Tj") mix some pixels twice.
    const char* const texts[] = {"#17", "m", "#4096*", "Quarissa Prime", "Wy", "Tamzin Minor", "ff",
                                 "AVAV", "12", "ffi Tj LT", "f/j", "Yo\xe9 W\xe4", "rf,y;j", "\xc6gypt"};
    c.setSize(240, 160);
    c.state.brushColor = 0;
    c.fillRect(0, 0, 240, 160);
    for (int i = 0; i < 12; ++i) {
        c.state.brushColor = colour();
        const int x = any(240), y = any(160);
        c.fillRect(x, y, x + any(60), y + any(40));
    }
    for (int i = 0; i < 600; ++i) {
        c.state.fontSize = 8 + any(3);
        c.state.fontColor = any(4) == 0 ? 0xFFFFFF : colour();
        c.state.brushClear = any(5) != 0;
        c.state.brushColor = colour();
        c.state.penColor = c.state.fontColor;
        c.state.penMode = any(6) == 0 ? PenMode::Merge : PenMode::Copy;
        const int x = any(260) - 10, y = any(180) - 10;
        switch (any(4)) {
        case 0: c.polygon({{x - 4, y}, {x, y + 4}, {x + 4, y}, {x, y - 4}}); break;
        case 1: c.ellipse(x - 2, y - 2, x + 2, y + 2); break;
        case 2: {  // short and long lines in every pen style
            c.state.penStyle = static_cast<PenStyle>(any(4));
            const int reach = any(3) == 0 ? 400 : 40;
            c.moveTo(x, y);
            c.lineTo(x + any(reach) - reach / 2, y + any(reach) - reach / 2);
            c.state.penStyle = PenStyle::Solid;
            break;
        }
        default: c.textOut(x, y, texts[any(14)]);
        }
    }
}
}  // namespace

// The prepared drawing is done later in bands of rows, on two threads: the
// picture is the same whatever the band's height (0: the canvas's own), also
// where overlapping letters fall back to QPainter in one band of several.
constexpr int kBandRows[] = {0, 1, 7, 40};

TEST(QtCanvas, PreparedDrawingGivesThePlainPicturePixelForPixel) {
    for (unsigned seed : {0u, 1u, 2u, 3u}) {
        const int bandRows = kBandRows[seed];
        SCOPED_TRACE(bandRows);
        QtCanvas plain(QtCanvas::Drawing::Plain), prepared;
        prepared.setPreparedPerPicture(1 << 30);
        prepared.setBandRows(bandRows);
        scribble(plain, seed);
        long painted[2] = {};
        for (long& count : painted) {  // preparing, then from prepared images
            const long before = prepared.counts().painted;
            scribble(prepared, seed);
            EXPECT_EQ(test::image_difference(prepared.image(), plain.image()), "");
            count = prepared.counts().painted - before;
        }
        // Letters overlapping over a colour QPainter drew them over once are copied the next time.
        EXPECT_LT(painted[1], painted[0]);
        EXPECT_GT(prepared.counts().prepared, 600);
        EXPECT_GT(prepared.counts().written, 100);
    }
}

// Routes and ranges run off the map's edge, and ranges merge their colour
// into what lies below: long lines from near and far outside, in every pen
// style, copied and merged, are cut exactly where the raster engine cuts them.
TEST(QtCanvas, LinesCutAtTheEdgeAndMergedGiveThePlainPixels) {
    const struct {
        int reachOut;  // how far outside the surface an end may lie
        PenMode mode;
        int bandRows;
    } cases[] = {{3, PenMode::Copy, 0}, {300, PenMode::Copy, 1}, {300, PenMode::Merge, 7}, {40000, PenMode::Copy, 5}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.reachOut);
        QtCanvas plain(QtCanvas::Drawing::Plain), written;
        written.setBandRows(k.bandRows);
        std::mt19937 random(7);
        for (QtCanvas* c : {&plain, &written}) {
            random.seed(7);
            const auto any = [&](int from, int to) { return from + static_cast<int>(random() % unsigned(to - from + 1)); };
            c->setSize(97, 61);
            c->state.brushColor = 0x102030;
            c->fillRect(0, 0, 97, 61);
            c->state.penMode = k.mode;
            for (int i = 0; i < 2000; ++i) {
                c->state.penColor = static_cast<ColorValue>(random() & 0xFFFFFF);
                c->state.penStyle = static_cast<PenStyle>(any(0, 3));
                c->moveTo(any(-k.reachOut, 96 + k.reachOut), any(-k.reachOut, 60 + k.reachOut));
                c->lineTo(any(-k.reachOut, 96 + k.reachOut), any(-k.reachOut, 60 + k.reachOut));
            }
        }
        EXPECT_EQ(test::image_difference(written.image(), plain.image()), "");
        EXPECT_GT(written.counts().written, 1000);
    }
}

// Fleets and planets at the map's edge are drawn cut off: the diamonds, dots
// and route circles copied in part give the pixels QPainter leaves of them.
TEST(QtCanvas, ShapesCutAtTheEdgeGiveThePlainPixels) {
    const std::function<void(Canvas&, int, int)> shapes[] = {
        [](Canvas& c, int x, int y) { c.polygon({{x - 3, y}, {x, y + 3}, {x + 3, y}, {x, y - 3}}); },
        [](Canvas& c, int x, int y) { c.polygon({{x - 4, y}, {x, y + 4}, {x + 4, y}, {x, y - 4}}); },
        [](Canvas& c, int x, int y) { c.ellipse(x - 2, y - 2, x + 2, y + 2); },
        [](Canvas& c, int x, int y) { c.ellipse(x - 4, y - 4, x + 4, y + 4); },
    };
    for (const bool filled : {false, true}) {
        QtCanvas plain(QtCanvas::Drawing::Plain), prepared;
        prepared.setPreparedPerPicture(1 << 30);
        for (QtCanvas* c : {&plain, &prepared}) {
            c->setSize(23, 17);
            c->state.brushColor = 0x203040;
            c->fillRect(0, 0, 23, 17);
            c->state.brushClear = !filled;
            c->state.brushColor = 0x00C0FF;
            int colour = 0;
            for (const auto& shape : shapes)
                for (int y = -6; y <= 22; ++y)
                    for (int x = -6; x <= 28; ++x) {
                        if (x > 4 && x < 18 && y > 4 && y < 12) continue;  // near an edge only
                        c->state.penColor = 0x3F5FBFu * static_cast<ColorValue>(++colour % 7 + 1) & 0xFFFFFF;
                        shape(*c, x, y);
                    }
        }
        EXPECT_EQ(test::image_difference(prepared.image(), plain.image()), "");
        EXPECT_EQ(prepared.counts().painted, 0);  // every one copied, cut or not
    }
}

TEST(QtCanvas, KeptPictureComesBackWhateverWasDrawnOver) {
    QtCanvas c;
    c.setBandRows(3);
    scribble(c, 7);
    const QImage drawn = c.image().copy();
    const std::uint64_t kept = c.keepPicture();
    EXPECT_NE(kept, 0u);
    const std::function<void()> over[] = {
        [&] { scribble(c, 8); },
        [&] { c.state.brushColor = 0xFFFFFF; c.fillRect(-5, -5, 500, 500); },
        [&] { c.setSize(50, 50); },
        [&] { c.setSize(50, 50); c.setSize(240, 160); },  // the same size again, partly black
        [&] {},
    };
    for (const auto& draw : over) {
        draw();
        EXPECT_TRUE(c.restorePicture(kept));
        EXPECT_EQ(test::image_difference(c.image(), drawn), "");
    }
    EXPECT_FALSE(c.restorePicture(0));
    EXPECT_FALSE(c.restorePicture(kept + 1));
    c.forgetPicture();
    EXPECT_FALSE(c.restorePicture(kept));
    QtCanvas other;
    EXPECT_FALSE(other.restorePicture(kept));
}

// Several pictures kept at once, each put back whole whichever was drawn
// over last, also while drawing over another one is going on.
TEST(QtCanvas, SeveralKeptPicturesComeBackInAnyOrder) {
    QtCanvas c;
    c.setBandRows(11);
    std::vector<std::pair<std::uint64_t, QImage>> kept;
    for (int seed = 1; seed <= 3; ++seed) {
        c.setSize(200 + 20 * seed, 160);
        scribble(c, seed);
        kept.emplace_back(c.keepPicture(), c.image().copy());
        scribble(c, seed + 10);  // a painter stays open on the image
    }
    for (const int k : {0, 2, 1, 1, 0}) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(c.restorePicture(kept[static_cast<std::size_t>(k)].first));
        EXPECT_EQ(test::image_difference(c.image(), kept[static_cast<std::size_t>(k)].second), "");
        scribble(c, 20 + k);
    }
}

// On a screen scaled 1.25 to 2 times the picture has as many more pixels,
// and the prepared drawing gives there too what QPainter gives.
TEST(QtCanvas, AtAScalePreparedAndPlainDrawingAgree) {
    for (const qreal scale : {1.25, 1.5, 2.0}) {
        SCOPED_TRACE(scale);
        QtCanvas plain(QtCanvas::Drawing::Plain), prepared;
        for (QtCanvas* c : {&plain, &prepared}) c->setScale(scale);
        prepared.setPreparedPerPicture(1 << 30);
        scribble(plain, 11);
        for (int pass = 0; pass < 2; ++pass) {  // preparing, then from prepared images
            scribble(prepared, 11);
            EXPECT_EQ(test::image_difference(prepared.image(), plain.image()), "");
        }
        EXPECT_EQ(prepared.image().size(), QSize(qRound(240 * scale), qRound(160 * scale)));
        EXPECT_EQ(prepared.image().devicePixelRatio(), scale);
        EXPECT_EQ(prepared.width(), 240);
        EXPECT_GT(prepared.counts().prepared, 600);
    }
}

namespace {
// Around the pixels that are not black.
QRect drawn_area(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0) area |= QRect(x, y, 1, 1);
    return area;
}

// Whether some square of two by two (at even coordinates) holds two colours.
bool finer_than_squares(const QImage& image) {
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p) return true;
        }
    return false;
}
}  // namespace

// At scale 2 a pixel of the map is a square of two by two: fills and straight
// lines cover exactly the squares of their pixels, shapes the same area as
// their pixels, and a text is drawn at the finer pixels, not in squares.
TEST(QtCanvas, AtScaleTwoAPixelOfTheMapIsASquare) {
    enum class Expect { Squares, SameArea, Finer };
    const struct {
        const char* what;
        std::function<void(Canvas&)> draw;
        Expect expect;
    } cases[] = {
        {"fill", [](Canvas& c) { c.fillRect(3, 4, 9, 7); }, Expect::Squares},
        {"lines across and down, dotted",
         [](Canvas& c) {
             c.moveTo(2, 10);
             c.lineTo(30, 10);
             c.state.penStyle = PenStyle::Dot;
             c.moveTo(5, 1);
             c.lineTo(5, 25);
         },
         Expect::Squares},
        {"diamonds",
         [](Canvas& c) {
             c.state.brushClear = true;
             c.polygon({{7, 12}, {12, 17}, {17, 12}, {12, 7}});
             c.polygon({{8, 12}, {12, 16}, {16, 12}, {12, 8}});
         },
         Expect::SameArea},
        {"dot", [](Canvas& c) { c.ellipse(10, 10, 15, 15); }, Expect::SameArea},
        {"text", [](Canvas& c) { c.textOut(2, 3, "Wy #17"); }, Expect::Finer},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QImage pictures[2];
        for (const int scale : {1, 2}) {
            QtCanvas c;
            c.setScale(scale);
            c.setSize(40, 30);
            c.state.penColor = c.state.fontColor = c.state.brushColor = 0x40C0FF;
            k.draw(c);
            pictures[scale - 1] = c.image().copy();
        }
        const QImage doubled = pictures[0].scaled(80, 60);  // each pixel a square
        switch (k.expect) {
        case Expect::Squares: EXPECT_EQ(test::image_difference(pictures[1], doubled), ""); break;
        case Expect::SameArea: EXPECT_EQ(drawn_area(pictures[1]), drawn_area(doubled)); break;
        case Expect::Finer:
            EXPECT_TRUE(finer_than_squares(pictures[1]));
            EXPECT_TRUE(drawn_area(doubled).adjusted(-4, -4, 4, 4).contains(drawn_area(pictures[1])));
            break;
        }
    }
}
