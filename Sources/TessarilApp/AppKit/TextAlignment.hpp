#pragma once

#include <Qt>

namespace tessaril::appkit {

// Visual text alignment of a label, field or column.
enum class TextAlignment { left, center, right };

constexpr Qt::Alignment qtAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::left: return Qt::AlignLeft;
    case TextAlignment::center: return Qt::AlignHCenter;
    case TextAlignment::right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

} // namespace tessaril::appkit
