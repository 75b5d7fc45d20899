#include <gtest/gtest.h>

#include "TessarilAppTests/SetsAndRegistry/RegistryDocuments.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistry.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryConflictStatus.hpp"
#include "TessarilApp/SetsAndRegistry/ShortcutRegistryFilter.hpp"

namespace tessaril {
namespace {

using namespace tessaril::testing;
using Status = ShortcutRegistryConflictStatus;

TEST(ShortcutRegistryTests, FreshDefaultsListTheTextToolsThePairRulesAndTheGuard) {
    EXPECT_EQ(describe(shortcut_registry::entries(TessarilSettings())),
              (std::vector<std::string>{
                  "textTool:plainCopy | 基本 | プレーンコピー | command+control+c | デフォルト | default | off | direct | -",
                  "textTool:plainPaste | 基本 | プレーン貼り付け | command+control+v | デフォルト | default | off | direct | -",
                  "textTool:characterCount | 基本 | 文字数チェック | command+control+m | デフォルト | default | off | direct | -",
                  "writing:quote | 括弧・引用 | \u201C|\u201D | shift+control+' | デフォルト | default | off | writingAssist | -",
                  "writing:pairInsertion | 括弧・引用 | 【|】 | shift+control+] | デフォルト | default | off | writingAssist | -",
                  "guard:d | 誤爆防止 | ⌘+D | command+d | デフォルト | default | off | shortcutGuard | -",
                  "guard:q | 誤爆防止 | ⌘+Q | command+q | デフォルト | default | off | shortcutGuard | -",
                  "guard:w | 誤爆防止 | ⌘+W | command+w | デフォルト | default | off | shortcutGuard | -",
              }));
}

// Groups in order; applications by display name, equal names by bundle identifier, an application
// that follows the default not at all; sets by name with numbers by value; guard rules by letter and
// enabled only with their guard.
TEST(ShortcutRegistryTests, EveryGroupInItsOrderWithItsScopes) {
    EXPECT_EQ(describe(shortcut_registry::entries(documentWithEveryGroup())),
              (std::vector<std::string>{
                  "textTool:plainCopy | 基本 | プレーンコピー | command+control+c | デフォルト | default | on | direct | -",
                  "textTool:plainPaste | 基本 | プレーン貼り付け | command+control+v | デフォルト | default | off | direct | -",
                  "textTool:characterCount | 基本 | 文字数チェック | command+control+m | デフォルト | default | off | direct | -",
                  "writing:w1 | 括弧・引用 | 【|】 | shift+control+8 | デフォルト | default | on | writingAssist | -",
                  "writing:w2 | 括弧・引用 | 「|」 | - | デフォルト | default | on | writingAssist | -",
                  "writing:com.z:wz | 括弧・引用 | <|> | shift+control+8 | Alpha | app:com.z | on | writingAssist | -",
                  "writing:com.a:wa | 括弧・引用 | [|] | shift+control+9 | Beta | app:com.a | off | writingAssist | -",
                  "writing:com.b:wb | 括弧・引用 | (|) | shift+control+9 | Beta | app:com.b | on | writingAssist | -",
                  "writingSet:s9:ws9 | 括弧・引用 | 〈|〉 | shift+control+6 | セット: Set 9 | set:writingAssist:s9 | on | writingAssist | s9",
                  "writingSet:s10:ws10 | 括弧・引用 | «|» | shift+control+8 | セット: Set 10 | set:writingAssist:s10 | on | writingAssist | s10",
                  "fixedPhraseDefault:p1 | 定型文 | 挨拶 | command+control+c | デフォルト | default | on | direct | -",
                  "fixedPhraseDefault:p2 | 定型文 | 無題の定型文 | command+control+v | デフォルト | default | on | direct | -",
                  "fixedPhrase:com.a:pa | 定型文 | 署名 | command+control+v | Beta | app:com.a | on | fixedPhrases | -",
                  "fixedPhraseSet:fs:pf | 定型文 | 宛名 | command+control+c | セット: Mail | set:fixedPhrases:fs | off | fixedPhrases | fs",
                  "guard:q | 誤爆防止 | ⌘+Q | command+q | デフォルト | default | off | shortcutGuard | -",
                  "guard:w | 誤爆防止 | ⌘+W | command+w | デフォルト | default | off | shortcutGuard | -",
                  "guard:com.a:q | 誤爆防止 | ⌘+Q | command+q | Beta | app:com.a | off | shortcutGuard | -",
                  "guard:com.a:x | 誤爆防止 | ⌘+X | command+x | Beta | app:com.a | on | shortcutGuard | -",
                  "guardSet:gs:q | 誤爆防止 | ⌘+Q | command+q | セット: Work | set:shortcutGuard:gs | on | shortcutGuard | gs",
              }));
}

TEST(ShortcutRegistryTests, EqualDisplayNamesFollowTheBundleIdentifierWhateverTheInsertionOrder) {
    TessarilSettings settings;
    for (const char* bundle : {"org.zeta", "com.mid", "com.alpha"}) {
        settings.appFixedPhraseAssistSettings[bundle] = {"Same", false, {}};
        settings.appFixedPhraseAssistSettings[bundle].fixedPhraseAssist.rules.push_back(phraseRule("r", "t", true, std::nullopt));
    }
    const auto rows = shortcut_registry::entries(settings);
    std::vector<std::string> phraseRows;
    for (const auto& row : rows) {
        if (row.section == "定型文") phraseRows.push_back(row.id);
    }
    EXPECT_EQ(phraseRows, (std::vector<std::string>{"fixedPhrase:com.alpha:r", "fixedPhrase:com.mid:r", "fixedPhrase:org.zeta:r"}));
}

// Each case: the status of the first row against the rows, and of the second.
TEST(ShortcutRegistryTests, ConflictStatusByEnablementAndScope) {
    auto row = [](std::string id, std::string scope, bool isEnabled, std::optional<Shortcut> shortcut) {
        ShortcutRegistryEntry entry;
        entry.id = std::move(id);
        entry.scopeID = std::move(scope);
        entry.isEnabled = isEnabled;
        entry.shortcut = std::move(shortcut);
        return entry;
    };
    const Shortcut c = commandControl("c");
    struct Case {
        const char* name;
        ShortcutRegistryEntry first;
        ShortcutRegistryEntry second;
        Status firstStatus;
        Status secondStatus;
    };
    const std::vector<Case> cases{
        {"same scope", row("a", "default", true, c), row("b", "default", true, c), Status::conflict, Status::conflict},
        {"other scope", row("a", "default", true, c), row("b", "app:x", true, c), Status::caution, Status::caution},
        {"one disabled", row("a", "default", true, c), row("b", "default", false, c), Status::none, Status::none},
        {"other key", row("a", "default", true, c), row("b", "default", true, commandControl("v")), Status::none, Status::none},
        {"other modifiers", row("a", "default", true, c), row("b", "default", true, controlShift("c")), Status::none, Status::none},
        {"both unassigned", row("a", "default", true, std::nullopt), row("b", "default", true, std::nullopt), Status::none, Status::none},
        {"same id", row("a", "default", true, c), row("a", "default", true, c), Status::none, Status::none},
        {"same set", row("a", "set:fixedPhrases:s", true, c), row("b", "set:fixedPhrases:s", true, c), Status::conflict, Status::conflict},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::vector<ShortcutRegistryEntry> rows{test.first, test.second};
        EXPECT_EQ(shortcut_registry::conflictStatus(test.first, rows), test.firstStatus);
        EXPECT_EQ(shortcut_registry::conflictStatus(test.second, rows), test.secondStatus);
        EXPECT_EQ(shortcut_registry::conflictStatuses(rows), (std::vector<Status>{test.firstStatus, test.secondStatus}));
    }
    // One row in its own scope among others elsewhere is a conflict.
    const std::vector<ShortcutRegistryEntry> three{row("a", "default", true, c), row("b", "app:x", true, c), row("c", "default", true, c)};
    EXPECT_EQ(shortcut_registry::conflictStatus(three[1], three), Status::caution);
    EXPECT_EQ(shortcut_registry::conflictStatus(three[0], three), Status::conflict);
    EXPECT_EQ(shortcut_registry::conflictStatuses(three), (std::vector<Status>{Status::conflict, Status::caution, Status::conflict}));
    EXPECT_EQ(ids(shortcut_registry::relatedEntries(three[0], three)), (std::vector<std::string>{"b", "c"}));
    EXPECT_TRUE(shortcut_registry::relatedEntries(row("n", "default", true, std::nullopt),
                                                  {row("m", "default", true, std::nullopt)}).empty());
}

TEST(ShortcutRegistryTests, EveryFilterOverTheDocument) {
    const auto rows = shortcut_registry::entries(documentWithEveryGroup());
    auto filtered = [&](ShortcutRegistryFilter filter) { return ids(shortcut_registry::filteredEntries(rows, filter)); };
    EXPECT_EQ(filtered(ShortcutRegistryFilter::activeOnly),
              (std::vector<std::string>{"textTool:plainCopy", "writing:w1", "writing:com.z:wz", "writing:com.b:wb",
                                        "writingSet:s9:ws9", "writingSet:s10:ws10", "fixedPhraseDefault:p1",
                                        "fixedPhraseDefault:p2", "fixedPhrase:com.a:pa", "guard:com.a:x", "guardSet:gs:q"}));
    auto registered = ids(rows);
    std::erase(registered, "writing:w2");
    EXPECT_EQ(filtered(ShortcutRegistryFilter::registered), registered);
    EXPECT_EQ(filtered(ShortcutRegistryFilter::conflicts),
              (std::vector<std::string>{"textTool:plainCopy", "writing:w1", "writing:com.z:wz", "writingSet:s10:ws10",
                                        "fixedPhraseDefault:p1", "fixedPhraseDefault:p2", "fixedPhrase:com.a:pa"}));
    const std::map<std::string, Status> statuses{
        {"textTool:plainCopy", Status::conflict}, {"fixedPhraseDefault:p1", Status::conflict},
        {"writing:w1", Status::caution},          {"fixedPhraseDefault:p2", Status::caution},
    };
    for (const auto& [id, status] : statuses) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& entry) { return entry.id == id; });
        EXPECT_EQ(shortcut_registry::conflictStatus(*row, rows), status) << id;
    }
}

// Targets in localized standard order (Latin, then kana; numbers by value), sections within a
// target, rows of one section in registry order.
TEST(ShortcutRegistryTests, SetsFilterOrdersByTargetThenSection) {
    const auto rows = shortcut_registry::filteredEntries(shortcut_registry::entries(documentWithEveryGroup()),
                                                         ShortcutRegistryFilter::sets);
    std::vector<std::string> lines;
    for (const auto& row : rows) lines.push_back(row.target + " / " + row.section + " / " + row.id);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Alpha / 括弧・引用 / writing:com.z:wz",
                         "Beta / 括弧・引用 / writing:com.a:wa",
                         "Beta / 括弧・引用 / writing:com.b:wb",
                         "Beta / 誤爆防止 / guard:com.a:q",
                         "Beta / 誤爆防止 / guard:com.a:x",
                         "Beta / 定型文 / fixedPhrase:com.a:pa",
                         "セット: Mail / 定型文 / fixedPhraseSet:fs:pf",
                         "セット: Set 9 / 括弧・引用 / writingSet:s9:ws9",
                         "セット: Set 10 / 括弧・引用 / writingSet:s10:ws10",
                         "セット: Work / 誤爆防止 / guardSet:gs:q",
                         "デフォルト / 括弧・引用 / writing:w1",
                         "デフォルト / 括弧・引用 / writing:w2",
                         "デフォルト / 基本 / textTool:plainCopy",
                         "デフォルト / 基本 / textTool:plainPaste",
                         "デフォルト / 基本 / textTool:characterCount",
                         "デフォルト / 誤爆防止 / guard:q",
                         "デフォルト / 誤爆防止 / guard:w",
                         "デフォルト / 定型文 / fixedPhraseDefault:p1",
                         "デフォルト / 定型文 / fixedPhraseDefault:p2",
                     }));
}

TEST(ShortcutRegistryTests, CaptureTargetStringFormsAndParsing) {
    using Target = ShortcutCaptureTarget;
    struct Case {
        std::string text;
        std::optional<Target> target;
    };
    const std::vector<Case> cases{
        {"textTool:plainCopy", Target{Target::TextTool{TextToolAction::plainCopy}}},
        {"textTool:characterCount", Target{Target::TextTool{TextToolAction::characterCount}}},
        {"fixedPhrase:abc", Target{Target::FixedPhrase{"abc"}}},
        {"fixedPhraseDefault:abc", Target{Target::FixedPhraseDefault{"abc"}}},
        {"fixedPhrase:a:b", Target{Target::FixedPhrase{"a:b"}}},
        {"fixedPhrase:", std::nullopt},
        {"fixedPhraseDefault:", std::nullopt},
        {"textTool:copy", std::nullopt},
        {"textTool:PlainCopy", std::nullopt},
        {"guard:q", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(Target::parse(test.text), test.target) << test.text;
        if (test.target) {
            EXPECT_EQ(test.target->rawValue(), test.text);
        }
    }
}

TEST(ShortcutRegistryTests, RegistryIdentifierOfACaptureTarget) {
    using Target = ShortcutCaptureTarget;
    TessarilSettings settings = documentWithEveryGroup();
    settings.fixedPhraseAssistSets.emplace_back("second", "Second", FixedPhraseAssistSettings{},
                                                std::vector<SettingsSetAppTarget>{{"com.m", "M"}});
    struct Case {
        Target target;
        std::optional<std::string> selectedApp;
        std::string id;
    };
    const std::vector<Case> cases{
        {Target{Target::TextTool{TextToolAction::plainPaste}}, "com.a", "textTool:plainPaste"},
        {Target{Target::FixedPhraseDefault{"p1"}}, "com.a", "fixedPhraseDefault:p1"},
        {Target{Target::FixedPhrase{"p1"}}, std::nullopt, "fixedPhraseDefault:p1"},
        {Target{Target::FixedPhrase{"pa"}}, "com.a", "fixedPhrase:com.a:pa"},
        {Target{Target::FixedPhrase{"pf"}}, "com.m", "fixedPhraseSet:fs:pf"},
        {Target{Target::FixedPhrase{"r"}}, "com.none", "fixedPhrase:com.none:r"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(shortcut_registry::registryID(test.target, settings, test.selectedApp), test.id) << test.id;
    }
}

} // namespace
} // namespace tessaril
