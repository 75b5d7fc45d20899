#include "TessarilApp/SetsAndRegistry/ShortcutCaptureConversion.hpp"

#include <QString>

#include "TessarilApp/SettingsWindow/SettingsAlerts.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"
#include "TessarilApp/Shell/ShortcutCaptureKeyMaps.hpp"

namespace tessaril {

namespace {

using appkit::Event;

ShortcutModifierSet modifiersOf(const Event& event) {
    ShortcutModifierSet modifiers;
    if (event.modifierFlags & Event::controlFlag) modifiers.insert(ShortcutModifier::control);
    if (event.modifierFlags & Event::shiftFlag) modifiers.insert(ShortcutModifier::shift);
    if (event.modifierFlags & Event::optionFlag) modifiers.insert(ShortcutModifier::option);
    if (event.modifierFlags & Event::commandFlag) modifiers.insert(ShortcutModifier::command);
    return modifiers;
}

bool canBeTyped(char32_t character) {
    const bool isControl = character < 0x20 || (character >= 0x7F && character <= 0x9F);
    const bool isFunctionKey = character >= 0xF700 && character <= 0xF8FF;
    return !isControl && !isFunctionKey;
}

bool isWhiteSpace(char32_t character) { return QChar::isSpace(character); }

} // namespace

std::optional<ShortcutKey> writingAssistShortcutKey(const Event& event) {
    const auto& keys = shortcutCaptureKeyByKeyCode();
    if (const auto known = keys.find(event.keyCode); known != keys.end()) return known->second;
    if (!event.charactersIgnoringModifiers) return std::nullopt;
    for (const char32_t character : QString::fromStdString(*event.charactersIgnoringModifiers).toLower().toUcs4()) {
        if (isWhiteSpace(character)) continue;
        if (!canBeTyped(character)) return std::nullopt;
        const std::string text = QString::fromUcs4(&character, 1).toStdString();
        return ShortcutKey::character(Shortcut::baseCharacter(text));
    }
    return std::nullopt;
}

std::optional<Shortcut> writingAssistShortcut(const Event& event) {
    const ShortcutModifierSet modifiers = modifiersOf(event);
    if (modifiers.empty()) return std::nullopt;
    auto key = writingAssistShortcutKey(event);
    if (!key) return std::nullopt;
    if (key->isCharacter()) key = ShortcutKey::character(Shortcut::baseCharacter(key->characterText()));
    return Shortcut{modifiers, *key};
}

void showShortcutCaptureFailure(AppDelegate& delegate, const Event& event) {
    const bool hasKey = writingAssistShortcutKey(event).has_value();
    const bool hasModifier = !modifiersOf(event).empty();
    if (hasKey && hasModifier) {
        showInvalidInputAlert(delegate, "記録できません",
                              "Control、Shift、Option、Command のいずれかと文字キーを組み合わせてください。");
    } else if (!hasKey && hasModifier) {
        showInvalidInputAlert(delegate, "文字キーが必要です", "ショートカットには、修飾キーと文字キーの組み合わせを使ってください。");
    } else {
        showInvalidInputAlert(delegate, "修飾キーが必要です",
                              "Control、Shift、Option、Command のいずれかを押しながら文字キーを押してください。");
    }
}

std::optional<PairAssistRule> pairAssistRule(std::string_view id, const WritingAssistSettings& settings) {
    for (const auto& rule : settings.effectivePairAssistRules()) {
        if (rule.id == id) return rule;
    }
    return std::nullopt;
}

bool confirmPairAssistShortcutOverwrite(AppDelegate& delegate, const PairAssistRule& newRule, const PairAssistRule& oldRule) {
    return confirmInAlert(delegate, "このキーを移動しますか？",
                          oldRule.title + "で使っているショートカットです。" + newRule.title + "に移動すると、" + oldRule.title +
                              "のショートカットはクリアされます。",
                          newRule.title + "に移動");
}

} // namespace tessaril
