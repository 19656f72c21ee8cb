#pragma once
// Conversion between the model's byte strings (Windows code page 1252) and
// Qt's UTF-16 strings.
//
// The five bytes that code page 1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) map to the C1 control characters of the same value, so every
// byte string survives fromCp1252 followed by toCp1252 unchanged.

#include <string>

#include <QString>

namespace trevanor {

QString fromCp1252(const std::string& bytes);

// Characters that code page 1252 cannot hold become '?', one per character
// (a surrogate pair counts as one character).
std::string toCp1252(const QString& text);

}  // namespace trevanor
