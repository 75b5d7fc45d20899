#include "Platform/Foundation/RTFParser.hpp"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

#include "Platform/Foundation/RTFVocabulary.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {
namespace {

// Destinations that carry no text of the document.
constexpr std::array<std::string_view, 49> skippedDestinations{
    "info",       "stylesheet",   "pict",          "object",      "header",       "headerl",     "headerr",
    "headerf",    "footer",       "footerl",       "footerr",     "footerf",      "footnote",    "annotation",
    "generator",  "themedata",    "colorschememapping", "datastore", "latentstyles", "xmlnstbl",   "rsidtbl",
    "filetbl",    "revtbl",       "pgdsctbl",      "pn",          "nonshppict",   "shp",         "shpinst",
    "shppict",    "do",           "listname",      "levelnumbers", "lfolevel",    "xe",          "tc",
    "txe",        "rxe",          "bkmkstart",     "bkmkend",     "docvar",       "userprops",   "mmathPr",
    "template",   "atnid",        "atnauthor",     "private",     "objdata",      "result",      "fldtype",
};

constexpr std::array<std::pair<std::string_view, char16_t>, 19> specialCharacters{{
    {"par", u'\n'},       {"sect", u'\n'},      {"page", u'\n'},      {"line", u'\u2028'},
    {"tab", u'\t'},       {"emdash", u'\u2014'}, {"endash", u'\u2013'}, {"emspace", u'\u2003'},
    {"enspace", u'\u2002'}, {"qmspace", u'\u2005'}, {"bullet", u'\u2022'}, {"lquote", u'\u2018'},
    {"rquote", u'\u2019'}, {"ldblquote", u'\u201C'}, {"rdblquote", u'\u201D'}, {"zwj", u'\u200D'},
    {"zwnj", u'\u200C'},  {"ltrmark", u'\u200E'}, {"rtlmark", u'\u200F'},
}};

template <std::size_t Size> bool contains(const std::array<std::string_view, Size>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::optional<char16_t> specialCharacter(std::string_view word) {
    for (const auto& [name, unit] : specialCharacters) {
        if (name == word) return unit;
    }
    return std::nullopt;
}

bool switchedOn(bool hasParameter, int parameter) { return !hasParameter || parameter != 0; }

constexpr int expandedScale = 100000;

} // namespace

RTFParser::RTFParser(std::span<const std::uint8_t> input, std::size_t start) : tokenizer_(input, start) {
    groups_.reserve(maximumDepth);
}

AttributedText RTFParser::parse() {
    for (RTFToken token = tokenizer_.next(); token.kind != RTFToken::Kind::end; token = tokenizer_.next()) {
        if (skippedDepth_ > 0) {
            if (token.kind == RTFToken::Kind::groupStart) ++skippedDepth_;
            if (token.kind == RTFToken::Kind::groupEnd) --skippedDepth_;
            continue;
        }
        if (token.kind == RTFToken::Kind::groupStart) {
            openGroup();
            continue;
        }
        if (token.kind == RTFToken::Kind::groupEnd) {
            closeGroup();
            if (groups_.empty()) break; // the document's own group has closed
            continue;
        }
        if (groups_.empty()) continue;
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            continue;
        }
        switch (token.kind) {
        case RTFToken::Kind::controlWord: controlWord(token); break;
        case RTFToken::Kind::controlSymbol: controlSymbol(token.byte); break;
        case RTFToken::Kind::hexByte: byte(token.byte, false); break;
        case RTFToken::Kind::text: byte(token.byte, true); break;
        default: break;
        }
    }
    flushLeadByte();
    flushRun();
    return builder_.finish(paragraphStyle(paragraphAtLastText_));
}

void RTFParser::openGroup() {
    flushLeadByte();
    fallbackToSkip_ = 0;
    if (groups_.size() >= maximumDepth) {
        skippedDepth_ = 1;
        return;
    }
    if (groups_.empty()) {
        groups_.emplace_back();
        return;
    }
    GroupState child = groups_.back();
    child.ownsField = false;
    child.startsPanose = false;
    child.atStart = true;
    child.ignorable = false;
    groups_.push_back(std::move(child));
}

void RTFParser::closeGroup() {
    flushLeadByte();
    fallbackToSkip_ = 0;
    if (state().startsPanose) applyPanose();
    if (state().ownsField) fields_.pop_back();
    groups_.pop_back();
    paragraphChanged_ = true;
}

void RTFParser::skipCurrentGroup() {
    if (state().ownsField) fields_.pop_back();
    groups_.pop_back();
    skippedDepth_ = 1;
}

void RTFParser::controlWord(const RTFToken& token) {
    flushLeadByte();
    const std::string_view word = token.word;
    GroupState& group = state();
    if (group.atStart) {
        group.atStart = false;
        if (destination(word)) return;
        if (group.ignorable) {
            skipCurrentGroup();
            return;
        }
    }
    if (word == "u") {
        if (token.hasParameter) {
            const int unit = token.parameter < 0 ? token.parameter + 65536 : token.parameter;
            if (unit >= 0 && unit <= 0xFFFF) character(static_cast<char16_t>(unit));
        }
        fallbackToSkip_ = state().unicodeSkip;
        return;
    }
    if (word == "uc") {
        state().unicodeSkip = std::clamp(token.parameter, 0, 255);
        return;
    }
    switch (group.destination) {
    case Destination::document: documentWord(word, token.hasParameter, token.parameter); break;
    default: tableWord(word, token.hasParameter, token.parameter); break;
    }
}

bool RTFParser::destination(std::string_view word) {
    GroupState& group = state();
    const Destination parent = group.destination;
    auto enter = [&](bool allowed, Destination destination) {
        if (!allowed) {
            skipCurrentGroup();
        } else {
            group.destination = destination;
        }
        return true;
    };
    if (contains(skippedDestinations, word)) {
        skipCurrentGroup();
        return true;
    }
    if (word == "fonttbl") return enter(true, Destination::fontTable);
    if (word == "colortbl") return enter(true, Destination::colorTable);
    if (word == "expandedcolortbl") return enter(true, Destination::expandedColorTable);
    if (word == "listtable") return enter(true, Destination::listTable);
    if (word == "listoverridetable") return enter(true, Destination::listOverrideTable);
    if (word == "list") {
        if (parent == Destination::listTable) tables_.beginList();
        return enter(parent == Destination::listTable, Destination::list);
    }
    if (word == "listlevel") {
        if (parent == Destination::list) tables_.beginListLevel();
        return enter(parent == Destination::list, Destination::listLevel);
    }
    if (word == "leveltext") return enter(parent == Destination::listLevel, Destination::levelText);
    if (word == "levelmarker") {
        if (parent == Destination::listLevel) tables_.beginLevelMarker();
        return enter(parent == Destination::listLevel, Destination::levelMarker);
    }
    if (word == "listoverride") {
        if (parent == Destination::listOverrideTable) tables_.beginListOverride();
        return enter(parent == Destination::listOverrideTable, Destination::listOverride);
    }
    if (word == "panose") {
        panoseText_.clear();
        group.startsPanose = parent == Destination::fontTable;
        return enter(parent == Destination::fontTable, Destination::panose);
    }
    if (word == "field") {
        if (parent == Destination::document) {
            fields_.emplace_back();
            group.field = static_cast<int>(fields_.size()) - 1;
            group.ownsField = true;
        }
        return enter(parent == Destination::document, Destination::document);
    }
    if (word == "fldinst") return enter(parent == Destination::document && group.field >= 0, Destination::fieldInstruction);
    if (word == "fldrslt") {
        if (parent == Destination::document && group.field >= 0) {
            Field& field = fields_[static_cast<std::size_t>(group.field)];
            if (!field.instructionRead) {
                field.instructionRead = true;
                if (auto target = rtf::hyperlinkTarget(field.instruction)) {
                    links_.push_back(linkTargets_.intern(unicode::fromUTF16(*target)));
                    field.link = static_cast<int>(links_.size()) - 1;
                }
            }
            // A link inside a link (a field in another's result) leaves the outer one whole.
            if (field.link >= 0 && !field.textAfterResult && group.character.link < 0) group.character.link = field.link;
            group.resultOf = group.field;
        }
        return enter(parent == Destination::document, Destination::document);
    }
    if (word == "listtext" || word == "pntext") return enter(parent == Destination::document, Destination::document);
    return false;
}

void RTFParser::documentWord(std::string_view word, bool hasParameter, int parameter) {
    if (characterWord(word, hasParameter, parameter)) return;
    if (paragraphWord(word, parameter)) {
        paragraphChanged_ = true;
        return;
    }
    if (auto unit = specialCharacter(word)) {
        documentCharacter(*unit);
    } else if (word == "cell" || word == "nestcell") {
        pendingCellSeparator_ = true;
    } else if (word == "row" || word == "nestrow") {
        pendingCellSeparator_ = false;
        documentCharacter(u'\n');
    } else if (word == "ansi") {
        documentCodePage_ = 1252;
    } else if (word == "mac") {
        documentCodePage_ = 10000;
    } else if (word == "pc") {
        documentCodePage_ = 437;
    } else if (word == "pca") {
        documentCodePage_ = 850;
    } else if (word == "ansicpg") {
        documentCodePage_ = rtf::supportedCodePage(parameter);
    } else if (word == "deff" && hasParameter) {
        defaultFont_ = parameter;
        cacheValid_ = false;
    }
}

bool RTFParser::characterWord(std::string_view word, bool hasParameter, int parameter) {
    CharacterFormat& format = state().character;
    if (word == "plain") {
        const int link = format.link; // a field result stays a link
        format = CharacterFormat{};
        format.link = link;
    } else if (word == "f") {
        if (hasParameter) format.font = parameter;
    } else if (word == "fs") {
        format.fontSize = hasParameter && parameter > 0 ? parameter : 24;
    } else if (word == "b") {
        format.bold = switchedOn(hasParameter, parameter);
    } else if (word == "i") {
        format.italic = switchedOn(hasParameter, parameter);
    } else if (word == "v") {
        format.hidden = switchedOn(hasParameter, parameter);
    } else if (word == "dbch" || word == "loch" || word == "hich") {
        format.doubleByte = word == "dbch";
    } else if (word == "ab") {
        // Outside \dbch the associated properties belong to other scripts (after \rtlch, right-to-left).
        if (format.doubleByte) format.doubleByteBold = switchedOn(hasParameter, parameter);
    } else if (word == "ai") {
        if (format.doubleByte) format.doubleByteItalic = switchedOn(hasParameter, parameter);
    } else if (word == "strike") {
        format.strikethrough = switchedOn(hasParameter, parameter) ? 1 : 0;
    } else if (word == "striked") {
        format.strikethrough = switchedOn(hasParameter, parameter) ? 9 : 0;
    } else if (word == "cf") {
        format.foreground = hasParameter ? parameter : 0;
    } else if (word == "cb" || word == "chcbpat") {
        format.background = hasParameter ? parameter : 0;
    } else if (word == "highlight") {
        format.background = hasParameter && parameter > 0 ? parameter : -1;
    } else if (auto style = rtf::underlineStyle(word)) {
        format.underline = switchedOn(hasParameter, parameter) ? *style : 0;
    } else {
        return false;
    }
    return true;
}

bool RTFParser::paragraphWord(std::string_view word, int parameter) {
    ParagraphFormat& format = state().paragraph;
    if (word == "pard") {
        format = ParagraphFormat{};
    } else if (word == "ql") {
        format.alignment = TextAlignment::left;
    } else if (word == "qc") {
        format.alignment = TextAlignment::center;
    } else if (word == "qr") {
        format.alignment = TextAlignment::right;
    } else if (word == "qj" || word == "qd") {
        format.alignment = TextAlignment::justified;
    } else if (word == "li" || word == "lin") {
        format.leftIndent = parameter;
    } else if (word == "fi") {
        format.firstLineIndent = parameter;
    } else if (word == "sb") {
        format.spaceBefore = parameter;
    } else if (word == "sa") {
        format.spaceAfter = parameter;
    } else if (word == "tqr" || word == "tqdec") {
        format.nextTabAlignment = TextAlignment::right;
    } else if (word == "tqc") {
        format.nextTabAlignment = TextAlignment::center;
    } else if (word == "tb") {
        format.nextTabAlignment = TextAlignment::left; // a bar is drawn, no stop is set
    } else if (word == "tx") {
        if (!format.tabStops || format.tabStops->size() < maximumTabStops) {
            auto stops = format.tabStops ? std::make_shared<std::vector<TextTab>>(*format.tabStops)
                                         : std::make_shared<std::vector<TextTab>>();
            stops->push_back({format.nextTabAlignment, parameter / 20.0});
            format.tabStops = std::move(stops);
        }
        format.nextTabAlignment = TextAlignment::left;
    } else if (word == "ls") {
        format.listOverride = parameter;
    } else if (word == "ilvl") {
        format.listLevel = std::clamp(parameter, 0, 8);
    } else {
        return false;
    }
    return true;
}

// Control words of the header tables: fonts, colours, lists.
void RTFParser::tableWord(std::string_view word, bool hasParameter, int parameter) {
    cacheValid_ = false;
    switch (state().destination) {
    case Destination::fontTable:
        if (word == "f" && hasParameter) {
            currentFontEntry_ = parameter;
            tables_.defineFont(parameter);
        } else if (word == "fmodern") {
            tables_.defineFont(currentFontEntry_).fixedPitch = true;
        } else if (word == "fprq" && parameter == 1) {
            tables_.defineFont(currentFontEntry_).fixedPitch = true;
        } else if (word == "fcharset") {
            tables_.defineFont(currentFontEntry_).codePage = rtf::codePage(parameter);
        } else if (word == "cpg") {
            tables_.defineFont(currentFontEntry_).codePage = rtf::supportedCodePage(parameter);
        }
        break;
    case Destination::colorTable: {
        const int component = word == "red" ? 0 : word == "green" ? 1 : word == "blue" ? 2 : -1;
        if (component >= 0) {
            colorComponents_[component] = std::clamp(parameter, 0, 255);
            colorHasComponents_ = true;
        }
        break;
    }
    case Destination::expandedColorTable:
        if (word == "cssrgb" || word == "csgenericrgb") {
            expandedColorSpace_ = 3;
        } else if (word == "csgray" || word == "csgenericgray") {
            expandedColorSpace_ = 1;
        } else if (word == "c" && expandedComponents_.size() < 4) {
            expandedComponents_.push_back(std::clamp(parameter, 0, expandedScale));
        }
        break;
    case Destination::list:
        if (word == "listid") tables_.setListIdentifier(parameter);
        break;
    case Destination::listLevel:
        if (word == "levelnfc" || word == "levelnfcn") tables_.setLevelNumberFormat(parameter);
        break;
    case Destination::listOverride:
        if (word == "listid") tables_.setOverrideListIdentifier(parameter);
        if (word == "ls") tables_.setOverrideNumber(parameter);
        break;
    default: break;
    }
}

void RTFParser::controlSymbol(std::uint8_t symbol) {
    // A double-byte character whose trail byte is an RTF symbol (Shift-JIS ソ is 83 5C) is written as
    // its lead byte and the escaped symbol.
    const bool trail = symbol == '\\' || symbol == '{' || symbol == '}';
    if (trail && activeDecoder_ && activeDecoder_->holdsLeadByte()) {
        byte(symbol, false);
        return;
    }
    flushLeadByte();
    GroupState& group = state();
    if (symbol == '*') {
        if (group.atStart) group.ignorable = true;
        return;
    }
    group.atStart = false;
    switch (symbol) {
    case '~': character(u'\u00A0'); break;
    case '_': character(u'\u2011'); break;
    case '\\':
    case '{':
    case '}': character(symbol); break;
    case '\n': character(u'\n'); break;
    default: break; // \- (optional hyphen), \: and \| carry no text
    }
}

void RTFParser::byte(std::uint8_t value, bool raw) {
    state().atStart = false;
    const bool leadPending = activeDecoder_ && activeDecoder_->holdsLeadByte();
    if (raw && value < 0x80 && !leadPending) {
        if (value >= 0x20) {
            character(value, value == ';');
        } else if (value == '\t') {
            character(u'\t');
        }
        return;
    }
    decoded_.clear();
    decoder().decode(value, decoded_);
    for (const char16_t unit : decoded_) {
        if (unit >= 0x20 || unit == u'\t') character(unit);
    }
}

CodePageDecoder& RTFParser::decoder() {
    int fontNumber = state().character.font >= 0 ? state().character.font : defaultFont_.value_or(-1);
    if (state().destination == Destination::fontTable) fontNumber = currentFontEntry_;
    const RTFFontEntry* entry = tables_.font(fontNumber);
    const int codePage = entry && entry->codePage ? *entry->codePage : documentCodePage_;
    auto& slot = decoders_[codePage];
    if (!slot) slot = std::make_unique<CodePageDecoder>(codePage);
    if (activeDecoder_ != slot.get()) {
        flushLeadByte();
        activeDecoder_ = slot.get();
    }
    return *slot;
}

void RTFParser::flushLeadByte() {
    if (!activeDecoder_ || !activeDecoder_->holdsLeadByte()) return;
    std::u16string rest;
    activeDecoder_->flush(rest);
    for (const char16_t unit : rest) character(unit);
}

void RTFParser::character(char16_t unit, bool rawSemicolon) {
    GroupState& group = state();
    if (group.destination != Destination::document) cacheValid_ = false;
    switch (group.destination) {
    case Destination::document: documentCharacter(unit); break;
    case Destination::fontTable: {
        RTFFontEntry& entry = tables_.defineFont(currentFontEntry_);
        // Control characters written as \uN belong to the name (raw line ends never arrive here).
        if (rawSemicolon) {
            entry.nameComplete = true;
        } else if (!entry.nameComplete) {
            entry.name.push_back(unit);
        }
        break;
    }
    case Destination::colorTable:
        if (rawSemicolon) {
            tables_.addColor(colorHasComponents_ ? std::optional<Color>(Color{colorComponents_[0] / 255.0,
                                                                               colorComponents_[1] / 255.0,
                                                                               colorComponents_[2] / 255.0, 1})
                                                 : std::nullopt);
            colorComponents_[0] = colorComponents_[1] = colorComponents_[2] = 0;
            colorHasComponents_ = false;
        }
        break;
    case Destination::expandedColorTable:
        if (rawSemicolon) {
            std::optional<Color> color;
            const auto& values = expandedComponents_;
            auto component = [&](std::size_t index) { return values[index] / static_cast<double>(expandedScale); };
            if (expandedColorSpace_ == 3 && values.size() >= 3) {
                color = Color{component(0), component(1), component(2), values.size() > 3 ? component(3) : 1.0};
            } else if (expandedColorSpace_ == 1 && !values.empty()) {
                color = Color{component(0), component(0), component(0), values.size() > 1 ? component(1) : 1.0};
            }
            tables_.addExpandedColor(color);
            expandedColorSpace_ = 0;
            expandedComponents_.clear();
        }
        break;
    case Destination::levelText: tables_.appendLevelText(unit); break;
    case Destination::levelMarker: tables_.appendLevelMarker(unit); break;
    case Destination::fieldInstruction: {
        Field& field = fields_[static_cast<std::size_t>(group.field)];
        // A field instruction is a line of words; a longer one is no hyperlink. Once a result has
        // read it, more instruction text changes nothing.
        if (field.instruction.size() < 65536 && !field.instructionRead) field.instruction.push_back(unit);
        break;
    }
    case Destination::panose:
        if (panoseText_.size() < 64) panoseText_.push_back(unit);
        break;
    default: break;
    }
}

void RTFParser::documentCharacter(char16_t unit) {
    // Hidden text is left out; its line ends stay, so that the paragraphs around it stay apart.
    if (state().character.hidden && !AttributedText::isParagraphSeparator(unit)) return;
    if (state().field >= 0 && state().resultOf != state().field) {
        Field& field = fields_[static_cast<std::size_t>(state().field)];
        if (field.instructionRead) field.textAfterResult = true;
    }
    if (pendingCellSeparator_) {
        pendingCellSeparator_ = false;
        documentCharacter(u'\t');
    }
    if (paragraphChanged_) {
        paragraphAtLastText_ = state().paragraph;
        paragraphChanged_ = false;
    }
    if (AttributedText::isParagraphSeparator(unit)) {
        flushRun();
        builder_.endParagraph(unit, attributes(state().character), paragraphStyle(state().paragraph));
        return;
    }
    if (!(runFormat_ == state().character)) {
        flushRun();
        runFormat_ = state().character;
    }
    runText_.push_back(unit);
}

void RTFParser::flushRun() {
    if (runText_.empty()) return;
    builder_.appendCharacters(runText_, attributes(runFormat_));
    runText_.clear();
}

const TextAttributes& RTFParser::attributes(const CharacterFormat& format) {
    if (cacheValid_ && cachedFormat_ == format) return cachedAttributes_;
    TextAttributes result;
    const int fontNumber = format.font >= 0 ? format.font : defaultFont_.value_or(-1);
    const RTFDocumentTables::ResolvedFont* entry = tables_.resolvedFont(fontNumber);
    const bool bold = format.bold || (format.doubleByte && format.doubleByteBold);
    const bool italic = format.italic || (format.doubleByte && format.doubleByteItalic);
    if (entry || format.fontSize > 0 || bold || italic) {
        Font font;
        if (entry) font.family = entry->family;
        font.pointSize = (format.fontSize > 0 ? format.fontSize : 24) / 2.0;
        // A weight from the font table stands when it agrees with \b; \b alone means bold.
        const bool weightAgrees = entry && entry->weight && (*entry->weight >= FontWeight::semibold) == bold;
        font.weight = weightAgrees ? *entry->weight : bold ? FontWeight::bold : FontWeight::regular;
        font.italic = italic;
        font.fixedPitch = entry && entry->fixedPitch;
        result.font = std::move(font);
    }
    result.foregroundColor = tables_.color(format.foreground);
    result.backgroundColor = tables_.color(format.background);
    if (format.underline != 0) result.underlineStyle = format.underline;
    if (format.strikethrough != 0) result.strikethroughStyle = format.strikethrough;
    if (format.link >= 0) result.link = links_[static_cast<std::size_t>(format.link)];
    cachedFormat_ = format;
    cachedAttributes_ = std::move(result);
    cacheValid_ = true;
    return cachedAttributes_;
}

std::optional<ParagraphStyle> RTFParser::paragraphStyle(const ParagraphFormat& format) const {
    ParagraphStyle style;
    style.alignment = format.alignment;
    style.headIndent = static_cast<double>(format.leftIndent) / 20.0;
    style.firstLineHeadIndent = static_cast<double>(format.leftIndent + format.firstLineIndent) / 20.0;
    style.paragraphSpacing = static_cast<double>(format.spaceAfter) / 20.0;
    style.paragraphSpacingBefore = static_cast<double>(format.spaceBefore) / 20.0;
    if (format.tabStops) style.tabStops = *format.tabStops;
    style.textLists = tables_.textLists(format.listOverride, format.listLevel);
    if (style == ParagraphStyle{}) return std::nullopt;
    return style;
}

// The weight class is the third byte of the ten hex-coded PANOSE bytes.
void RTFParser::applyPanose() {
    std::string hex;
    for (const char16_t unit : panoseText_) {
        if ((unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'f') || (unit >= u'A' && unit <= u'F')) {
            hex.push_back(static_cast<char>(unit));
        }
    }
    if (hex.size() < 6) return;
    const int weightClass = std::stoi(hex.substr(4, 2), nullptr, 16);
    tables_.defineFont(currentFontEntry_).weight = rtf::fontWeight(weightClass);
    cacheValid_ = false;
}

} // namespace tessaril::platform
