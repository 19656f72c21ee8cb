#include "platform/cp1252.h"

#include <array>
#include <cstdint>

namespace trevanor {
namespace {

// Bytes 0x80..0x9F; the rest of the code page equals ISO 8859-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char16_t toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

// Returns the byte for a UTF-16 unit outside the surrogate range, or -1.
int toByte(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit) return static_cast<int>(0x80 + i);
    }
    return -1;
}

}  // namespace

QString fromCp1252(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) text.append(QChar(toUnicode(static_cast<unsigned char>(c))));
    return text;
}

std::string toCp1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;  // one character outside the code page
            bytes.push_back('?');
            continue;
        }
        if (c.isSurrogate()) {
            bytes.push_back('?');
            continue;
        }
        const int byte = toByte(c.unicode());
        bytes.push_back(byte < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(byte)));
    }
    return bytes;
}

}  // namespace trevanor
