#include "TessarilCore/Rules/KeypadShortcutHackRule.hpp"

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

// Length in bytes of the line break that starts at `position`, or 0: LF, VT, FF, CR, U+0085, U+2028, U+2029.
std::size_t lineBreakLengthAt(std::string_view text, std::size_t position) {
    unsigned char lead = static_cast<unsigned char>(text[position]);
    if (lead >= 0x0A && lead <= 0x0D) return 1;
    std::string_view rest = text.substr(position);
    if (rest.starts_with("\xC2\x85")) return 2;
    if (rest.starts_with("\xE2\x80\xA8") || rest.starts_with("\xE2\x80\xA9")) return 3;
    return 0;
}

// Length in bytes of the line break that ends just before `end`, or 0.
std::size_t lineBreakLengthBefore(std::string_view text, std::size_t end) {
    for (std::size_t length : {std::size_t{1}, std::size_t{2}, std::size_t{3}}) {
        if (length <= end && lineBreakLengthAt(text, end - length) == length) return length;
    }
    return 0;
}

std::string_view trimmingLineBreaks(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t length = lineBreakLengthAt(text, begin);
        if (length == 0) break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin) {
        std::size_t length = lineBreakLengthBefore(text, end);
        if (length == 0) break;
        end -= length;
    }
    return text.substr(begin, end - begin);
}

} // namespace

KeypadShortcutHackRule::KeypadShortcutHackRule(bool isEnabled_, CompanionModifier modifier_, std::string_view outputText_,
                                               KeyboardPresetSet activePresets_)
    : isEnabled(isEnabled_), modifier(modifier_), outputText(normalizedOutputText(outputText_)),
      activePresets(activePresets_.intersection(keyboard_preset::standardSet)) {}

KeypadShortcutHackRule KeypadShortcutHackRule::defaultRule(KeypadShortcutHackKey key) {
    return KeypadShortcutHackRule(false, CompanionModifier::shift, defaultOutputText(key), keyboard_preset::standardSet);
}

std::string KeypadShortcutHackRule::normalizedOutputText(std::string_view text) {
    std::string_view trimmed = trimmingLineBreaks(text);
    if (unicode::characterCount(trimmed) <= maximumOutputCharacters) return std::string(trimmed);
    // The cut can end on a line break from the middle of the text; trimming it again keeps the
    // normalisation idempotent, so decoding a stored value gives that value back.
    std::string cut = unicode::prefixCharacters(trimmed, maximumOutputCharacters);
    return std::string(trimmingLineBreaks(cut));
}

void KeypadShortcutHackRule::normalizeForImport(std::string_view defaultOutputText_) {
    outputText = normalizedOutputText(outputText);
    if (outputText.empty()) outputText = std::string(defaultOutputText_);
    activePresets = activePresets.intersection(keyboard_preset::standardSet);
}

bool KeypadShortcutHackRule::isActive(KeyboardPreset preset) const {
    return activePresets.intersection(keyboard_preset::standardSet).contains(preset);
}

Json JSONCoding<KeypadShortcutHackRule>::encode(const KeypadShortcutHackRule& rule) {
    Json object = Json::object();
    object["isEnabled"] = rule.isEnabled;
    object["modifier"] = coding::encode(rule.modifier);
    object["outputText"] = rule.outputText;
    object["activePresets"] = coding::encode(rule.activePresets);
    return object;
}

KeypadShortcutHackRule JSONCoding<KeypadShortcutHackRule>::decode(const Json& value) {
    coding::expectObject(value, "KeypadShortcutHackRule");
    KeypadShortcutHackRule rule;
    rule.isEnabled = coding::decodeOr<bool>(value, "isEnabled", false);
    rule.modifier = coding::decodeOr<CompanionModifier>(value, "modifier", CompanionModifier::shift);
    rule.outputText = KeypadShortcutHackRule::normalizedOutputText(coding::decodeOr<std::string>(value, "outputText", {}));
    rule.activePresets = coding::decodeOr<KeyboardPresetSet>(value, "activePresets", keyboard_preset::standardSet)
                             .intersection(keyboard_preset::standardSet);
    return rule;
}

} // namespace tessaril
