#include "TessarilAppTests/SetsAndRegistry/RegistryDocuments.hpp"

namespace tessaril::testing {

using Modifier = Shortcut::Modifier;

Shortcut commandControl(const std::string& key) {
    return Shortcut{{Modifier::command, Modifier::control}, Shortcut::Key::character(key)};
}

Shortcut controlShift(const std::string& key) {
    return Shortcut{{Modifier::control, Modifier::shift}, Shortcut::Key::character(key)};
}

PairAssistRule pairRule(const std::string& id, bool isEnabled, std::optional<Shortcut> trigger, const std::string& opening,
                        const std::string& closing) {
    return PairAssistRule(id, "", isEnabled, WritingAssistInputModeCondition::anytime, std::move(trigger), opening, closing);
}

FixedPhraseRule phraseRule(const std::string& id, const std::string& title, bool isEnabled, std::optional<Shortcut> trigger) {
    FixedPhraseRule rule(id, title, isEnabled, std::move(trigger), "text of " + id);
    return rule;
}

DoublePressGuardSettings guardWith(bool isEnabled, const std::vector<std::pair<std::string, bool>>& letters) {
    std::vector<ShortcutGuardRule> rules;
    for (const auto& [letter, ruleEnabled] : letters) {
        ShortcutGuardRule rule;
        rule.letter = letter;
        rule.isEnabled = ruleEnabled;
        rules.push_back(rule);
    }
    return DoublePressGuardSettings(isEnabled, 700, {}, rules);
}

namespace {

WritingAssistSettings writingWith(std::vector<PairAssistRule> rules) {
    WritingAssistSettings assist;
    assist.pairAssistRules = std::move(rules);
    return assist;
}

FixedPhraseAssistSettings phrasesWith(std::vector<FixedPhraseRule> rules) {
    FixedPhraseAssistSettings phrases;
    phrases.rules = std::move(rules);
    return phrases;
}

} // namespace

TessarilSettings documentWithEveryGroup() {
    TessarilSettings settings;
    settings.textTools.plainCopy.isEnabled = true;
    settings.writingAssist = writingWith({pairRule("w1", true, controlShift("8"), "【", "】"), pairRule("w2", true, std::nullopt, "「", "」")});
    settings.appWritingAssistSettings["com.b"] = {"Beta", false, writingWith({pairRule("wb", true, controlShift("9"), "(", ")")})};
    settings.appWritingAssistSettings["com.a"] = {"Beta", false, writingWith({pairRule("wa", false, controlShift("9"), "[", "]")})};
    settings.appWritingAssistSettings["com.z"] = {"Alpha", false, writingWith({pairRule("wz", true, controlShift("8"), "<", ">")})};
    settings.appWritingAssistSettings["com.d"] = {"Default follower", true, writingWith({pairRule("wd", true, controlShift("7"), "'", "'")})};
    settings.writingAssistSets.emplace_back("s10", "Set 10", writingWith({pairRule("ws10", true, controlShift("8"), "«", "»")}),
                                            std::vector<SettingsSetAppTarget>{{"com.x", "X"}});
    settings.writingAssistSets.emplace_back("s9", "Set 9", writingWith({pairRule("ws9", true, controlShift("6"), "〈", "〉")}),
                                            std::vector<SettingsSetAppTarget>{{"com.y", "Y"}});
    settings.fixedPhraseAssist = phrasesWith({phraseRule("p1", "挨拶", true, commandControl("c")), phraseRule("p2", "", true, commandControl("v"))});
    settings.appFixedPhraseAssistSettings["com.a"] = {"Beta", false, phrasesWith({phraseRule("pa", "署名", true, commandControl("v"))})};
    settings.fixedPhraseAssistSets.emplace_back("fs", "Mail", phrasesWith({phraseRule("pf", "宛名", false, commandControl("c"))}),
                                                std::vector<SettingsSetAppTarget>{{"com.m", "M"}});
    settings.globalShortcutGuard = guardWith(false, {{"w", true}, {"q", true}});
    settings.appShortcutGuardSettings["com.a"] = {"Beta", false, guardWith(true, {{"x", true}, {"q", false}})};
    settings.shortcutGuardSets.emplace_back("gs", "Work", guardWith(true, {{"q", true}}), std::vector<SettingsSetAppTarget>{{"com.w", "W"}});
    return settings;
}

namespace {

std::string describe(const std::optional<Shortcut>& shortcut) {
    if (!shortcut) return "-";
    std::string text;
    for (const auto& [modifier, name] : EnumCases<Modifier>::cases) {
        if (shortcut->modifiers.contains(modifier)) text += std::string(name) + "+";
    }
    switch (shortcut->key.kind()) {
    case Shortcut::Key::Kind::character: return text + shortcut->key.characterText();
    case Shortcut::Key::Kind::keypadPeriod: return text + "keypadPeriod";
    case Shortcut::Key::Kind::escape: return text + "escape";
    }
    return text;
}

} // namespace

std::string describe(const ShortcutRegistryEntry& entry) {
    const auto tab = entry.editMode.originalSettingsTab();
    return entry.id + " | " + entry.section + " | " + entry.item + " | " + describe(entry.shortcut) + " | " + entry.target +
           " | " + entry.scopeID + " | " + (entry.isEnabled ? "on" : "off") + " | " +
           (tab ? std::string(rawValue(*tab)) : "direct") + " | " + entry.featureSetID.value_or("-");
}

std::vector<std::string> describe(const std::vector<ShortcutRegistryEntry>& entries) {
    std::vector<std::string> lines;
    for (const auto& entry : entries) lines.push_back(describe(entry));
    return lines;
}

std::vector<std::string> ids(const std::vector<ShortcutRegistryEntry>& entries) {
    std::vector<std::string> result;
    for (const auto& entry : entries) result.push_back(entry.id);
    return result;
}

} // namespace tessaril::testing
