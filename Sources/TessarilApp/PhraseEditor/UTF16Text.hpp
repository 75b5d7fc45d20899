#pragma once

#include <string_view>

#include <QString>

namespace tessaril {

// Our UTF-16 text and Qt's hold the same code units; these pass them across unchanged, lone
// surrogates included.
inline QString qStringFromUTF16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// A view of the string's units, valid while the string lives unchanged.
inline std::u16string_view utf16View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.constData()), static_cast<std::size_t>(text.size())};
}

} // namespace tessaril
