#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Foundation/Color.hpp"
#include "Platform/Foundation/FontWeight.hpp"
#include "Platform/Foundation/SharedStringPool.hpp"
#include "Platform/Foundation/TextList.hpp"

namespace tessaril::platform {

// One entry of an RTF font table.
struct RTFFontEntry {
    std::u16string name;                 // as written, up to its ";"
    bool nameComplete = false;
    bool fixedPitch = false;             // \fmodern or \fprq1
    std::optional<int> codePage;         // from \fcharset or \cpg; none: the document's
    std::optional<FontWeight> weight;    // from \panose
};

// The tables an RTF document declares in its header (fonts, colours, lists), as the reader fills them
// and the body looks them up.
class RTFDocumentTables {
public:
    // The entry to change; the family cached for it is dropped.
    RTFFontEntry& defineFont(int number);
    const RTFFontEntry* font(int number) const;
    // The family and fixed pitch a font number stands for (cached per entry); none for numbers the
    // table does not hold.
    struct ResolvedFont {
        SharedString family; // one storage per distinct family name

        bool fixedPitch = false;
        std::optional<FontWeight> weight;
    };
    const ResolvedFont* resolvedFont(int number) const;

    // One \colortbl entry (none: the automatic colour), and the \expandedcolortbl entry at the same
    // position (none: the \colortbl entry stands).
    void addColor(std::optional<Color> color) { colors_.push_back(color); }
    void addExpandedColor(std::optional<Color> color) { expandedColors_.push_back(color); }
    std::optional<Color> color(int index) const;

    void beginList() { lists_.emplace_back(); }
    void setListIdentifier(int identifier);
    void beginListLevel();
    void setLevelNumberFormat(int format);
    void appendLevelText(char16_t unit);
    // A level marker, even an empty one, stands for the level's marker format.
    void beginLevelMarker();
    void appendLevelMarker(char16_t unit);
    void beginListOverride() { overrides_.emplace_back(); }
    void setOverrideListIdentifier(int identifier);
    void setOverrideNumber(int number);

    // The lists of a paragraph in list override `overrideNumber` (\ls) at level `level` (\ilvl):
    // the levels 0…level of that list, outermost first; none for a list the tables do not hold.
    std::vector<TextList> textLists(int overrideNumber, int level) const;

private:
    struct Level {
        int numberFormat = 23;
        std::u16string text;
        std::u16string marker;
        bool hasMarker = false;
    };
    struct List {
        int identifier = 0;
        std::vector<Level> levels;
    };
    struct Override {
        int listIdentifier = 0;
        int number = 0;
    };

    Level* currentLevel();
    static std::string markerFormat(const Level& level);

    std::map<int, RTFFontEntry> fonts_;
    mutable std::map<int, ResolvedFont> resolved_;
    mutable SharedStringPool families_;
    std::vector<std::optional<Color>> colors_;
    std::vector<std::optional<Color>> expandedColors_;
    std::vector<List> lists_;
    std::vector<Override> overrides_;
    // The last list with each identifier and the last override with each number, so that a paragraph
    // finds its list in logarithmic time however long the tables are.
    std::map<int, std::size_t> listByIdentifier_;
    std::map<int, std::size_t> overrideByNumber_;
};

} // namespace tessaril::platform
