#include "Platform/Foundation/TextAttributes.hpp"

namespace tessaril::platform {

void TextAttributes::add(const TextAttributes& other) {
    if (other.font) font = other.font;
    if (other.foregroundColor) foregroundColor = other.foregroundColor;
    if (other.backgroundColor) backgroundColor = other.backgroundColor;
    if (other.paragraphStyle) paragraphStyle = other.paragraphStyle;
    if (other.underlineStyle) underlineStyle = other.underlineStyle;
    if (other.strikethroughStyle) strikethroughStyle = other.strikethroughStyle;
    if (other.link) link = other.link;
}

void TextAttributes::remove(Key key) {
    switch (key) {
    case Key::font: font.reset(); break;
    case Key::foregroundColor: foregroundColor.reset(); break;
    case Key::backgroundColor: backgroundColor.reset(); break;
    case Key::paragraphStyle: paragraphStyle.reset(); break;
    case Key::underlineStyle: underlineStyle.reset(); break;
    case Key::strikethroughStyle: strikethroughStyle.reset(); break;
    case Key::link: link.reset(); break;
    }
}

} // namespace tessaril::platform
