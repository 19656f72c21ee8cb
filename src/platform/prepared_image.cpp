#include "platform/prepared_image.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>

namespace trevanor {

namespace {
constexpr QRgb kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;
constexpr QRgb kTest = 0xFF4C8AB7u;  // any colour far from black, white and grey
constexpr QSize kLargestArea(4096, 1024);

// Each channel of x times a / 255, rounded as QPainter rounds it.
QRgb byte_mul(QRgb x, unsigned a) {
    constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
    std::uint64_t t = ((std::uint64_t{x} | (std::uint64_t{x} << 24)) & kLanes) * a;
    t = ((t + ((t >> 8) & kLanes) + 0x0080008000800080ull) >> 8) & kLanes;
    return static_cast<QRgb>(t) | static_cast<QRgb>(t >> 24);
}

// A pixel mixed by the rule over `below` (the alpha byte of overBlack is not read).
QRgb mix(QRgb overBlack, unsigned inverse, QRgb below) {
    return kBlack | ((overBlack & 0xFFFFFFu) + (byte_mul(below, inverse) & 0xFFFFFFu));
}

// What a pixel lets through when every channel agrees on it; -1 otherwise.
int inverse_of(QRgb overBlack, QRgb overWhite) {
    const int r = qRed(overWhite) - qRed(overBlack);
    const bool same = qGreen(overWhite) - qGreen(overBlack) == r && qBlue(overWhite) - qBlue(overBlack) == r;
    return same && r >= 0 && r <= 255 ? r : -1;
}
}  // namespace

PreparedImage::PreparedImage(QRect area, QRgb ink, const std::function<void(QPainter&, QPoint)>& draw,
                             const Overlaps& overlaps)
    : ink_(ink | kBlack) {
    if (area.isEmpty() || area.width() > kLargestArea.width() || area.height() > kLargestArea.height()) {
        usable_ = false;
        return;
    }
    const QRgb backgrounds[4] = {kBlack, kWhite, ink_, kTest};
    QImage over[4];
    for (int i = 0; i < 4; ++i) {
        over[i] = QImage(area.size(), QImage::Format_RGB32);
        over[i].fill(backgrounds[i]);
        QPainter p(&over[i]);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        draw(p, -area.topLeft());
    }
    const int w = area.width(), h = area.height();
    for (int y = 0; y < h; ++y) {
        const QRgb* line[4];
        for (int i = 0; i < 4; ++i) line[i] = reinterpret_cast<const QRgb*>(over[i].constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (line[0][x] == kBlack && line[1][x] == kWhite) continue;
            // Something reached the edge of the area: it may reach further.
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) usable_ = false;
            const QRgb values[4] = {line[0][x], line[1][x], line[2][x], line[3][x]};
            keep(x + area.left(), y + area.top(), values, overlaps);
        }
    }
    fixed_.shrink_to_fit();
    mixed_.shrink_to_fit();
    twice_.shrink_to_fit();
}

void PreparedImage::keep(int x, int y, const QRgb (&over)[4], const Overlaps& overlaps) {
    const auto px = static_cast<std::int16_t>(x), py = static_cast<std::int16_t>(y);
    box_ |= QRect(x, y, 1, 1);
    const QRgb black = over[0], white = over[1];
    if (black == white) {
        fixed_.push_back({px, py, black});
        return;
    }
    const int inverse = inverse_of(black, white);
    const auto i = static_cast<unsigned>(std::max(inverse, 0));
    const bool once = overlaps && std::find(overlaps->begin(), overlaps->end(), QPoint(x, y)) == overlaps->end();
    if (once && inverse >= 0 && mix(black, i, ink_) == over[2] && mix(black, i, kTest) == over[3])
        mixed_.push_back({px, py, (black & 0xFFFFFFu) | (i << 24)});
    else
        twice_.push_back({px, py, black, white, over[2]});
}

template <bool whole>
bool PreparedImage::copyPixels(QRgb* bits, qsizetype stride, qsizetype origin, QRect inside) const {
    const auto in = [&](int px, int py) { return whole || inside.contains(px, py); };
    const auto at = [&](int px, int py) -> QRgb& { return bits[origin + py * stride + px]; };
    // The rows lie far apart in memory: ask for all of them before waiting for any.
    for (int py = inside.top(); py <= inside.bottom(); ++py)
        for (int px = inside.left(); px <= inside.right() + 15; px += 16)
            __builtin_prefetch(&at(std::min(px, inside.right()), py), 1);
    for (const Twice& t : twice_) {
        const QRgb below = in(t.x, t.y) ? at(t.x, t.y) : kBlack;
        if (below != kBlack && below != kWhite && below != ink_) return false;
    }
    for (const Twice& t : twice_) {
        if (!in(t.x, t.y)) continue;
        QRgb& pixel = at(t.x, t.y);
        pixel = pixel == kBlack ? t.overBlack : pixel == kWhite ? t.overWhite : t.overInk;
    }
    for (const Mixed& m : mixed_) {
        if (!in(m.x, m.y)) continue;
        QRgb& pixel = at(m.x, m.y);
        pixel = mix(m.overBlackAndInverse, m.overBlackAndInverse >> 24, pixel);
    }
    for (const Fixed& f : fixed_)
        if (in(f.x, f.y)) at(f.x, f.y) = f.value;
    return true;
}

bool PreparedImage::copyTo(QImage& picture, int x, int y) const {
    if (fixed_.empty() && mixed_.empty() && twice_.empty()) return true;  // draws nothing
    const QRect inPicture = box_.translated(x, y) & picture.rect();
    if (inPicture.isEmpty()) return true;
    const bool whole = inPicture == box_.translated(x, y);
    if (!whole && !clips_) return false;
    auto* bits = reinterpret_cast<QRgb*>(picture.bits());
    const qsizetype stride = picture.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    const qsizetype origin = static_cast<qsizetype>(y) * stride + x;  // may lie outside: only offset from
    // Relative to the point: the part inside the picture.
    const QRect inside = inPicture.translated(-x, -y);
    return whole ? copyPixels<true>(bits, stride, origin, inside) : copyPixels<false>(bits, stride, origin, inside);
}

namespace {
QImage black_image(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kBlack);
    return image;
}

QPainter& white_ink(QPainter& p, const QFont& font) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font);
    p.setPen(Qt::white);
    return p;
}

// Every letter of the laid-out text as a glyph run of its own.
std::vector<QGlyphRun> letters_of(const QFont& font, const QString& text, qreal& lineAscent) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    std::vector<QGlyphRun> letters;
    if (!line.isValid()) return letters;
    lineAscent = line.ascent();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
            QGlyphRun letter = run;
            letter.setGlyphIndexes({glyphs[i]});
            letter.setPositions({positions[i]});
            letters.push_back(letter);
        }
    }
    return letters;
}
}  // namespace

PreparedImage::Overlaps letter_overlaps(const QFont& font, const QString& text, int ascent, QRect area) {
    if (area.isEmpty() || area.width() > kLargestArea.width() || area.height() > kLargestArea.height())
        return std::nullopt;
    qreal lineAscent = 0;
    const std::vector<QGlyphRun> letters = letters_of(font, text, lineAscent);
    const QPointF at(-area.left(), ascent - area.top() - lineAscent);
    QImage whole = black_image(area.size()), pieces = black_image(area.size()), alone = black_image(area.size());
    {
        QPainter p(&whole);
        white_ink(p, font).drawText(QPoint(-area.left(), ascent - area.top()), text);
    }
    // Each letter alone: counted where it is drawn, then wiped again.
    const int w = area.width();
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(w) * static_cast<std::size_t>(area.height()));
    auto* bits = reinterpret_cast<QRgb*>(alone.bits());
    {
        QPainter piecesPainter(&pieces), alonePainter(&alone);
        white_ink(piecesPainter, font);
        white_ink(alonePainter, font);
        for (const QGlyphRun& letter : letters) {
            piecesPainter.drawGlyphRun(at, letter);
            alonePainter.drawGlyphRun(at, letter);
            const QRect near = letter.boundingRect().translated(at).toAlignedRect().adjusted(-3, -3, 3, 3) & alone.rect();
            for (int y = near.top(); y <= near.bottom(); ++y)
                for (int x = near.left(); x <= near.right(); ++x) {
                    QRgb& pixel = bits[y * w + x];
                    if (pixel == kBlack) continue;
                    ++covered[static_cast<std::size_t>(y * w + x)];
                    pixel = kBlack;
                }
        }
    }
    // A letter drawn outside its box, or drawn otherwise than in the text: not known.
    const auto allBlack = [&] {
        for (int i = 0; i < w * area.height(); ++i)
            if (bits[i] != kBlack) return false;
        return true;
    };
    if (pieces != whole || !allBlack()) return std::nullopt;
    std::vector<QPoint> twice;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < w; ++x)
            if (covered[static_cast<std::size_t>(y * w + x)] > 1) twice.emplace_back(x + area.left(), y + area.top());
    return twice;
}

}  // namespace trevanor
