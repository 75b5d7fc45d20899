#include "TessarilApp/PhraseEditor/AttributedTextFormats.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include <QFontDatabase>
#include <QList>
#include <QTextOption>

#include "TessarilApp/AppKit/Font.hpp"
#include "TessarilApp/PhraseEditor/SystemColors.hpp"

namespace tessaril {

using platform::Color;
using platform::Font;
using platform::FontWeight;
using platform::ParagraphStyle;
using platform::TextAlignment;
using platform::TextAttributes;

namespace {

// Names of the text that this machine shows in another family.
constexpr std::array<std::pair<std::string_view, const char*>, 4> displayFamilies{{
    {Font::systemFamily, appkit::systemFontFamily},
    {Font::monospacedSystemFamily, appkit::monospacedFontFamily},
    {"Hiragino Mincho ProN", appkit::serifFontFamily},
    {"Times New Roman", appkit::serifFontFamily},
}};

constexpr std::array<std::pair<FontWeight, int>, 9> weights{{
    {FontWeight::ultraLight, QFont::Thin},
    {FontWeight::thin, QFont::ExtraLight},
    {FontWeight::light, QFont::Light},
    {FontWeight::regular, QFont::Normal},
    {FontWeight::medium, QFont::Medium},
    {FontWeight::semibold, QFont::DemiBold},
    {FontWeight::bold, QFont::Bold},
    {FontWeight::heavy, QFont::ExtraBold},
    {FontWeight::black, QFont::Black},
}};

// Line patterns as the text numbers them (bits 8 to 10) and as Qt draws them.
constexpr std::array<std::pair<int, QTextCharFormat::UnderlineStyle>, 4> underlinePatterns{{
    {0x100, QTextCharFormat::DotLine},
    {0x200, QTextCharFormat::DashUnderline},
    {0x300, QTextCharFormat::DashDotLine},
    {0x400, QTextCharFormat::DashDotDotLine},
}};

int qtWeight(FontWeight weight) {
    for (const auto& [fontWeight, qt] : weights) {
        if (fontWeight == weight) return qt;
    }
    return QFont::Normal;
}

FontWeight fontWeight(int qtWeight) {
    FontWeight nearest = FontWeight::regular;
    int distance = 1000;
    for (const auto& [candidate, qt] : weights) {
        if (std::abs(qt - qtWeight) < distance) {
            distance = std::abs(qt - qtWeight);
            nearest = candidate;
        }
    }
    return nearest;
}

QTextCharFormat::UnderlineStyle underlineStyle(int value) {
    for (const auto& [pattern, style] : underlinePatterns) {
        if ((value & 0x700) == pattern) return style;
    }
    return QTextCharFormat::SingleUnderline;
}

int underlineValue(QTextCharFormat::UnderlineStyle style) {
    for (const auto& [pattern, candidate] : underlinePatterns) {
        if (candidate == style) return pattern | 1;
    }
    return 1;
}

std::string textFamily(const QString& displayed) {
    for (const auto& [family, display] : displayFamilies) {
        if (displayed == QLatin1String(display)) return std::string(family);
    }
    return displayed.toStdString();
}

std::optional<Font> fontOfQtProperties(const QTextCharFormat& format) {
    const bool hasFont = format.hasProperty(QTextFormat::FontFamilies) || format.hasProperty(QTextFormat::FontPointSize) ||
                         format.hasProperty(QTextFormat::FontPixelSize) || format.hasProperty(QTextFormat::FontWeight) ||
                         format.hasProperty(QTextFormat::FontItalic);
    if (!hasFont) return std::nullopt;
    Font font;
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty()) font.family = textFamily(families.front());
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        font.pointSize = format.fontPointSize();
    } else if (format.hasProperty(QTextFormat::FontPixelSize)) {
        font.pointSize = format.intProperty(QTextFormat::FontPixelSize);
    }
    if (format.hasProperty(QTextFormat::FontWeight)) font.weight = fontWeight(format.fontWeight());
    font.italic = format.fontItalic();
    font.fixedPitch = format.fontFixedPitch() || font.family == Font::monospacedSystemFamily;
    return font;
}

std::optional<Color> colorOfBrush(const QTextFormat& format, int property) {
    if (!format.hasProperty(property)) return std::nullopt;
    const QBrush brush = format.brushProperty(property);
    if (brush.style() == Qt::NoBrush) return std::nullopt;
    const QColor color = brush.color().toRgb();
    return Color{color.redF(), color.greenF(), color.blueF(), color.alphaF()};
}

TextAttributes attributesOfQtProperties(const QTextCharFormat& format) {
    TextAttributes attributes;
    attributes.font = fontOfQtProperties(format);
    attributes.foregroundColor = colorOfBrush(format, QTextFormat::ForegroundBrush);
    attributes.backgroundColor = colorOfBrush(format, QTextFormat::BackgroundBrush);
    if (format.underlineStyle() != QTextCharFormat::NoUnderline) {
        attributes.underlineStyle = underlineValue(format.underlineStyle());
    }
    if (format.fontStrikeOut()) attributes.strikethroughStyle = 1;
    if (format.isAnchor() && !format.anchorHref().isEmpty()) attributes.link = format.anchorHref().toStdString();
    return attributes;
}

Qt::Alignment qtAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::natural: return Qt::AlignLeft;
    case TextAlignment::left: return Qt::AlignLeft | Qt::AlignAbsolute;
    case TextAlignment::center: return Qt::AlignHCenter;
    case TextAlignment::right: return Qt::AlignRight | Qt::AlignAbsolute;
    case TextAlignment::justified: return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

QTextOption::TabType tabType(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::center: return QTextOption::CenterTab;
    case TextAlignment::right: return QTextOption::RightTab;
    default: return QTextOption::LeftTab;
    }
}

} // namespace

QString displayFontFamily(std::string_view family) {
    for (const auto& [name, display] : displayFamilies) {
        if (name == family) return QString::fromLatin1(display);
    }
    return QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
}

bool fixedPhraseFontFamilyIsInstalled(std::string_view family) {
    return QFontDatabase::hasFamily(displayFontFamily(family));
}

QFont textFont(const Font& font) {
    appkit::installFontFallbacks();
    QFont qt(displayFontFamily(font.family.str()));
    // A point of the text is a pixel of the window, as on the Mac's screen at one pixel per point.
    qt.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSize))));
    qt.setWeight(static_cast<QFont::Weight>(qtWeight(font.weight)));
    qt.setItalic(font.italic);
    if (font.fixedPitch) {
        qt.setFixedPitch(true);
        qt.setStyleHint(QFont::Monospace);
    }
    return qt;
}

QColor textColor(const Color& color) {
    auto unit = [](double value) { return static_cast<float>(std::clamp(value, 0.0, 1.0)); };
    return QColor::fromRgbF(unit(color.red), unit(color.green), unit(color.blue), unit(color.alpha));
}

QTextCharFormat textCharFormat(const TextAttributes& attributes) {
    QTextCharFormat format;
    if (attributes.font) format.setFont(textFont(*attributes.font), QTextCharFormat::FontPropertiesAll);
    if (attributes.foregroundColor) format.setForeground(textColor(*attributes.foregroundColor));
    if (attributes.backgroundColor) format.setBackground(textColor(*attributes.backgroundColor));
    if (attributes.underlineStyle && *attributes.underlineStyle != 0) {
        format.setUnderlineStyle(underlineStyle(*attributes.underlineStyle));
    }
    if (attributes.strikethroughStyle && *attributes.strikethroughStyle != 0) format.setFontStrikeOut(true);
    if (attributes.link) {
        // Links are drawn as the editor draws every link: blue and underlined.
        format.setAnchor(true);
        format.setAnchorHref(QString::fromStdString(*attributes.link));
        format.setForeground(textColor(systemBlue));
        if (format.underlineStyle() == QTextCharFormat::NoUnderline) {
            format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        }
    }
    format.setProperty(attributesProperty, QVariant::fromValue(attributes));
    return format;
}

TextAttributes textAttributes(const QTextCharFormat& format) {
    const QVariant carried = format.property(attributesProperty);
    if (carried.canConvert<TextAttributes>() && carried.metaType() == QMetaType::fromType<TextAttributes>()) {
        return carried.value<TextAttributes>();
    }
    return attributesOfQtProperties(format);
}

QTextBlockFormat textBlockFormat(const std::optional<ParagraphStyle>& style) {
    QTextBlockFormat format;
    const ParagraphStyle paragraph = style.value_or(ParagraphStyle{});
    format.setAlignment(qtAlignment(paragraph.alignment));
    format.setLeftMargin(paragraph.headIndent);
    format.setTextIndent(paragraph.firstLineHeadIndent - paragraph.headIndent);
    format.setTopMargin(paragraph.paragraphSpacingBefore);
    format.setBottomMargin(paragraph.paragraphSpacing);
    QList<QTextOption::Tab> tabs;
    for (const auto& tab : paragraph.tabStops) tabs.append(QTextOption::Tab(tab.location, tabType(tab.alignment)));
    format.setTabPositions(tabs);
    return format;
}

} // namespace tessaril
