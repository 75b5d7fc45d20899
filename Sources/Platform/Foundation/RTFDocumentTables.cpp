#include "Platform/Foundation/RTFDocumentTables.hpp"

#include "Platform/Foundation/RTFVocabulary.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {
namespace {

// Levels beyond nine exist in no writer; more only cost memory.
constexpr std::size_t maximumLevels = 9;
// Level texts and markers are a few characters; a longer one is cut.
constexpr std::size_t maximumLevelTextLength = 64;

} // namespace

RTFFontEntry& RTFDocumentTables::defineFont(int number) {
    resolved_.erase(number);
    return fonts_[number];
}

const RTFFontEntry* RTFDocumentTables::font(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? nullptr : &found->second;
}

const RTFDocumentTables::ResolvedFont* RTFDocumentTables::resolvedFont(int number) const {
    auto cached = resolved_.find(number);
    if (cached == resolved_.end()) {
        const RTFFontEntry* entry = font(number);
        if (!entry) return nullptr;
        const std::string name = unicode::fromUTF16(entry->name);
        cached = resolved_
                     .emplace(number, ResolvedFont{families_.intern(rtf::familyName(name)),
                                                   entry->fixedPitch || rtf::isPlatformMonospacedName(name),
                                                   entry->weight})
                     .first;
    }
    return &cached->second;
}

std::optional<Color> RTFDocumentTables::color(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= colors_.size()) return std::nullopt;
    const auto position = static_cast<std::size_t>(index);
    if (position < expandedColors_.size() && expandedColors_[position] && colors_[position]) {
        return expandedColors_[position];
    }
    return colors_[position];
}

void RTFDocumentTables::setListIdentifier(int identifier) {
    if (lists_.empty()) return;
    lists_.back().identifier = identifier;
    listByIdentifier_[identifier] = lists_.size() - 1;
}

void RTFDocumentTables::beginListLevel() {
    if (!lists_.empty() && lists_.back().levels.size() < maximumLevels) lists_.back().levels.emplace_back();
}

RTFDocumentTables::Level* RTFDocumentTables::currentLevel() {
    if (lists_.empty() || lists_.back().levels.empty()) return nullptr;
    return &lists_.back().levels.back();
}

void RTFDocumentTables::setLevelNumberFormat(int format) {
    if (Level* level = currentLevel()) level->numberFormat = format;
}

void RTFDocumentTables::appendLevelText(char16_t unit) {
    Level* level = currentLevel();
    if (level && level->text.size() < maximumLevelTextLength) level->text.push_back(unit);
}

void RTFDocumentTables::beginLevelMarker() {
    if (Level* level = currentLevel()) level->hasMarker = true;
}

void RTFDocumentTables::appendLevelMarker(char16_t unit) {
    Level* level = currentLevel();
    if (level && level->marker.size() < maximumLevelTextLength) level->marker.push_back(unit);
}

void RTFDocumentTables::setOverrideListIdentifier(int identifier) {
    if (!overrides_.empty()) overrides_.back().listIdentifier = identifier;
}

void RTFDocumentTables::setOverrideNumber(int number) {
    if (overrides_.empty()) return;
    overrides_.back().number = number;
    overrideByNumber_[number] = overrides_.size() - 1;
}

std::string RTFDocumentTables::markerFormat(const Level& level) {
    if (level.hasMarker) return unicode::fromUTF16(level.marker);
    // The level text starts with its length; the bullet is the first printable character after it.
    char16_t bullet = 0;
    for (const char16_t unit : level.text) {
        if (unit >= 0x20 && unit != u';') {
            bullet = unit;
            break;
        }
    }
    return rtf::markerFormat(level.numberFormat, bullet);
}

std::vector<TextList> RTFDocumentTables::textLists(int overrideNumber, int level) const {
    std::vector<TextList> result;
    if (overrideNumber <= 0 || level < 0) return result;
    const auto override = overrideByNumber_.find(overrideNumber);
    if (override == overrideByNumber_.end()) return result;
    const auto found = listByIdentifier_.find(overrides_[override->second].listIdentifier);
    if (found == listByIdentifier_.end()) return result;
    const List* list = &lists_[found->second];
    for (std::size_t index = 0; index < list->levels.size() && index <= static_cast<std::size_t>(level); ++index) {
        result.push_back(TextList{markerFormat(list->levels[index])});
    }
    return result;
}

} // namespace tessaril::platform
