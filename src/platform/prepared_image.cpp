#include "platform/prepared_image.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The op of a pixel the drawing leaves alone: nothing over black, all let through.
constexpr QRgb kThrough = 0xFF000000u;

// Each pixel of `line` becomes its op's colour plus what the op lets through
// of the pixel, four at a time where the processor can.
void apply_ops(QRgb* line, const QRgb* ops, int count) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(0x80);
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF), opaque = _mm_set1_epi32(static_cast<int>(kBlack));
    const auto through = [&](__m128i channels, __m128i inverse) {  // byte_mul on 16-bit lanes
        const __m128i t = _mm_mullo_epi16(channels, inverse);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half), 8);
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + i));
        const __m128i op = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ops + i));
        __m128i inverse = _mm_srli_epi32(op, 24);
        inverse = _mm_or_si128(inverse, _mm_slli_epi32(inverse, 16));
        const __m128i low = through(_mm_unpacklo_epi8(below, zero), _mm_unpacklo_epi32(inverse, inverse));
        const __m128i high = through(_mm_unpackhi_epi8(below, zero), _mm_unpackhi_epi32(inverse, inverse));
        const __m128i let = _mm_and_si128(_mm_packus_epi16(low, high), colour);
        const __m128i out = _mm_or_si128(_mm_add_epi8(let, _mm_and_si128(op, colour)), opaque);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + i), out);
    }
#endif
    for (; i < count; ++i) line[i] = mix(ops[i], ops[i] >> 24, line[i]);
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
    QImage drawn[4];
    for (int i = 0; i < 4; ++i) {
        drawn[i] = QImage(area.size(), QImage::Format_RGB32);
        drawn[i].fill(backgrounds[i]);
        QPainter p(&drawn[i]);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        draw(p, -area.topLeft());
    }
    const int w = area.width(), h = area.height();
    std::vector<QRgb> line(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        const QRgb* over[4];
        for (int i = 0; i < 4; ++i) over[i] = reinterpret_cast<const QRgb*>(drawn[i].constScanLine(y));
        int first = w, last = -1;
        for (int x = 0; x < w; ++x) {
            line[static_cast<std::size_t>(x)] = kThrough;
            if (over[0][x] == kBlack && over[1][x] == kWhite) continue;
            // Something reached the edge of the area: it may reach further.
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) usable_ = false;
            const QRgb values[4] = {over[0][x], over[1][x], over[2][x], over[3][x]};
            line[static_cast<std::size_t>(x)] = opOf(x + area.left(), y + area.top(), values, overlaps);
            first = std::min(first, x);
            last = x;
        }
        if (last < 0) continue;
        rows_.push_back({static_cast<std::int16_t>(y + area.top()), static_cast<std::int16_t>(first + area.left()),
                         last - first + 1, static_cast<std::uint32_t>(ops_.size())});
        ops_.insert(ops_.end(), line.begin() + first, line.begin() + last + 1);
    }
    if (twice_.empty() && std::all_of(ops_.begin(), ops_.end(), [](QRgb op) { return op >> 24 == 0 || op == kThrough; }))
        keepOnlySetPixels();
    rows_.shrink_to_fit();
    ops_.shrink_to_fit();
    twice_.shrink_to_fit();
}

void PreparedImage::keepOnlySetPixels() {
    std::vector<Row> runs;
    for (const Row& r : rows_)
        for (int i = 0; i < r.length;) {
            const auto at = [&](int k) { return r.first + static_cast<std::uint32_t>(k); };
            if (ops_[at(i)] == kThrough) {
                ++i;
                continue;
            }
            int end = i;
            while (end < r.length && ops_[at(end)] != kThrough) ops_[at(end++)] |= kBlack;
            runs.push_back({r.y, static_cast<std::int16_t>(r.x + i), end - i, at(i)});
            i = end;
        }
    rows_ = std::move(runs);
    setOnly_ = true;
}

QRgb PreparedImage::opOf(int x, int y, const QRgb (&over)[4], const Overlaps& overlaps) {
    box_ |= QRect(x, y, 1, 1);
    const QRgb black = over[0], white = over[1];
    if (black == white) return black & 0xFFFFFFu;  // fixed: lets nothing through
    const int inverse = inverse_of(black, white);
    const auto i = static_cast<unsigned>(std::max(inverse, 0));
    const bool once = overlaps && std::find(overlaps->begin(), overlaps->end(), QPoint(x, y)) == overlaps->end();
    if (once && inverse >= 0 && mix(black, i, ink_) == over[2] && mix(black, i, kTest) == over[3])
        return (black & 0xFFFFFFu) | (i << 24);
    twice_.push_back({static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                      {{kBlack, black}, {kWhite, white}, {ink_, over[2]}}});
    return kThrough;
}

template <bool whole>
bool PreparedImage::copyPixels(QRgb* bits, qsizetype stride, qsizetype origin, QRect inside) const {
    const auto in = [&](int px, int py) { return whole || inside.contains(px, py); };
    const auto at = [&](int px, int py) -> QRgb& { return bits[origin + py * stride + px]; };
    for (const Twice& t : twice_)
        if (in(t.x, t.y) && !t.over(at(t.x, t.y))) return false;
    for (const Twice& t : twice_)
        if (in(t.x, t.y)) at(t.x, t.y) = *t.over(at(t.x, t.y));
    for (const Row& r : rows_) {
        int from = r.x, to = r.x + r.length;
        if (!whole) {
            if (r.y < inside.top() || r.y > inside.bottom()) continue;
            from = std::max(from, inside.left());
            to = std::min(to, inside.right() + 1);
            if (from >= to) continue;
        }
        const QRgb* ops = ops_.data() + r.first + (from - r.x);
        if (setOnly_) std::copy(ops, ops + (to - from), &at(from, r.y));
        else apply_ops(&at(from, r.y), ops, to - from);
    }
    return true;
}

const QRgb* PreparedImage::Twice::over(QRgb below) const {
    for (const auto& [seen, made] : known)
        if (seen == below) return &made;
    return nullptr;
}

std::vector<QRgb> PreparedImage::twiceMixedBelow(const QImage& picture, int x, int y, QRect part) const {
    part &= picture.rect();
    std::vector<QRgb> below;
    below.reserve(twice_.size());
    for (const Twice& t : twice_) {
        const QPoint p(x + t.x, y + t.y);
        below.push_back(part.contains(p) ? picture.pixel(p) : kBlack);
    }
    return below;
}

void PreparedImage::learnTwiceMixed(const QImage& picture, int x, int y, QRect part, const std::vector<QRgb>& below) {
    part &= picture.rect();
    constexpr std::size_t kKnownPerPixel = 8;  // the backgrounds drawn over, and a few neighbours
    for (std::size_t i = 0; i < twice_.size() && i < below.size(); ++i) {
        Twice& t = twice_[i];
        const QPoint p(x + t.x, y + t.y);
        if (!part.contains(p) || t.over(below[i]) || t.known.size() >= kKnownPerPixel) continue;
        t.known.emplace_back(below[i], picture.pixel(p));
    }
}

bool PreparedImage::copyTo(QImage& picture, int x, int y) const {
    return copyTo(PixelSurface{reinterpret_cast<QRgb*>(picture.bits()), static_cast<int>(picture.bytesPerLine() / 4),
                               picture.width(), picture.height()},
                  x, y);
}

bool PreparedImage::copyTo(const PixelSurface& picture, int x, int y) const {
    if (rows_.empty() && twice_.empty()) return true;  // draws nothing
    const QRect placed = box_.translated(x, y);
    const QRect inPicture = placed & QRect(0, 0, picture.width, picture.height);
    if (inPicture.isEmpty()) return true;
    if (inPicture != placed && !clips_) return false;
    const int top = std::max(inPicture.top(), picture.firstRow);
    const int bottom = std::min(inPicture.bottom(), picture.endRow - 1);
    if (top > bottom) return true;
    const QRect drawn(QPoint(inPicture.left(), top), QPoint(inPicture.right(), bottom));
    const qsizetype stride = picture.pixelsPerLine;
    const qsizetype origin = static_cast<qsizetype>(y) * stride + x;  // may lie outside: only offset from
    // Relative to the point: the part drawn.
    const QRect inside = drawn.translated(-x, -y);
    return drawn == placed ? copyPixels<true>(picture.bits, stride, origin, inside)
                           : copyPixels<false>(picture.bits, stride, origin, inside);
}

bool PreparedImage::copiesLater(QSize picture, int x, int y) const {
    return usable_ && (clips_ || QRect(QPoint(), picture).contains(box_.translated(x, y)));
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

PreparedImage::Overlaps letter_overlaps(const QFont& font, const QString& text, int ascent, QRect area,
                                        qreal scale) {
    if (area.isEmpty() || area.width() > kLargestArea.width() || area.height() > kLargestArea.height())
        return std::nullopt;
    qreal lineAscent = 0;
    const std::vector<QGlyphRun> letters = letters_of(font, text, lineAscent);
    // Unscaled the text is drawn where it lies in the area; scaled, about its
    // top-left corner, placed there.
    const bool scaled = scale != 1;
    const QTransform place = scaled ? QTransform(scale, 0, 0, scale, -area.left(), -area.top()) : QTransform();
    const QPointF at = scaled ? QPointF(0, ascent - lineAscent) : QPointF(-area.left(), ascent - area.top() - lineAscent);
    QImage whole = black_image(area.size()), pieces = black_image(area.size()), alone = black_image(area.size());
    {
        QPainter p(&whole);
        p.setTransform(place);
        white_ink(p, font).drawText(scaled ? QPoint(0, ascent) : QPoint(-area.left(), ascent - area.top()), text);
    }
    // Each letter alone: counted where it is drawn, then wiped again.
    const int w = area.width();
    std::vector<std::uint8_t> covered(static_cast<std::size_t>(w) * static_cast<std::size_t>(area.height()));
    auto* bits = reinterpret_cast<QRgb*>(alone.bits());
    {
        QPainter piecesPainter(&pieces), alonePainter(&alone);
        for (QPainter* p : {&piecesPainter, &alonePainter}) {
            p->setTransform(place);
            white_ink(*p, font);
        }
        for (const QGlyphRun& letter : letters) {
            piecesPainter.drawGlyphRun(at, letter);
            alonePainter.drawGlyphRun(at, letter);
            const QRect near =
                place.mapRect(letter.boundingRect().translated(at)).toAlignedRect().adjusted(-3, -3, 3, 3) & alone.rect();
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
