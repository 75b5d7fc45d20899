// The keypad-hack page and the application target bar, driven through the real window in each state
// of the selected target: the default, an entry following the default, an own entry, a set member and
// an application with neither.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"

namespace tessaril {
namespace {

const std::string defaultNote =
    "この対象はデフォルト設定を使っています。個別に変える場合は「デフォルト準拠」をOFFにしてください。";
const std::string setNote = "この対象はセット「仕事」に所属しています。変更はセット本体に保存されます。";

// Two applications with entries (one own, one following the default) and one listed by a set.
TessarilSettings appsDocument() {
    TessarilSettings settings;
    KeypadShortcutHackSettings own;
    own.slash.outputText = "・";
    settings.appKeypadShortcutHackSettings["com.example.own"] = {"Zeta Own", false, own};
    settings.appKeypadShortcutHackSettings["com.example.follows"] = {"alpha follows", true, own};
    KeypadShortcutHackSettings setValue;
    setValue.slash.outputText = "／";
    settings.keypadShortcutHackSets.emplace_back("set-1", "仕事", setValue,
                                                 std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
    return settings;
}

class KeypadHackTabTests : public SettingsPageTest {
protected:
    void startKeypad(std::optional<std::string> app, replay::SettingsWindowHarness::Configuration configuration = {}) {
        configuration.tab = SettingsTab::keypadHacks;
        start(std::move(configuration));
        if (app) {
            choose({.action = "selectKeypadHackTargetFromPopup:"}, app->empty() ? "デフォルト" : *app);
            takeLines();
        }
    }
    bool hasLabel(const std::string& text) { return !labelsFrom(text, 1).empty(); }
};

TEST_F(KeypadHackTabTests, EachTargetStateShowsItsValuesEditabilityBarAndNote) {
    struct Case {
        const char* title;
        std::optional<std::string> selected; // a bundle identifier set before the window opens
        const char* slashOutput;
        bool editable;
        std::optional<std::string> switchTitle; // none: the badge "基準"
        std::optional<std::string> note;
    };
    const Case cases[] = {
        {"default", std::nullopt, "¥", true, std::nullopt, std::nullopt},
        {"entry following the default", "com.example.follows", "¥", false, "デフォルト準拠", defaultNote},
        {"own entry", "com.example.own", "・", true, "デフォルト準拠", std::nullopt},
        // A member without an entry of its own still shows that it follows its set.
        {"set member", "com.example.member", "／", true, "セット準拠", setNote},
        {"neither entry nor set", "com.example.none", "¥", false, std::nullopt, defaultNote},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        start({.settings = appsDocument(), .tab = SettingsTab::keypadHacks});
        delegate().selectedKeypadHackAppBundleIdentifier = test.selected;
        rebuild();
        EXPECT_EQ(control({.placeholder = "¥"})["value"], test.slashOutput);
        for (const char* action : {"updateKeypadSlashHackOutput", "toggleKeypadPlusHack", "toggleKeypadEqualCombo",
                                   "updateKeypadHyphenHackModifier:", "toggleKeypadHackPresetScope:"}) {
            EXPECT_EQ(control({.action = action})["enabled"], test.editable) << action;
        }
        EXPECT_EQ(control({.label = "デフォルト準拠"}).is_null() && control({.label = "セット準拠"}).is_null(),
                  !test.switchTitle);
        EXPECT_EQ(hasLabel("基準"), !test.switchTitle);
        EXPECT_EQ(hasLabel(defaultNote), test.note == defaultNote);
        EXPECT_EQ(hasLabel(setNote), test.note == setNote);
        EXPECT_EQ(control({.action = "deleteSelectedAppKeypadHackTarget"})["enabled"], test.selected.has_value());
    }
}

TEST_F(KeypadHackTabTests, PopupListsTheDefaultThenApplicationsByNameAndFallsBackToTheDefault) {
    start({.settings = appsDocument(), .tab = SettingsTab::keypadHacks});
    EXPECT_EQ(control({.action = "selectKeypadHackTargetFromPopup:"})["items"],
              json({"デフォルト", "-", "alpha follows", "Zeta Own"}));
    delegate().selectedKeypadHackAppBundleIdentifier = "com.example.gone";
    rebuild();
    EXPECT_EQ(control({.action = "selectKeypadHackTargetFromPopup:"})["selected"], "デフォルト");
    EXPECT_TRUE(control({.title = "使用中を追加"}).is_null());

    choose({.action = "selectKeypadHackTargetFromPopup:"}, "Zeta Own");
    EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, "com.example.own");
    EXPECT_EQ(takeSaved().size(), 1u);
    choose({.action = "selectKeypadHackTargetFromPopup:"}, "デフォルト");
    EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, std::nullopt);
}

TEST_F(KeypadHackTabTests, EditsGoToTheGlobalValueTheSetOrTheOwnEntry) {
    struct Case {
        std::optional<std::string> selected;
        KeypadShortcutHackSettings& (*target)(TessarilSettings&);
    };
    const Case cases[] = {
        {std::nullopt, [](TessarilSettings& s) -> KeypadShortcutHackSettings& { return s.keypadShortcutHacks; }},
        {"com.example.own",
         [](TessarilSettings& s) -> KeypadShortcutHackSettings& {
             return s.appKeypadShortcutHackSettings["com.example.own"].keypadShortcutHacks;
         }},
        {"com.example.member",
         [](TessarilSettings& s) -> KeypadShortcutHackSettings& { return s.keypadShortcutHackSets[0].value; }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.selected.value_or("default"));
        start({.settings = appsDocument(), .tab = SettingsTab::keypadHacks});
        delegate().selectedKeypadHackAppBundleIdentifier = test.selected;
        rebuild();
        TessarilSettings expected = delegate().settings;
        click({.action = "toggleKeypadPlusHack"});
        choose({.action = "updateKeypadHyphenHackModifier:"}, "⌥");
        click({.action = "toggleKeypadEqualCombo"});
        click({.action = "toggleKeypadHackPresetScope:", .identifier = "keypad:period|all"});
        click({.action = "toggleKeypadHackPresetScope:", .identifier = "keypad:period|compactUS"});
        KeypadShortcutHackSettings& hacks = test.target(expected);
        hacks.plus.isEnabled = true;
        hacks.hyphen.modifier = CompanionModifier::option;
        hacks.usesKeypadEqualCombo = true;
        hacks.period.activePresets = KeyboardPresetSet{KeyboardPreset::compactUS};
        EXPECT_EQ(takeSaved().size(), 5u);
        EXPECT_EQ(delegate().settings, expected);
    }
}

TEST_F(KeypadHackTabTests, OutputsAreSavedCleanedAndAnEmptyOneIsRefused) {
    struct Case {
        const char* action;
        const char* placeholder;
        const char* typed;
        std::optional<std::string> saved; // none: refused
    };
    const Case cases[] = {
        {"updateKeypadPeriodHackOutput", ",", "abcdefghijklmnopqrst", "abcdefghijklmnop"},
        {"updateKeypadPeriodHackOutput", ",", "\n\n", std::nullopt},
        {"updateKeypadPeriodHackOutput", ",", " ", " "},
        {"updateKeypadSlashHackOutput", "¥", "\n→\n", "→"},
        // Read back from a stored document this becomes the full-width asterisk, so it is saved as one.
        {"updateKeypadAsteriskHackOutput", "＊", "$", "＊"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.action) + " " + test.typed);
        startKeypad(std::nullopt);
        const TessarilSettings before = delegate().settings;
        type({.placeholder = test.placeholder}, test.typed);
        click({.action = test.action, .title = "保存"});
        if (test.saved) {
            EXPECT_EQ(takeSaved().size(), 1u);
            EXPECT_EQ(control({.placeholder = test.placeholder})["value"], *test.saved);
            EXPECT_EQ(coding::decode<TessarilSettings>(coding::encode(delegate().settings)), delegate().settings);
        } else {
            EXPECT_EQ(takeLines(), std::vector<json>{alert("保存できません", "入力内容を1文字以上入れてください。", {"OK"}, "OK")});
            EXPECT_EQ(delegate().settings, before);
        }
    }
}

const std::string notADesktopEntry = "アプリのデスクトップエントリ（「[Desktop Entry]」を含む .desktop ファイル）を選んでください。";

class ApplicationTargetBarTests : public KeypadHackTabTests {
protected:
    std::filesystem::path writeDesktopEntry(const std::string& fileName, const std::string& text) {
        const auto path = std::filesystem::path(::testing::TempDir()) / fileName;
        std::ofstream(path) << text;
        return path;
    }
};

TEST_F(ApplicationTargetBarTests, AddingAChosenDesktopEntryGivesItAnOwnCopyOfTheDefaultAndSelectsIt) {
    const auto editor = writeDesktopEntry("org.example.Editor.desktop",
                                          "# comment\n[Desktop Entry]\nType=Application\nName = Example Editor\n"
                                          "[Desktop Action New]\nName=New Window\n");
    const auto notAnEntry = writeDesktopEntry("notes.desktop", "Name=Notes\n");
    TessarilSettings stored = appsDocument();
    stored.keypadShortcutHacks.plus.isEnabled = true;
    startKeypad(std::nullopt, {.settings = stored,
                               .files = {{notAnEntry, std::nullopt},
                                         {editor, std::nullopt},
                                         {"/x/own.desktop", appkit::ChosenApplication{"com.example.own", "Renamed"}}}});
    click({.action = "addApplicationKeypadHackTarget"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert("追加できません", notADesktopEntry, {"OK"}, "OK")});
    click({.action = "addApplicationKeypadHackTarget"});
    EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, "org.example.Editor");
    const auto& entry = delegate().settings.appKeypadShortcutHackSettings.at("org.example.Editor");
    EXPECT_EQ(entry, (AppKeypadShortcutHackSettings{"Example Editor", false, stored.keypadShortcutHacks}));
    EXPECT_EQ(control({.action = "toggleSelectedAppKeypadHackUsesDefault:"})["value"], "OFF");

    // An application that has an entry is only selected.
    click({.action = "addApplicationKeypadHackTarget"});
    EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, "com.example.own");
    EXPECT_EQ(delegate().settings.appKeypadShortcutHackSettings.at("com.example.own"),
              appsDocument().appKeypadShortcutHackSettings.at("com.example.own"));
    click({.action = "addApplicationKeypadHackTarget"}); // cancelled: nothing
    EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, "com.example.own");
}

// What the chooser is given may be anything a file system holds. Each is refused at once, in the
// page's bar and in the set sheet alike, and nothing changes; a pipe is never waited on.
TEST_F(ApplicationTargetBarTests, AChosenFileThatIsNoDesktopEntryIsRefusedAtOnceInAnAlert) {
    const auto directory = std::filesystem::path(::testing::TempDir()) / "chooser-refusals";
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    const auto pipe = directory / "pipe.desktop";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const auto oversized = writeDesktopEntry("chooser-refusals/big.desktop",
                                             "[Desktop Entry]\nName=Big\n#" + std::string(1024 * 1024, 'x') + "\n");
    const auto missing = directory / "missing.desktop";
    struct Case {
        const char* name;
        std::filesystem::path file;
        std::string informative;
    };
    const Case cases[] = {
        {"named pipe", pipe, notADesktopEntry},
        {"directory", directory, notADesktopEntry},
        {"larger than any entry", oversized, notADesktopEntry},
        {"without an entry group", writeDesktopEntry("chooser-refusals/notes.desktop", "Name=Notes\n"), notADesktopEntry},
        {"missing", missing, missing.string() + ": No such file or directory\n" + notADesktopEntry},
    };
    for (const auto& test : cases) {
        for (const bool inSheet : {false, true}) {
            SCOPED_TRACE(std::string(test.name) + (inSheet ? " in the set sheet" : " in the page"));
            startKeypad(std::nullopt, {.settings = appsDocument(), .files = {{test.file, std::nullopt}}});
            if (inSheet) {
                click({.action = "showKeypadHackSetModal"});
                click({.identifier = "apps"});
            }
            takeLines();
            click({.action = inSheet ? "addApplicationToFeatureSetFromModal" : "addApplicationKeypadHackTarget"});
            EXPECT_EQ(takeLines(), std::vector<json>{alert("追加できません", test.informative, {"OK"}, "OK")});
            EXPECT_EQ(delegate().settings, appsDocument());
            EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, std::nullopt);
        }
    }
}

TEST_F(ApplicationTargetBarTests, AnApplicationWithNeitherEntryNorSetIsReadOnlyUntilAddingItGivesItAnEntry) {
    startKeypad(std::nullopt, {.settings = appsDocument(),
                               .frontmost = replay::SettingsWindowHarness::runningApplication("com.example.none", "None App")});
    delegate().selectedKeypadHackAppBundleIdentifier = "com.example.none";
    rebuild();
    EXPECT_EQ(control({.action = "toggleKeypadPlusHack"})["enabled"], false);
    EXPECT_EQ(control({.title = "使用中を追加"})["tooltip"], "None App");
    click({.title = "使用中を追加"});
    EXPECT_EQ(delegate().settings.appKeypadShortcutHackSettings.at("com.example.none").displayName, "None App");
    click({.action = "toggleKeypadPlusHack"});
    EXPECT_TRUE(delegate().settings.appKeypadShortcutHackSettings.at("com.example.none").keypadShortcutHacks.plus.isEnabled);
    EXPECT_FALSE(delegate().settings.keypadShortcutHacks.plus.isEnabled);
}

TEST_F(ApplicationTargetBarTests, LeavingASetAsksAndKeepsTheSetValueAsTheApplicationsOwn) {
    TessarilSettings stored = appsDocument();
    // The set member also has an entry, so the bar shows its switch.
    stored.appKeypadShortcutHackSettings["com.example.member"] = {"Old Name", true, {}};
    for (const std::string answer : {"キャンセル", "解除する"}) {
        SCOPED_TRACE(answer);
        startKeypad(std::nullopt, {.settings = stored, .answers = {answer}});
        delegate().selectedKeypadHackAppBundleIdentifier = "com.example.member";
        rebuild();
        EXPECT_EQ(control({.label = "セット準拠"})["value"], "ON");
        click({.label = "セット準拠"});
        auto seen = takeLines();
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front(), alert("セット準拠を解除しますか？",
                                       "セット「仕事」から外し、現在効いている設定をこのアプリの個別設定として引き継ぎます。",
                                       {"解除する", "キャンセル"}, answer));
        TessarilSettings expected = stored;
        if (answer == "解除する") {
            expected.appKeypadShortcutHackSettings["com.example.member"] = {"Old Name", false,
                                                                           stored.keypadShortcutHackSets[0].value};
            expected.keypadShortcutHackSets[0].appTargets.clear();
            EXPECT_EQ(seen.size(), 2u); // the save
            EXPECT_EQ(control({.label = "デフォルト準拠"})["value"], "OFF");
        } else {
            EXPECT_EQ(seen.size(), 1u);
            EXPECT_EQ(control({.label = "セット準拠"})["value"], "ON");
        }
        EXPECT_EQ(delegate().settings, expected);
    }
}

TEST_F(ApplicationTargetBarTests, FollowingTheDefaultAndDeletingChangeOnlyTheSelectedApplication) {
    startKeypad(std::nullopt, {.settings = appsDocument()});
    delegate().selectedKeypadHackAppBundleIdentifier = "com.example.own";
    rebuild();
    click({.label = "デフォルト準拠"});
    EXPECT_TRUE(delegate().settings.appKeypadShortcutHackSettings.at("com.example.own").usesDefaultKeypadShortcutHacks);
    EXPECT_EQ(control({.action = "toggleKeypadPlusHack"})["enabled"], false);
    click({.action = "deleteSelectedAppKeypadHackTarget"});
    EXPECT_FALSE(delegate().settings.appKeypadShortcutHackSettings.contains("com.example.own"));
    EXPECT_EQ(delegate().selectedKeypadHackAppBundleIdentifier, std::nullopt);

    // Deleting a set member takes it out of the set too.
    delegate().selectedKeypadHackAppBundleIdentifier = "com.example.member";
    rebuild();
    click({.action = "deleteSelectedAppKeypadHackTarget"});
    EXPECT_TRUE(delegate().settings.keypadShortcutHackSets[0].appTargets.empty());
}

} // namespace
} // namespace tessaril
