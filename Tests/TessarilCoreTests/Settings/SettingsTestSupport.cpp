#include "TessarilCoreTests/Settings/SettingsTestSupport.hpp"

namespace tessaril::testing {

RuleEngineSettings distinctRuleEngineSettings(std::int64_t leftDelayMilliseconds) {
    RuleEngineSettings settings;
    settings.leftCommandDelayMilliseconds = leftDelayMilliseconds;
    settings.tracksCommandChords = false;
    return settings;
}

TessarilSettings documentWithEveryField() {
    return TessarilSettings::memberwise([](TessarilSettings& settings) {
        DoublePressGuardSettings guard(true, 450, {Shortcut::commandQ()});
        KeypadShortcutHackSettings hacks;
        hacks.usesKeypadEqualCombo = true;
        hacks.period.isEnabled = true;
        hacks.period.outputText = "。";
        WritingAssistSettings assist;
        assist.quoteAssist.isEnabled = true;
        assist.pairAssistRules.push_back(PairAssistRule("PA1", "角括弧", true, WritingAssistInputModeCondition::anytime,
                                                        Shortcut::controlShiftCloseBracket(), "[", "]"));
        FixedPhraseAssistSettings phrases;
        phrases.rules.push_back(FixedPhraseRule("FP1", "挨拶", true, Shortcut::commandControlM(), "よろしくお願いします。"));
        phrases.rules.push_back(FixedPhraseRule("FP2", "Rich", true, std::nullopt, "", std::string("e1xydGYx"),
                                                std::string("<b>x</b>"), FixedPhraseInsertionFormat::rich));

        settings.activePreset = KeyboardPreset::compactUS;
        settings.activeCustomPresetID = "C-2";
        settings.usesPerKeyboardPresetAssignments = true;
        settings.keyboardPresetAssignments = {{"keyboard-type:40", KeyboardPreset::fullSizeUS}};
        settings.keyboardCustomPresetAssignments = {{"keyboard-type:59", "C-2"}};
        settings.customPresets = {CustomKeyboardPreset{"C-1", "Alpha", distinctRuleEngineSettings(300)},
                                  CustomKeyboardPreset{"C-2", "Beta", distinctRuleEngineSettings(600)}};
        settings.globalShortcutGuard = guard;
        settings.appShortcutGuardSettings = {
            {"com.apple.finder", AppShortcutGuardSettings{"Finder", false, guard}},
            {"com.example.editor", AppShortcutGuardSettings{"Editor", true, DoublePressGuardSettings{}}}};
        settings.writingAssist = assist;
        settings.appWritingAssistSettings = {{"com.example.editor", AppWritingAssistSettings{"Editor", false, assist}}};
        settings.textTools.plainCopy.isEnabled = true;
        settings.textTools.copiesCharacterCountResult = true;
        settings.fixedPhraseAssist = phrases;
        settings.appFixedPhraseAssistSettings = {
            {"com.example.mail", AppFixedPhraseAssistSettings{"Mail", false, phrases}}};
        settings.keypadShortcutHacks = hacks;
        settings.appKeypadShortcutHackSettings = {
            {"com.example.sheet", AppKeypadShortcutHackSettings{"Sheet", false, hacks}}};
        settings.shortcutGuardSets = {SettingsSet<DoublePressGuardSettings>(
            "S-G", "Guards", guard, {SettingsSetAppTarget("com.example.b", "B"), SettingsSetAppTarget("com.example.a", "A")})};
        settings.keypadShortcutHackSets = {
            SettingsSet<KeypadShortcutHackSettings>("S-K", "Keypad", hacks, {SettingsSetAppTarget("com.example.sheet", "Sheet")}),
            SettingsSet<KeypadShortcutHackSettings>("S-K2", "Empty", {}, {})};
        settings.writingAssistSets = {
            SettingsSet<WritingAssistSettings>("S-W", "Writing", assist, {SettingsSetAppTarget("com.example.notes", "")})};
        settings.fixedPhraseAssistSets = {
            SettingsSet<FixedPhraseAssistSettings>("S-F", "定型文", phrases, {SettingsSetAppTarget("com.example.mail", "Mail")})};
        settings.presetDisplayNames = {{"laptop", "Writing"}, {"fullSizeUS", "コード"}};
        settings.profiles.compactUS = distinctRuleEngineSettings(900);
        settings.profiles.fullSizeUS.keypadShortcutHacks = hacks;
    });
}

} // namespace tessaril::testing
