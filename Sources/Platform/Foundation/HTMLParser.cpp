#include "Platform/Foundation/HTMLParser.hpp"

#include <algorithm>
#include <array>

#include "Platform/Foundation/HTMLEntities.hpp"
#include "Platform/Foundation/HTMLInlineStyle.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {
namespace {

// The editor's paragraph looks, which headings, quotes and code take on.
constexpr double listIndent = 24;
constexpr double markerTab = 8;
constexpr double quoteIndent = 18;
constexpr double codeIndent = 12;
constexpr double codePointSize = 13;
constexpr double codeBackgroundAlpha = 0.18;

// A character that is text in every context: no markup, reference, white space, line end or NUL.
bool isOrdinary(char16_t unit) {
    if (unit >= u'a') return unit != u'\u0085' && unit != u'\u2029';
    return unit > u' ' && unit != u'&' && unit != u'<';
}

bool isSpace(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r' || unit == u'\f'; }
bool isLetter(char16_t unit) { return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z'); }
bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }
char16_t lowercased(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit; }

// Numeric references to C1 controls mean the Windows-1252 characters at those bytes.
constexpr std::array<char16_t, 32> windows1252{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

void appendScalar(char32_t scalar, std::u16string& output) {
    if (scalar == 0 || scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = 0xFFFD;
    if (scalar >= 0x80 && scalar <= 0x9F) scalar = windows1252[scalar - 0x80];
    if (scalar >= 0x10000) {
        output.push_back(static_cast<char16_t>(0xD800 + ((scalar - 0x10000) >> 10)));
        output.push_back(static_cast<char16_t>(0xDC00 + ((scalar - 0x10000) & 0x3FF)));
    } else {
        output.push_back(static_cast<char16_t>(scalar));
    }
}

std::size_t slot(HTMLTagName name) { return static_cast<std::size_t>(name); }

} // namespace

HTMLParser::HTMLParser(std::string_view html) : input_(unicode::toUTF16(html)) {
    base_.character.font = Font::system(14);
    stack_.reserve(64);
}

AttributedText HTMLParser::parse() {
    while (position_ < input_.size()) {
        if (input_[position_] == u'<') {
            markup();
        } else {
            const std::size_t next = input_.find(u'<', position_);
            text(next == std::u16string::npos ? input_.size() : next);
        }
    }
    inHead_ = false;
    blockBoundary(true);
    flushRun();
    return builder_.finish(paragraphStyle());
}

// Text up to `end`, with character references decoded and CRLF and CR read as LF.
void HTMLParser::text(std::size_t end) {
    std::u16string decoded;
    while (position_ < end) {
        char16_t unit = input_[position_];
        if (unit == u'&') {
            decoded.clear();
            characterReference(decoded);
            for (const char16_t decodedUnit : decoded) appendCharacter(decodedUnit);
            continue;
        }
        ++position_;
        if (unit == u'\r') {
            unit = u'\n';
            if (position_ < end && input_[position_] == u'\n') ++position_;
        }
        appendCharacter(unit);
        // The characters of a word that follow go straight into the run the first one opened.
        if (isOrdinary(unit) && !inHead_ && !runText_.empty() && runText_.back() == unit &&
            runVersion_ == styleVersion_) {
            const std::size_t start = position_;
            while (position_ < end && isOrdinary(input_[position_])) ++position_;
            runText_.append(input_, start, position_ - start);
        }
    }
}

void HTMLParser::characterReference(std::u16string& output) {
    std::size_t index = position_ + 1;
    if (index < input_.size() && input_[index] == u'#') {
        ++index;
        const bool hexadecimal = index < input_.size() && lowercased(input_[index]) == u'x';
        if (hexadecimal) ++index;
        char32_t value = 0;
        std::size_t digits = 0;
        for (; index < input_.size(); ++index, ++digits) {
            const char16_t unit = lowercased(input_[index]);
            int digit = -1;
            if (isDigit(unit)) digit = unit - u'0';
            if (hexadecimal && unit >= u'a' && unit <= u'f') digit = unit - u'a' + 10;
            if (digit < 0) break;
            value = std::min<char32_t>(value * (hexadecimal ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
        }
        if (digits > 0) {
            if (index < input_.size() && input_[index] == u';') ++index;
            appendScalar(value, output);
            position_ = index;
            return;
        }
    } else {
        const std::size_t start = index;
        while (index < input_.size() && index - start < 32 && (isLetter(input_[index]) || isDigit(input_[index]))) ++index;
        if (index < input_.size() && input_[index] == u';') {
            if (const auto scalar = namedCharacterReference(std::u16string_view(input_).substr(start, index - start))) {
                appendScalar(*scalar, output);
                position_ = index + 1;
                return;
            }
        }
    }
    output.push_back(u'&');
    ++position_;
}

void HTMLParser::markup() {
    const std::u16string_view rest = std::u16string_view(input_).substr(position_);
    if (rest.starts_with(u"<!--")) {
        position_ += 4;
        skipPast(u"-->");
        return;
    }
    const char16_t next = rest.size() > 1 ? rest[1] : 0;
    if (next == u'!' || next == u'?' || (next == u'/' && !(rest.size() > 2 && isLetter(rest[2])))) {
        skipPast(u">"); // declarations, processing instructions and bogus comments
        return;
    }
    if (next == u'/' || isLetter(next)) {
        Tag tag;
        if (!readTag(tag)) return;
        if (tag.closing) {
            endTag(tag.name);
        } else {
            startTag(tag);
        }
        return;
    }
    ++position_;
    appendCharacter(u'<');
}

// Reads a whole tag; false when the input ends inside it (the tag is dropped).
bool HTMLParser::readTag(Tag& tag) {
    ++position_;
    if (input_[position_] == u'/') {
        tag.closing = true;
        ++position_;
    }
    std::string tagName;
    for (; position_ < input_.size() && !isSpace(input_[position_]) && input_[position_] != u'/' &&
           input_[position_] != u'>';
         ++position_) {
        const char16_t unit = lowercased(input_[position_]);
        if (tagName.size() < 16) tagName.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    tag.name = htmlTagName(tagName);
    while (true) {
        while (position_ < input_.size() && (isSpace(input_[position_]) || input_[position_] == u'/')) ++position_;
        if (position_ >= input_.size()) return false;
        if (input_[position_] == u'>') {
            ++position_;
            return true;
        }
        std::string name;
        for (; position_ < input_.size() && !isSpace(input_[position_]) && input_[position_] != u'/' &&
               input_[position_] != u'>' && (input_[position_] != u'=' || name.empty());
             ++position_) {
            const char16_t unit = lowercased(input_[position_]);
            name.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
        }
        while (position_ < input_.size() && isSpace(input_[position_])) ++position_;
        if (position_ >= input_.size() || input_[position_] != u'=') continue;
        ++position_;
        while (position_ < input_.size() && isSpace(input_[position_])) ++position_;
        std::u16string value = attributeValue();
        if (name == "href" && !tag.hasHref) {
            tag.href = std::move(value);
            tag.hasHref = true;
        } else if (name == "style" && !tag.hasStyle) {
            tag.style = std::move(value);
            tag.hasStyle = true;
        }
    }
}

std::u16string HTMLParser::attributeValue() {
    std::u16string value;
    const char16_t quote = position_ < input_.size() ? input_[position_] : 0;
    const bool quoted = quote == u'"' || quote == u'\'';
    if (quoted) ++position_;
    while (position_ < input_.size()) {
        const char16_t unit = input_[position_];
        if (quoted ? unit == quote : (isSpace(unit) || unit == u'>')) break;
        if (unit == u'&') {
            characterReference(value);
        } else {
            value.push_back(unit);
            ++position_;
        }
    }
    if (quoted && position_ < input_.size()) ++position_;
    return value;
}

void HTMLParser::skipPast(std::u16string_view terminator) {
    const std::size_t found = input_.find(terminator, position_);
    position_ = found == std::u16string::npos ? input_.size() : found + terminator.size();
}

// The contents of script, style and title up to their end tag, which need not be in lower case.
void HTMLParser::skipRawText(HTMLTagName tag) {
    const std::string_view name = tag == HTMLTagName::script ? "script" : tag == HTMLTagName::style ? "style" : "title";
    while (true) {
        const std::size_t found = input_.find(u"</", position_);
        if (found == std::u16string::npos) {
            position_ = input_.size();
            return;
        }
        std::size_t index = found + 2;
        std::size_t matched = 0;
        while (matched < name.size() && index < input_.size() && lowercased(input_[index]) == name[matched]) {
            ++index;
            ++matched;
        }
        if (matched == name.size() && (index >= input_.size() || isSpace(input_[index]) ||
                                       input_[index] == u'>' || input_[index] == u'/')) {
            position_ = index;
            skipPast(u">");
            return;
        }
        position_ = found + 2;
    }
}

void HTMLParser::startTag(const Tag& tag) {
    const HTMLTagName name = tag.name;
    if (name == HTMLTagName::script || name == HTMLTagName::style || name == HTMLTagName::title) {
        skipRawText(name);
        return;
    }
    // A head that comes after the body has started is no head: its tag is ignored.
    if (name == HTMLTagName::head && !bodyStarted_) inHead_ = true;
    if (name == HTMLTagName::body) inHead_ = false;
    if (inHead_) return;
    bodyStarted_ = true;
    if (name == HTMLTagName::br) {
        lineBreak();
        return;
    }
    if (stack_.size() >= maximumDepth) return;
    if (isBlockElement(name) && !stack_.empty() && stack_.back().paragraph >= 0) popTo(stack_.back().paragraph);

    const Element* top = stack_.empty() ? nullptr : &stack_.back();
    switch (name) {
    case HTMLTagName::p: openBlock(Kind::paragraph, tag); break;
    case HTMLTagName::div: openBlock(Kind::division, tag); break;
    case HTMLTagName::blockquote: openBlock(Kind::blockquote, tag); break;
    case HTMLTagName::table: openBlock(Kind::table, tag); break;
    case HTMLTagName::h1:
    case HTMLTagName::h2: openBlock(Kind::heading, tag); break;
    case HTMLTagName::h3:
    case HTMLTagName::h4:
    case HTMLTagName::h5:
    case HTMLTagName::h6: openBlock(Kind::subheading, tag); break;
    case HTMLTagName::address:
    case HTMLTagName::article:
    case HTMLTagName::aside:
    case HTMLTagName::caption:
    case HTMLTagName::center:
    case HTMLTagName::dd:
    case HTMLTagName::details:
    case HTMLTagName::dialog:
    case HTMLTagName::dl:
    case HTMLTagName::dt:
    case HTMLTagName::fieldset:
    case HTMLTagName::figcaption:
    case HTMLTagName::figure:
    case HTMLTagName::footer:
    case HTMLTagName::form:
    case HTMLTagName::header:
    case HTMLTagName::hgroup:
    case HTMLTagName::legend:
    case HTMLTagName::main:
    case HTMLTagName::nav:
    case HTMLTagName::search:
    case HTMLTagName::section:
    case HTMLTagName::summary: openBlock(Kind::division, tag); break;
    case HTMLTagName::pre:
        openBlock(Kind::preformatted, tag);
        skipNewline_ = true;
        break;
    case HTMLTagName::hr: blockBoundary(false); break;
    case HTMLTagName::ul:
    case HTMLTagName::menu:
    case HTMLTagName::dir: openBlock(Kind::unorderedList, tag, true); break;
    case HTMLTagName::ol: openBlock(Kind::orderedList, tag, true); break;
    case HTMLTagName::li:
        if (top && top->listItem > top->list) popTo(top->listItem);
        openBlock(Kind::listItem, tag, true);
        appendMarker();
        break;
    case HTMLTagName::tr:
        if (top && top->row >= 0) popTo(top->row);
        openBlock(Kind::tableRow, tag, true);
        break;
    case HTMLTagName::td:
    case HTMLTagName::th:
        if (top && top->cell > top->row) popTo(top->cell);
        pendingSpace_.reset();
        if (!stack_.empty() && stack_.back().row >= 0 && stack_[static_cast<std::size_t>(stack_.back().row)].itemCount++ > 0) {
            emit(u'\t', style().character, styleVersion_);
            spaceAllowed_ = false; // white space opening a cell is dropped
        }
        push(name == HTMLTagName::td ? Kind::tableCell : Kind::tableHeader, tag);
        break;
    case HTMLTagName::b:
    case HTMLTagName::strong: push(Kind::bold, tag); break;
    case HTMLTagName::i:
    case HTMLTagName::em: push(Kind::italic, tag); break;
    case HTMLTagName::u: push(Kind::underline, tag); break;
    case HTMLTagName::s:
    case HTMLTagName::strike:
    case HTMLTagName::del: push(Kind::strikethrough, tag); break;
    case HTMLTagName::code: push(Kind::code, tag); break;
    case HTMLTagName::a:
        // Links do not nest: as browsers read it, a new link ends the one open, so the text after it
        // is in neither. Else the first link's span would be split again and again.
        if (openCounts_[slot(HTMLTagName::a)] > 0) {
            for (auto element = stack_.rbegin(); element != stack_.rend(); ++element) {
                element->style.character.link.reset();
                if (element->name == HTMLTagName::a) break;
            }
        }
        push(Kind::link, tag);
        break;
    case HTMLTagName::span: push(Kind::span, tag); break;
    default: break;
    }
}

void HTMLParser::openBlock(Kind kind, const Tag& tag, bool evenAfterMarker) {
    blockBoundary(evenAfterMarker);
    push(kind, tag);
}

void HTMLParser::endTag(HTMLTagName name) {
    if (name == HTMLTagName::head) inHead_ = false;
    if (name == HTMLTagName::br) {
        lineBreak();
        return;
    }
    if (name == HTMLTagName::other || openCounts_[slot(name)] == 0) return;
    while (!stack_.empty()) {
        const bool found = stack_.back().name == name;
        pop();
        if (found) return;
    }
}

void HTMLParser::push(Kind kind, const Tag& tag) {
    const int index = static_cast<int>(stack_.size());
    Element element{kind, tag.name, style()};
    if (!stack_.empty()) {
        const Element& parent = stack_.back();
        element.paragraph = parent.paragraph;
        element.list = parent.list;
        element.listItem = parent.listItem;
        element.row = parent.row;
        element.cell = parent.cell;
    }
    Style& style = element.style;
    Font& font = *style.character.font;
    switch (kind) {
    case Kind::paragraph: element.paragraph = index; break;
    case Kind::heading:
        font = Font::system(22, FontWeight::bold);
        style.spacingBefore = 10;
        style.spacingAfter = 8;
        break;
    case Kind::subheading:
        font = Font::system(18, FontWeight::semibold);
        style.spacingBefore = 8;
        style.spacingAfter = 8;
        break;
    case Kind::blockquote:
        style.indent += quoteIndent;
        style.spacingBefore = 0;
        style.spacingAfter = 6;
        break;
    case Kind::preformatted:
        font = Font::monospacedSystem(codePointSize);
        style.character.backgroundColor = Color::systemGray(codeBackgroundAlpha);
        style.indent += codeIndent;
        style.spacingBefore = 0;
        style.spacingAfter = 6;
        style.preformatted = true;
        break;
    case Kind::unorderedList:
    case Kind::orderedList: {
        const std::size_t depth = style.lists.size();
        const std::string_view format = kind == Kind::orderedList ? TextList::decimal
                                        : depth == 0                ? TextList::disc
                                        : depth == 1                ? TextList::circle
                                                                    : TextList::square;
        if (depth < maximumListDepth) {
            style.lists.push_back(TextList{std::string(format)});
        } else {
            style.lists.back() = TextList{std::string(format)};
        }
        style.inListItem = false;
        element.list = index;
        element.paragraph = -1;
        break;
    }
    case Kind::listItem:
        style.inListItem = !style.lists.empty();
        element.listItem = index;
        element.paragraph = -1;
        break;
    case Kind::table:
        element.row = element.cell = element.paragraph = -1;
        break;
    case Kind::tableRow: element.row = index; break;
    case Kind::tableHeader:
    case Kind::bold:
        // A semibold heading is bold already: a weight no output tells apart would split its runs.
        if (!font.isBold()) font.weight = FontWeight::bold;
        if (kind == Kind::tableHeader) {
            element.cell = index;
            element.paragraph = -1;
        }
        break;
    case Kind::tableCell:
        element.cell = index;
        element.paragraph = -1;
        break;
    case Kind::italic: font.italic = true; break;
    case Kind::underline: style.character.underlineStyle = 1; break;
    case Kind::strikethrough: style.character.strikethroughStyle = 1; break;
    case Kind::code: {
        const Font code = Font::monospacedSystem(codePointSize, font.weight);
        const bool italic = font.italic;
        font = code;
        font.italic = italic;
        style.character.backgroundColor = Color::systemGray(codeBackgroundAlpha);
        break;
    }
    case Kind::link:
        if (tag.hasHref) style.character.link = values_.intern(unicode::fromUTF16(tag.href));
        break;
    default: break;
    }
    if (tag.hasStyle) applyInlineStyle(style, this->style(), tag.style, isBlockElement(tag.name));
    ++openCounts_[slot(tag.name)];
    stack_.push_back(std::move(element));
    ++styleVersion_;
}

// The element's own style goes over what its tag gives it (a <b style="font-weight: normal"> is not bold).
void HTMLParser::applyInlineStyle(Style& style, const Style& inherited, std::u16string_view declarations, bool block) {
    const HTMLInlineStyle parsed = HTMLInlineStyle::parse(declarations);
    Font& font = *style.character.font;
    if (parsed.fontWeight) {
        const FontWeight weight = parsed.fontWeight->resolved(inherited.character.font->weight);
        // As for <b> in a heading: a weight no output tells apart would only split the runs.
        if ((weight >= FontWeight::semibold) != font.isBold()) font.weight = weight;
    }
    if (parsed.italic) font.italic = *parsed.italic;
    if (parsed.textDecoration) {
        // The lines of the elements around go on through this one; its own replace its tag's.
        auto line = [](const std::optional<int>& around, bool own) { return own && !around ? std::optional<int>(1) : around; };
        style.character.underlineStyle = line(inherited.character.underlineStyle, parsed.textDecoration->underline);
        style.character.strikethroughStyle =
            line(inherited.character.strikethroughStyle, parsed.textDecoration->lineThrough);
    }
    if (parsed.fontSizePoints) font.pointSize = std::clamp(*parsed.fontSizePoints, 1.0, 10000.0);
    if (parsed.fontSizeScale) font.pointSize = std::clamp(font.pointSize * *parsed.fontSizeScale, 1.0, 10000.0);
    if (parsed.fontFamily) {
        font.fixedPitch = parsed.fontFamily->monospaced;
        font.family = parsed.fontFamily->monospaced     ? Font::monospacedSystem(font.pointSize).family
                      : parsed.fontFamily->name.empty() ? Font::systemFamilyName()
                                                        : values_.intern(parsed.fontFamily->name);
    }
    if (parsed.color) style.character.foregroundColor = parsed.color;
    if (parsed.backgroundColor) style.character.backgroundColor = parsed.backgroundColor;
    if (parsed.textAlign && block) style.alignment = *parsed.textAlign;
    if (parsed.preservesWhiteSpace) style.preformatted = *parsed.preservesWhiteSpace;
}

void HTMLParser::pop() {
    const Element& element = stack_.back();
    switch (element.kind) {
    case Kind::paragraph:
    case Kind::division:
    case Kind::heading:
    case Kind::subheading:
    case Kind::blockquote:
    case Kind::preformatted:
    case Kind::unorderedList:
    case Kind::orderedList:
    case Kind::listItem:
    case Kind::table:
    case Kind::tableRow: blockBoundary(true); break;
    case Kind::tableCell:
    case Kind::tableHeader: pendingSpace_.reset(); break;
    default: break;
    }
    --openCounts_[slot(element.name)];
    stack_.pop_back();
    ++styleVersion_;
}

void HTMLParser::popTo(int index) {
    while (stack_.size() > static_cast<std::size_t>(std::max(index, 0))) pop();
}

const HTMLParser::Style& HTMLParser::style() const { return stack_.empty() ? base_ : stack_.back().style; }

void HTMLParser::appendCharacter(char16_t unit) {
    if (inHead_ || unit == 0) return; // text of the head, and NUL characters, are not part of the body
    bodyStarted_ = true;
    const Style& current = style();
    if (current.preformatted) {
        const bool skip = skipNewline_ && unit == u'\n';
        skipNewline_ = false;
        if (skip) return;
        if (pendingSpace_) appendSpace(); // collapsed white space before a span that keeps its own
        if (unit == u'\n') {
            endLine();
            return;
        }
    } else {
        skipNewline_ = false;
        if (isSpace(unit)) {
            if (spaceAllowed_ && !pendingSpace_) {
                pendingSpace_ = current.character;
                pendingSpaceVersion_ = styleVersion_;
            }
            return;
        }
        if (pendingSpace_) appendSpace();
    }
    if (AttributedText::isParagraphSeparator(unit)) {
        pendingMarker_.clear();
        flushRun();
        builder_.endParagraph(unit, current.character, paragraphStyle());
        lineOpen_ = lineHasContent_ = spaceAllowed_ = false;
        return;
    }
    emit(unit, current.character, styleVersion_);
}

// The one space that a run of white space between words collapses to, in the attributes it was met in.
void HTMLParser::appendSpace() {
    const TextAttributes attributes = std::move(*pendingSpace_);
    pendingSpace_.reset();
    emit(u' ', attributes, pendingSpaceVersion_);
}

void HTMLParser::emit(char16_t unit, const TextAttributes& attributes, std::uint64_t version) {
    writePendingMarker();
    if (runText_.empty() || (runVersion_ != version && !(runAttributes_ == attributes))) {
        flushRun();
        runAttributes_ = attributes;
    }
    runVersion_ = version;
    runText_.push_back(unit);
    lineOpen_ = lineHasContent_ = spaceAllowed_ = true;
}

// The marker text of a list item, "\t•\t" or "\t3.\t", in the item's attributes. It is written with
// the item's first character, so that an empty item has no marker text.
void HTMLParser::appendMarker() {
    const Element& item = stack_.back();
    if (item.list < 0 || !item.style.inListItem) return;
    Element& list = stack_[static_cast<std::size_t>(item.list)];
    const std::string marker = list.style.lists.back().marker(++list.itemCount);
    flushRun();
    pendingMarker_ = u"\t" + unicode::toUTF16(marker) + (list.kind == Kind::orderedList ? u"." : u"") + u"\t";
    pendingMarkerAttributes_ = item.style.character;
    lineOpen_ = true;
    lineHasContent_ = spaceAllowed_ = false;
    pendingSpace_.reset();
}

void HTMLParser::writePendingMarker() {
    if (pendingMarker_.empty()) return;
    flushRun();
    builder_.appendCharacters(pendingMarker_, pendingMarkerAttributes_);
    pendingMarker_.clear();
}

// A line break inside a list item is a line separator, so that the item stays one paragraph, one item;
// anywhere else it ends the line.
void HTMLParser::lineBreak() {
    if (inHead_) return;
    if (!style().inListItem) {
        endLine();
        return;
    }
    pendingSpace_.reset();
    emit(u'\u2028', style().character, styleVersion_);
    spaceAllowed_ = false; // white space after the break is dropped, as at a line's start
}

void HTMLParser::endLine() {
    if (inHead_) return;
    pendingSpace_.reset();
    pendingMarker_.clear();
    flushRun();
    builder_.endParagraph(u'\n', style().character, paragraphStyle());
    lineOpen_ = lineHasContent_ = spaceAllowed_ = false;
}

// Where a block starts or ends, the line ends unless it is empty; a start leaves a line holding only
// a list marker open, so that an item's first paragraph follows its marker.
void HTMLParser::blockBoundary(bool evenAfterMarker) {
    pendingSpace_.reset();
    if (lineHasContent_ || (evenAfterMarker && lineOpen_)) endLine();
}

void HTMLParser::flushRun() {
    if (runText_.empty()) return;
    builder_.appendCharacters(runText_, runAttributes_);
    runText_.clear();
}

std::optional<ParagraphStyle> HTMLParser::paragraphStyle() const {
    const Style& current = style();
    ParagraphStyle paragraph;
    paragraph.alignment = current.alignment;
    paragraph.headIndent = paragraph.firstLineHeadIndent = current.indent;
    paragraph.paragraphSpacing = current.spacingAfter;
    paragraph.paragraphSpacingBefore = current.spacingBefore;
    if (current.inListItem && !current.lists.empty()) {
        const double depth = static_cast<double>(current.lists.size());
        paragraph.firstLineHeadIndent = current.indent + listIndent * (depth - 1);
        paragraph.headIndent = current.indent + listIndent * depth;
        paragraph.tabStops = {{TextAlignment::left, paragraph.firstLineHeadIndent + markerTab},
                              {TextAlignment::left, paragraph.headIndent}};
        paragraph.textLists = current.lists;
    }
    if (paragraph == ParagraphStyle{}) return std::nullopt;
    return paragraph;
}

} // namespace tessaril::platform
