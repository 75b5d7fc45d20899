#include "Platform/Foundation/RTFVocabulary.hpp"

#include <array>
#include <utility>

#include "Platform/Foundation/CodePageDecoder.hpp"
#include "Platform/Foundation/Font.hpp"

namespace tessaril::platform::rtf {
namespace {

constexpr int single = 0x01, thick = 0x02, doubled = 0x09;
constexpr int dot = 0x100, dash = 0x200, dashDot = 0x300, dashDotDot = 0x400, byWord = 0x8000;

// Words the writer uses, one per style; the reader knows them all.
constexpr std::array<std::pair<std::string_view, int>, 12> writtenUnderlines{{
    {"ul", single},
    {"uld", single | dot},
    {"uldash", single | dash},
    {"uldashd", single | dashDot},
    {"uldashdd", single | dashDotDot},
    {"ulth", thick},
    {"ulthd", thick | dot},
    {"ulthdash", thick | dash},
    {"ulthdashd", thick | dashDot},
    {"ulthdashdd", thick | dashDotDot},
    {"uldb", doubled},
    {"ulw", single | byWord},
}};

// Words only read: the nearest style the text system has.
constexpr std::array<std::pair<std::string_view, int>, 6> readOnlyUnderlines{{
    {"ulnone", 0}, {"ulwave", single}, {"ulhwave", thick}, {"ululdbwave", doubled},
    {"ulldash", single | dash}, {"ulthldash", thick | dash},
}};

constexpr std::array<std::pair<int, std::string_view>, 5> numberFormats{{
    {0, "{decimal}"}, {1, "{upper-roman}"}, {2, "{lower-roman}"}, {3, "{upper-alpha}"}, {4, "{lower-alpha}"},
}};
constexpr int bulletNumberFormat = 23;

constexpr std::array<std::pair<std::string_view, char16_t>, 7> bullets{{
    {"{disc}", u'\u2022'}, {"{circle}", u'\u25E6'}, {"{square}", u'\u25AA'}, {"{hyphen}", u'\u2043'},
    {"{diamond}", u'\u25C6'}, {"{check}", u'\u2713'}, {"{box}", u'\u25FB'},
}};

// Bullets as other writers draw them, some in symbol fonts.
constexpr std::array<std::pair<char16_t, std::string_view>, 8> foreignBullets{{
    {u'o', "{circle}"}, {u'\uF0A7', "{square}"}, {u'\u25A0', "{square}"}, {u'-', "{hyphen}"},
    {u'\u2013', "{hyphen}"}, {u'\uF076', "{diamond}"}, {u'\uF0FC', "{check}"}, {u'\uF0B7', "{disc}"},
}};

constexpr std::array<std::pair<FontWeight, int>, 9> panoseWeights{{
    {FontWeight::ultraLight, 2}, {FontWeight::light, 3}, {FontWeight::thin, 4}, {FontWeight::regular, 5},
    {FontWeight::medium, 6}, {FontWeight::semibold, 7}, {FontWeight::bold, 8}, {FontWeight::heavy, 9},
    {FontWeight::black, 10},
}};

// Character sets to code pages; 77 to 89 are the Mac ones (Roman, Japanese, Korean, Simplified and
// Traditional Chinese, Greek, Turkish, Central European, Cyrillic) that older Mac writers use.
constexpr std::array<std::pair<int, int>, 25> characterSets{{
    {2, CodePageDecoder::symbolCodePage}, {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008}, {81, 10002},
    {85, 10006}, {86, 10081}, {88, 10029}, {89, 10007}, {128, 932}, {129, 949}, {134, 936}, {136, 950},
    {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},
    {238, 1250}, {254, 437}, {255, 850},
}};

constexpr std::array<int, 26> decodedCodePages{
    CodePageDecoder::symbolCodePage, 437, 850, 874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254,
    1255, 1256, 1257, 1258, 10000, 10001, 10002, 10003, 10006, 10007, 10008, 10029, 10081,
};

} // namespace

std::optional<int> underlineStyle(std::string_view controlWord) {
    for (const auto& [word, style] : writtenUnderlines) {
        if (word == controlWord) return style;
    }
    for (const auto& [word, style] : readOnlyUnderlines) {
        if (word == controlWord) return style;
    }
    return std::nullopt;
}

std::string_view underlineControlWord(int style) {
    for (const auto& [word, value] : writtenUnderlines) {
        if (value == style) return word;
    }
    return "ul";
}

std::string markerFormat(int levelNumberFormat, char16_t bulletCharacter) {
    for (const auto& [number, format] : numberFormats) {
        if (number == levelNumberFormat) return std::string(format);
    }
    if (levelNumberFormat == 22) return "{decimal}"; // decimal with a leading zero
    if (levelNumberFormat != bulletNumberFormat) return levelNumberFormat == 255 ? "{disc}" : "{decimal}";
    for (const auto& [format, character] : bullets) {
        if (character == bulletCharacter) return std::string(format);
    }
    for (const auto& [character, format] : foreignBullets) {
        if (character == bulletCharacter) return std::string(format);
    }
    return "{disc}";
}

int levelNumberFormat(std::string_view markerFormat) {
    for (const auto& [number, format] : numberFormats) {
        if (markerFormat.find(format) != std::string_view::npos) return number;
    }
    return bulletNumberFormat;
}

char16_t bulletCharacter(std::string_view markerFormat) {
    for (const auto& [format, character] : bullets) {
        if (markerFormat.find(format) != std::string_view::npos) return character;
    }
    return u'\u2022';
}

int panoseWeight(FontWeight weight) {
    for (const auto& [candidate, panose] : panoseWeights) {
        if (candidate == weight) return panose;
    }
    return 5;
}

std::optional<FontWeight> fontWeight(int panoseWeight) {
    if (panoseWeight == 11) return FontWeight::black;
    for (const auto& [weight, panose] : panoseWeights) {
        if (panose == panoseWeight) return weight;
    }
    return std::nullopt;
}

std::optional<int> codePage(int characterSet) {
    for (const auto& [set, page] : characterSets) {
        if (set == characterSet) return page;
    }
    return std::nullopt;
}

int supportedCodePage(int codePage) {
    for (const int supported : decodedCodePages) {
        if (supported == codePage) return codePage;
    }
    return 1252;
}

bool isPlatformMonospacedName(std::string_view fontTableName) {
    return fontTableName.starts_with(".AppleSystemUIFontMonospaced") || fontTableName.starts_with(".SFNSMono");
}

std::string familyName(std::string_view fontTableName) {
    if (isPlatformMonospacedName(fontTableName)) return std::string(Font::monospacedSystemFamily);
    if (fontTableName.starts_with(".AppleSystemUIFont") || fontTableName.starts_with(".SFNS")) {
        return std::string(Font::systemFamily);
    }
    return std::string(fontTableName);
}

} // namespace tessaril::platform::rtf

namespace tessaril::platform::rtf {
namespace {

bool isFieldSpace(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r'; }

char16_t lowercaseASCII(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit; }

// One argument of a field instruction at `index`: quoted (with \" and \\ escapes) or up to white space.
std::u16string fieldArgument(std::u16string_view instruction, std::size_t& index) {
    std::u16string argument;
    if (index < instruction.size() && instruction[index] == u'"') {
        ++index;
        while (index < instruction.size() && instruction[index] != u'"') {
            if (instruction[index] == u'\\' && index + 1 < instruction.size() &&
                (instruction[index + 1] == u'"' || instruction[index + 1] == u'\\')) {
                ++index;
            }
            argument.push_back(instruction[index++]);
        }
        if (index < instruction.size()) ++index;
        return argument;
    }
    while (index < instruction.size() && !isFieldSpace(instruction[index])) argument.push_back(instruction[index++]);
    return argument;
}

} // namespace

std::optional<std::u16string> hyperlinkTarget(std::u16string_view instruction) {
    constexpr std::u16string_view keyword = u"hyperlink";
    std::size_t index = 0;
    while (index < instruction.size() && isFieldSpace(instruction[index])) ++index;
    if (instruction.size() - index < keyword.size()) return std::nullopt;
    for (const char16_t expected : keyword) {
        if (lowercaseASCII(instruction[index++]) != expected) return std::nullopt;
    }
    if (index < instruction.size() && !isFieldSpace(instruction[index])) return std::nullopt;

    std::optional<std::u16string> target;
    std::optional<std::u16string> location;
    while (true) {
        while (index < instruction.size() && isFieldSpace(instruction[index])) ++index;
        if (index >= instruction.size()) break;
        if (instruction[index] == u'\\' && index + 1 < instruction.size() &&
            lowercaseASCII(instruction[index + 1]) >= u'a' && lowercaseASCII(instruction[index + 1]) <= u'z') {
            const char16_t name = lowercaseASCII(instruction[index + 1]);
            index += 2;
            if (name == u'l' || name == u'o' || name == u't') {
                while (index < instruction.size() && isFieldSpace(instruction[index])) ++index;
                std::u16string argument = fieldArgument(instruction, index);
                if (name == u'l') location = std::move(argument);
            }
            continue;
        }
        std::u16string argument = fieldArgument(instruction, index);
        if (!target) target = std::move(argument);
    }
    if (location) return target.value_or(u"") + u"#" + *location;
    return target;
}

std::u16string hyperlinkInstruction(std::u16string_view target) {
    std::u16string instruction = u"HYPERLINK \"";
    for (const char16_t unit : target) {
        if (unit == u'"' || unit == u'\\') instruction.push_back(u'\\');
        instruction.push_back(unit);
    }
    instruction.push_back(u'"');
    return instruction;
}

} // namespace tessaril::platform::rtf
