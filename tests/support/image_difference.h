#pragma once
// What differs between two pictures, for a test's failure message: empty when
// they are the same, else their sizes or the number of differing pixels and
// the first of them.

#include <QImage>
#include <cstdio>
#include <string>

namespace trevanor::test {

inline std::string image_difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return "sizes " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " and " +
               std::to_string(b.width()) + "x" + std::to_string(b.height());
    long count = 0;
    std::string first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == q) continue;
            if (count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "first at (%d, %d): %08x and %08x", x, y, p, q);
                first = text;
            }
        }
    return count == 0 ? std::string() : std::to_string(count) + " pixels differ, " + first;
}

}  // namespace trevanor::test
