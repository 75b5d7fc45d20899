#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Foundation/AttributedTextBuilder.hpp"
#include "Platform/Foundation/CodePageDecoder.hpp"
#include "Platform/Foundation/RTFDocumentTables.hpp"
#include "Platform/Foundation/RTFTokenizer.hpp"

namespace tessaril::platform {

// Reads the body of an RTF document (from its opening brace) into attributed text, in one forward pass
// with an explicit group stack: nesting never recurses, groups deeper than `maximumDepth` are skipped
// whole, and every token costs bounded work, so time is linear in the input. Used once, by RTFReader.
class RTFParser {
public:
    static constexpr std::size_t maximumDepth = 256;
    // More tab stops than this in one paragraph are dropped.
    static constexpr std::size_t maximumTabStops = 64;

    RTFParser(std::span<const std::uint8_t> input, std::size_t start);
    AttributedText parse();

private:
    // Where the text of a group goes.
    enum class Destination : std::uint8_t {
        document, fontTable, colorTable, expandedColorTable, listTable, list, listLevel, levelText,
        levelMarker, listOverrideTable, listOverride, fieldInstruction, panose, ignoredText,
    };

    struct CharacterFormat {
        int font = -1;     // \f; none: -1
        int fontSize = -1; // \fs in half points; none: -1
        bool bold = false;
        bool italic = false;
        int underline = 0;
        int strikethrough = 0;
        int foreground = -1; // colour table indices; none: -1
        int background = -1;
        int link = -1;       // index into links_
        bool hidden = false; // \v: left out, as word processors show it
        // \dbch: the text is double-byte (East Asian) characters, until \loch or \hich. The associated
        // bold and italic (\ab, \ai) given then are that text's own, as LibreOffice writes them.
        bool doubleByte = false;
        bool doubleByteBold = false;
        bool doubleByteItalic = false;

        friend bool operator==(const CharacterFormat&, const CharacterFormat&) = default;
    };

    // Lengths in twips.
    struct ParagraphFormat {
        TextAlignment alignment = TextAlignment::natural;
        long long leftIndent = 0;
        long long firstLineIndent = 0;
        long long spaceBefore = 0;
        long long spaceAfter = 0;
        // Shared between a group and the groups inside it until one of them sets a stop, so that
        // opening a group costs the same however many stops are set.
        std::shared_ptr<const std::vector<TextTab>> tabStops;
        TextAlignment nextTabAlignment = TextAlignment::left;
        int listOverride = 0;
        int listLevel = 0;
    };

    struct GroupState {
        Destination destination = Destination::document;
        CharacterFormat character;
        ParagraphFormat paragraph;
        int unicodeSkip = 1;
        int field = -1;        // index into fields_ of the field this group is in
        int resultOf = -1;     // index into fields_ of the field whose result this group is in
        bool ownsField = false;
        bool startsPanose = false;
        bool atStart = true;   // no control word or text yet (\* aside)
        bool ignorable = false; // \* seen: an unknown destination is skipped
    };

    struct Field {
        std::u16string instruction;
        // Read once, at the field's first result: a field may have any number of results.
        bool instructionRead = false;
        int link = -1; // index into links_
        // Text of the field outside its results came after a result: later results are no link, so
        // that one field's link is one span, written once.
        bool textAfterResult = false;
    };

    void openGroup();
    void closeGroup();
    void skipCurrentGroup();
    void controlWord(const RTFToken& token);
    bool destination(std::string_view word);
    void documentWord(std::string_view word, bool hasParameter, int parameter);
    bool characterWord(std::string_view word, bool hasParameter, int parameter);
    bool paragraphWord(std::string_view word, int parameter);
    void tableWord(std::string_view word, bool hasParameter, int parameter);
    void controlSymbol(std::uint8_t symbol);
    void byte(std::uint8_t value, bool raw);
    void character(char16_t unit, bool rawSemicolon = false);
    void documentCharacter(char16_t unit);
    void flushRun();
    void flushLeadByte();
    CodePageDecoder& decoder();
    const TextAttributes& attributes(const CharacterFormat& format);
    std::optional<ParagraphStyle> paragraphStyle(const ParagraphFormat& format) const;
    void applyPanose();
    GroupState& state() { return groups_.back(); }

    RTFTokenizer tokenizer_;
    std::vector<GroupState> groups_;
    std::size_t skippedDepth_ = 0;
    int fallbackToSkip_ = 0;
    RTFDocumentTables tables_;
    std::vector<Field> fields_;
    std::vector<SharedString> links_;
    SharedStringPool linkTargets_;
    int documentCodePage_ = 1252;
    std::optional<int> defaultFont_;
    int currentFontEntry_ = 0;
    std::u16string panoseText_;
    int colorComponents_[3] = {0, 0, 0};
    bool colorHasComponents_ = false;
    int expandedColorSpace_ = 0;
    std::vector<int> expandedComponents_;
    bool pendingCellSeparator_ = false;

    std::map<int, std::unique_ptr<CodePageDecoder>> decoders_;
    CodePageDecoder* activeDecoder_ = nullptr;
    std::u16string decoded_;

    AttributedTextBuilder builder_;
    std::u16string runText_;
    CharacterFormat runFormat_;
    CharacterFormat cachedFormat_;
    TextAttributes cachedAttributes_;
    bool cacheValid_ = false;
    ParagraphFormat paragraphAtLastText_;
    bool paragraphChanged_ = true;
};

} // namespace tessaril::platform
