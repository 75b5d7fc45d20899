#include "Platform/Foundation/RTFWriter.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "Platform/Foundation/RTFVocabulary.hpp"
#include "Platform/Foundation/RTFTokenizer.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {
namespace {

constexpr double expandedScale = 100000;

// Out-of-range values, infinities included, are held at the nearest value a reader takes; NaN is 0.
long long clampedParameter(double value) {
    const double limit = RTFTokenizer::parameterLimit;
    return static_cast<long long>(std::llround(std::clamp(std::isnan(value) ? 0.0 : value, -limit, limit)));
}

double unitInterval(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }

// A weight the font table must name: regular and bold are what \b says already.
std::optional<FontWeight> entryWeight(FontWeight weight) {
    if (weight == FontWeight::regular || weight == FontWeight::bold) return std::nullopt;
    return weight;
}

// The tables of the header, numbered as the body refers to them.
struct Tables {
    using FontKey = std::tuple<SharedString, bool, std::optional<FontWeight>>;
    struct FontKeyHash {
        std::size_t operator()(const FontKey& key) const {
            const auto& [family, fixedPitch, weight] = key;
            const std::size_t weightBits = weight ? static_cast<std::size_t>(*weight) + 1 : 0;
            return family.hash() ^ (fixedPitch ? 0x9E3779B9u : 0u) ^ (weightBits << 8);
        }
    };
    // Hashed, so that a long family costs its length once, not once per run.
    std::unordered_map<FontKey, int, FontKeyHash> fonts;
    std::vector<FontKey> fontOrder;
    std::vector<Color> colors; // entry i + 1 of the colour table
    std::map<std::tuple<double, double, double, double>, int> colorNumbers;
    std::vector<std::vector<TextList>> lists; // list i + 1
    std::map<std::vector<std::string>, int> listNumbers;

    int font(const Font& font) {
        FontKey key{font.family, font.fixedPitch, entryWeight(font.weight)};
        auto [entry, added] = fonts.emplace(key, static_cast<int>(fontOrder.size()));
        if (added) fontOrder.push_back(std::move(key));
        return entry->second;
    }
    int color(const Color& color) {
        // Keyed by what is written, so that no NaN reaches the ordering.
        auto [entry, added] = colorNumbers.emplace(std::tuple{unitInterval(color.red), unitInterval(color.green),
                                                              unitInterval(color.blue), unitInterval(color.alpha)},
                                                   static_cast<int>(colors.size()) + 1);
        if (added) colors.push_back(color);
        return entry->second;
    }
    int list(const std::vector<TextList>& textLists) {
        std::vector<std::string> formats;
        for (const TextList& list : textLists) formats.push_back(list.markerFormat);
        auto [entry, added] = listNumbers.emplace(std::move(formats), static_cast<int>(lists.size()) + 1);
        if (added) lists.push_back(textLists);
        return entry->second;
    }
};

class Output {
public:
    explicit Output(std::size_t expectedLength) { text_.reserve(expectedLength); }

    void word(std::string_view name) {
        text_ += '\\';
        text_ += name;
        delimiterNeeded_ = true;
    }
    void word(std::string_view name, long long parameter) {
        word(name);
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, parameter).ptr;
        text_.append(digits, end);
    }
    void raw(std::string_view text) {
        text_ += text;
        delimiterNeeded_ = false;
    }
    // Text of the document (documentText) or of a table entry: every unit outside printable ASCII
    // becomes \uN, and in the document line ends become \par, tabs \tab, line separators \line.
    void escaped(std::u16string_view text, bool documentText) {
        for (const char16_t unit : text) {
            if (documentText && unit == u'\n') {
                word("par");
                raw("\n");
            } else if (documentText && unit == u'\t') {
                word("tab");
            } else if (documentText && unit == u'\u2028') {
                word("line");
            } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
                raw({'\\', static_cast<char>(unit)});
            } else if (unit < 0x20 || unit >= 0x7F || (!documentText && unit == u';')) {
                word("u", unit >= 0x8000 ? static_cast<long long>(unit) - 65536 : unit);
            } else {
                if (delimiterNeeded_) text_ += ' ';
                text_ += static_cast<char>(unit);
                delimiterNeeded_ = false;
            }
        }
    }
    std::string take() { return std::move(text_); }

private:
    void raw(std::initializer_list<char> characters) {
        text_.append(characters.begin(), characters.end());
        delimiterNeeded_ = false;
    }

    std::string text_;
    bool delimiterNeeded_ = false;
};

class Writer {
public:
    explicit Writer(const AttributedText& text) : text_(text), output_(text.length() * 2 + 256) {}

    std::string write() {
        collectTables();
        writeHeader();
        for (std::size_t location = 0; location < text_.length();) {
            const TextRange paragraph = text_.paragraphRange({location, 0});
            writeParagraph(paragraph);
            location = paragraph.end();
        }
        if (openLink_) closeField();
        output_.raw("}");
        return output_.take();
    }

private:
    void collectTables() {
        for (const auto& run : text_.runs()) {
            const TextAttributes& attributes = run.attributes;
            if (attributes.font) tables_.font(*attributes.font);
            if (attributes.foregroundColor) tables_.color(*attributes.foregroundColor);
            if (attributes.backgroundColor) tables_.color(*attributes.backgroundColor);
            if (attributes.paragraphStyle && !attributes.paragraphStyle->textLists.empty()) {
                tables_.list(attributes.paragraphStyle->textLists);
            }
        }
    }

    void writeHeader() {
        output_.raw("{");
        output_.word("rtf", 1);
        output_.word("ansi");
        output_.word("ansicpg", 1252);
        output_.word("uc", 0);
        writeFontTable();
        writeColorTables();
        writeListTables();
        output_.raw("\n");
    }

    void writeFontTable() {
        if (tables_.fontOrder.empty()) return;
        output_.raw("{");
        output_.word("fonttbl");
        for (std::size_t index = 0; index < tables_.fontOrder.size(); ++index) {
            const auto& [family, fixedPitch, weight] = tables_.fontOrder[index];
            output_.raw("{");
            output_.word("f", static_cast<long long>(index));
            output_.word(fixedPitch ? "fmodern" : "fnil");
            output_.word("fcharset", 0);
            if (fixedPitch) output_.word("fprq", 1);
            if (weight) {
                char panose[21];
                std::snprintf(panose, sizeof panose, "0000%02X00000000000000", rtf::panoseWeight(*weight));
                output_.raw("{\\*");
                output_.word("panose");
                output_.raw(" ");
                output_.raw(panose);
                output_.raw("}");
            }
            output_.escaped(unicode::toUTF16(family.str()), false);
            output_.raw(";}");
        }
        output_.raw("}\n");
    }

    void writeColorTables() {
        if (tables_.colors.empty()) return;
        output_.raw("{");
        output_.word("colortbl");
        output_.raw(";");
        bool needsExpanded = false;
        for (const Color& color : tables_.colors) {
            output_.word("red", std::lround(unitInterval(color.red) * 255));
            output_.word("green", std::lround(unitInterval(color.green) * 255));
            output_.word("blue", std::lround(unitInterval(color.blue) * 255));
            output_.raw(";");
            needsExpanded = needsExpanded || !isEightBit(color);
        }
        output_.raw("}\n");
        if (!needsExpanded) return;
        output_.raw("{\\*");
        output_.word("expandedcolortbl");
        output_.raw(";");
        for (const Color& color : tables_.colors) {
            if (!isEightBit(color)) {
                output_.word("cssrgb");
                for (const double component : {color.red, color.green, color.blue}) {
                    output_.word("c", std::lround(unitInterval(component) * expandedScale));
                }
                if (unitInterval(color.alpha) != 1.0) output_.word("c", std::lround(unitInterval(color.alpha) * expandedScale));
            }
            output_.raw(";");
        }
        output_.raw("}\n");
    }

    // Opaque colours whose components are whole 255ths need no expanded entry.
    static bool isEightBit(const Color& color) {
        for (const double component : {color.red, color.green, color.blue}) {
            const double value = unitInterval(component);
            if (std::lround(value * 255) / 255.0 != value) return false;
        }
        return unitInterval(color.alpha) == 1.0;
    }

    void writeListTables() {
        if (tables_.lists.empty()) return;
        output_.raw("{\\*");
        output_.word("listtable");
        for (std::size_t index = 0; index < tables_.lists.size(); ++index) {
            output_.raw("{");
            output_.word("list");
            output_.word("listtemplateid", static_cast<long long>(index) + 1);
            for (std::size_t level = 0; level < tables_.lists[index].size(); ++level) {
                writeListLevel(tables_.lists[index][level].markerFormat, static_cast<int>(level));
            }
            output_.word("listid", static_cast<long long>(index) + 1);
            output_.raw("}");
        }
        output_.raw("}\n{\\*");
        output_.word("listoverridetable");
        for (std::size_t index = 0; index < tables_.lists.size(); ++index) {
            output_.raw("{");
            output_.word("listoverride");
            output_.word("listid", static_cast<long long>(index) + 1);
            output_.word("listoverridecount", 0);
            output_.word("ls", static_cast<long long>(index) + 1);
            output_.raw("}");
        }
        output_.raw("}\n");
    }

    // One level: its marker format for readers that know text lists, and a level text for the others.
    void writeListLevel(const std::string& markerFormat, int level) {
        const int numberFormat = rtf::levelNumberFormat(markerFormat);
        output_.raw("{");
        output_.word("listlevel");
        output_.word("levelnfc", numberFormat);
        output_.word("levelnfcn", numberFormat);
        output_.word("leveljc", 0);
        output_.word("levelstartat", 1);
        output_.raw("{\\*");
        output_.word("levelmarker");
        output_.raw(" ");
        output_.escaped(unicode::toUTF16(markerFormat), false);
        output_.raw("}{");
        output_.word("leveltext");
        if (numberFormat == 23) {
            output_.raw("\\'01");
            output_.escaped(std::u16string(1, rtf::bulletCharacter(markerFormat)), false);
            output_.raw(";}");
        } else {
            char levelText[16];
            std::snprintf(levelText, sizeof levelText, "\\'02\\'%02X.;}", level);
            output_.raw(levelText);
            output_.raw("{");
            output_.word("levelnumbers");
            output_.raw("\\'01;}");
        }
        output_.raw("}");
    }

    // A paragraph's properties are written where they differ from those in force (and always at the
    // start), so that a style set once over many paragraphs is written once. A link goes on over
    // the paragraphs it spans as one field, whose target is written once.
    void writeParagraph(TextRange paragraph) {
        const SharedParagraphStyle& style = text_.attributes(paragraph.location).paragraphStyle;
        bool atStart = true;
        const auto& runs = text_.runs();
        for (std::size_t index = runIndex(paragraph.location);
             index < runs.size() && runs[index].range.location < paragraph.end(); ++index) {
            // The run's part in this paragraph, read in place: a paragraph may hold very many runs.
            const std::size_t start = std::max(runs[index].range.location, paragraph.location);
            const TextRange piece{start, std::min(runs[index].range.end(), paragraph.end()) - start};
            const TextAttributes& attributes = runs[index].attributes;
            const auto& link = attributes.link;
            if (openLink_ && !(link && *link == *openLink_)) {
                closeField();
                // The field's group kept what was written inside it: the rest of the paragraph
                // needs its properties again if they differ from those outside.
                if (!atStart) writeParagraphProperties(style);
            }
            if (atStart) writeParagraphProperties(style);
            atStart = false;
            if (link && !openLink_) openField(index);
            if (openLink_) {
                writeFieldRun(piece, attributes);
            } else {
                writeRun(piece, attributes);
            }
        }
    }

    void writeParagraphProperties(const SharedParagraphStyle& style) {
        static const ParagraphStyle none;
        if (propertiesWritten_ && (style == written_ || (style ? *style : none) == (written_ ? *written_ : none))) return;
        output_.word("pard");
        if (style) writeParagraphStyle(*style);
        written_ = style;
        propertiesWritten_ = true;
    }

    void writeParagraphStyle(const ParagraphStyle& style) {
        switch (style.alignment) {
        case TextAlignment::left: output_.word("ql"); break;
        case TextAlignment::center: output_.word("qc"); break;
        case TextAlignment::right: output_.word("qr"); break;
        case TextAlignment::justified: output_.word("qj"); break;
        case TextAlignment::natural: break;
        }
        if (style.headIndent != 0) output_.word("li", clampedParameter(style.headIndent * 20));
        if (style.firstLineHeadIndent != style.headIndent) {
            // The offset is clamped as one value: clamping the two indents apart lost the difference
            // whenever the first-line indent lay beyond the parameter range and the head indent did not.
            output_.word("fi", clampedParameter((style.firstLineHeadIndent - style.headIndent) * 20));
        }
        if (style.paragraphSpacingBefore != 0) output_.word("sb", clampedParameter(style.paragraphSpacingBefore * 20));
        if (style.paragraphSpacing != 0) output_.word("sa", clampedParameter(style.paragraphSpacing * 20));
        for (const TextTab& tab : style.tabStops) {
            if (tab.alignment == TextAlignment::center) output_.word("tqc");
            if (tab.alignment == TextAlignment::right) output_.word("tqr");
            output_.word("tx", clampedParameter(tab.location * 20));
        }
        if (!style.textLists.empty()) {
            output_.word("ls", tables_.list(style.textLists));
            output_.word("ilvl", static_cast<long long>(style.textLists.size()) - 1);
        }
    }

    std::u16string_view characters(TextRange range) const {
        return std::u16string_view(text_.string()).substr(range.location, range.length);
    }

    // Opens the field of the link that run `first` starts. Its runs go in groups of their own unless
    // they all have one character format, which the result group then carries.
    void openField(std::size_t first) {
        const auto& runs = text_.runs();
        const TextAttributes& attributes = runs[first].attributes;
        openLink_ = attributes.link;
        outsideField_ = written_;
        fieldRunsGrouped_ = false;
        for (std::size_t index = first + 1; index < runs.size() && runs[index].attributes.link == openLink_; ++index) {
            if (!sameCharacterFormat(runs[index].attributes, attributes)) {
                fieldRunsGrouped_ = true;
                break;
            }
        }
        output_.raw("{\\field{\\*");
        output_.word("fldinst");
        output_.raw(" ");
        output_.escaped(rtf::hyperlinkInstruction(unicode::toUTF16(openLink_->str())), false);
        output_.raw("}{");
        output_.word("fldrslt");
        if (!fieldRunsGrouped_) writeCharacterFormat(attributes);
    }

    void writeFieldRun(TextRange range, const TextAttributes& attributes) {
        if (!fieldRunsGrouped_) {
            output_.escaped(characters(range), true);
            return;
        }
        output_.raw("{");
        writeCharacterFormat(attributes);
        output_.escaped(characters(range), true);
        output_.raw("}");
    }

    void closeField() {
        output_.raw("}}");
        openLink_.reset();
        written_ = outsideField_;
    }

    std::size_t runIndex(std::size_t location) const {
        const auto& runs = text_.runs();
        const auto after = std::upper_bound(runs.begin(), runs.end(), location, [](std::size_t value, const auto& run) {
            return value < run.range.location;
        });
        return static_cast<std::size_t>(after - runs.begin()) - 1;
    }

    static bool sameCharacterFormat(const TextAttributes& left, const TextAttributes& right) {
        return left.font == right.font && left.foregroundColor == right.foregroundColor &&
               left.backgroundColor == right.backgroundColor && left.underlineStyle == right.underlineStyle &&
               left.strikethroughStyle == right.strikethroughStyle;
    }

    void writeRun(TextRange range, const TextAttributes& attributes) {
        const std::u16string_view text = characters(range);
        if (!attributes.font && !attributes.foregroundColor && !attributes.backgroundColor &&
            !attributes.underlineStyle && !attributes.strikethroughStyle) {
            output_.escaped(text, true);
        } else {
            output_.raw("{");
            writeCharacterFormat(attributes);
            output_.escaped(text, true);
            output_.raw("}");
        }
    }

    void writeCharacterFormat(const TextAttributes& attributes) {
        if (const auto& font = attributes.font) {
            output_.word("f", tables_.font(*font));
            output_.word("fs", std::clamp<long long>(clampedParameter(font->pointSize * 2), 1, RTFTokenizer::parameterLimit));
            if (font->isBold()) output_.word("b");
            if (font->italic) output_.word("i");
        }
        if (attributes.foregroundColor) output_.word("cf", tables_.color(*attributes.foregroundColor));
        if (attributes.backgroundColor) output_.word("cb", tables_.color(*attributes.backgroundColor));
        if (attributes.underlineStyle && *attributes.underlineStyle != 0) {
            output_.word(rtf::underlineControlWord(*attributes.underlineStyle));
        }
        if (attributes.strikethroughStyle && *attributes.strikethroughStyle != 0) {
            if (*attributes.strikethroughStyle == 9) {
                output_.word("striked", 1);
            } else {
                output_.word("strike");
            }
        }
    }

    const AttributedText& text_;
    Output output_;
    Tables tables_;
    // The paragraph properties the reader has in force, once any are written.
    SharedParagraphStyle written_;
    bool propertiesWritten_ = false;
    std::optional<SharedString> openLink_;
    SharedParagraphStyle outsideField_;
    bool fieldRunsGrouped_ = false;
};

} // namespace

std::string RTFWriter::write(const AttributedText& text) { return Writer(text).write(); }

} // namespace tessaril::platform
