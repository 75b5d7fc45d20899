// The settings-set sheet driven through the real window for each feature family: opening it, creating,
// renaming, filling and deleting sets, applying them, editing their applications, leaving a set from
// the page, and closing.
#include <optional>
#include <string>
#include <vector>

#include <QCloseEvent>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetFamily.hpp"
#include "TessarilAppTests/SettingsWindow/SettingsPageTest.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril {
namespace {

using Rows = std::vector<std::string>;

const std::string firstID = "00000000-0000-4000-8000-000000000001";

template <class Value> Value decoded(const nlohmann::json& value) { return coding::decode<Value>(value); }

ShortcutGuardRule guardRule(const std::string& letter, bool isEnabled) {
    return {letter, isEnabled, 2, ShortcutGuardTimingPreset::standard, std::nullopt, keyboard_preset::standardSet};
}

// Per family: how the sheet is reached, and an own value and a set value whose summaries differ from
// each other and from the default's.
struct KeypadTraits {
    using Family = KeypadHackSetFamily;
    static constexpr const char* title = "テンキーハック";
    static constexpr const char* openAction = "showKeypadHackSetModal";
    static constexpr const char* targetPopup = "selectKeypadHackTargetFromPopup:";
    static KeypadShortcutHackSettings ownValue() {
        KeypadShortcutHackSettings value;
        value.slash.isEnabled = true;
        return value;
    }
    static KeypadShortcutHackSettings setValue() {
        KeypadShortcutHackSettings value;
        value.plus.isEnabled = value.period.isEnabled = value.hyphen.isEnabled = true;
        value.usesKeypadEqualCombo = true;
        return value;
    }
    static Rows defaultRows() { return {"有効キー", "0件", "テンキー=", "OFF"}; }
    static Rows setRows() { return {"有効キー", "3件", "テンキー=", "ON"}; }
};

struct GuardTraits {
    using Family = ShortcutGuardSetFamily;
    static constexpr const char* title = "誤爆防止";
    static constexpr const char* openAction = "showShortcutGuardSetModal";
    static constexpr const char* targetPopup = "selectShortcutTargetFromPopup:";
    static DoublePressGuardSettings ownValue() {
        return DoublePressGuardSettings(true, 700, {}, std::vector<ShortcutGuardRule>{guardRule("q", true), guardRule("x", true)});
    }
    static DoublePressGuardSettings setValue() { return DoublePressGuardSettings(true, 700, {}, std::vector<ShortcutGuardRule>{guardRule("z", false)}); }
    // The default guard lists D, Q and W, all off.
    static Rows defaultRows() { return {"登録キー", "3件", "有効キー", "0件"}; }
    static Rows setRows() { return {"登録キー", "1件", "有効キー", "0件"}; }
};

struct WritingTraits {
    using Family = WritingAssistSetFamily;
    static constexpr const char* title = "括弧・引用補助";
    static constexpr const char* openAction = "showWritingAssistSetModal";
    static constexpr const char* targetPopup = "selectWritingAssistTargetFromPopup:";
    static WritingAssistSettings ownValue() {
        return decoded<WritingAssistSettings>({{"pairAssistRules", {{{"id", "own"}, {"isEnabled", true}}}}});
    }
    static WritingAssistSettings setValue() {
        return decoded<WritingAssistSettings>(
            {{"pairAssistRules", {{{"id", "a"}, {"isEnabled", true}}, {{"id", "b"}, {"isEnabled", false}}}}});
    }
    // Only the stored pair rules count, not the two the empty default derives.
    static Rows defaultRows() { return {"括弧・引用", "0件", "有効", "0件"}; }
    static Rows setRows() { return {"括弧・引用", "2件", "有効", "1件"}; }
};

struct PhraseTraits {
    using Family = FixedPhraseSetFamily;
    static constexpr const char* title = "定型文アシスト";
    static constexpr const char* openAction = "showFixedPhraseSetModal";
    static constexpr const char* targetPopup = "selectFixedPhraseTargetFromPopup:";
    static FixedPhraseAssistSettings ownValue() {
        return decoded<FixedPhraseAssistSettings>({{"rules", {{{"id", "own"}, {"plainText", "よろしく"}}}}});
    }
    static FixedPhraseAssistSettings setValue() {
        return decoded<FixedPhraseAssistSettings>({{"rules",
                                                     {{{"id", "a"}, {"plainText", "一"}},
                                                      {{"id", "b"}, {"plainText", "二"}, {"isEnabled", false}},
                                                      {{"id", "c"}, {"plainText", "三"}, {"isEnabled", false}}}}});
    }
    static Rows defaultRows() { return {"定型文", "0件", "有効", "0件"}; }
    static Rows setRows() { return {"定型文", "3件", "有効", "1件"}; }
};

// "Own" has its own settings, "Member" is the only application of the set "仕事".
template <class Traits> TessarilSettings familyDocument() {
    using Family = typename Traits::Family;
    TessarilSettings settings;
    (settings.*Family::entries)["com.example.own"] = typename Family::Entry{"Own", false, Traits::ownValue()};
    (settings.*Family::sets)
        .emplace_back("set-a", "仕事", Traits::setValue(), std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
    return settings;
}

template <class Family> auto& setsOf(TessarilSettings& settings) { return settings.*Family::sets; }

template <class Family> const auto& setWithID(TessarilSettings& settings, const std::string& id) {
    const auto& sets = setsOf<Family>(settings);
    return *std::find_if(sets.begin(), sets.end(), [&id](const auto& set) { return set.id == id; });
}

class FeatureSetSheetTest : public SettingsPageTest {
protected:
    appkit::Window* sheet() { return qobject_cast<appkit::Window*>(delegate().featureSetModalWindow.data()); }
    void openSheet(SettingsTab tab) {
        delegate().showFeatureSetModal(tab);
        harness->finishStep();
    }
    // The names and application counts of the list, in order.
    std::vector<std::string> listed() { return each({.action = "selectFeatureSetFromModal:"}, "label"); }
    std::vector<std::string> targetsListed() {
        return each({.action = "removeApplicationFromFeatureSetFromModal:"}, "identifier");
    }
    Rows summary() { return labelsFrom("項目", 8); }
    static Rows withTargets(Rows rows, const std::string& count) {
        rows.insert(rows.begin(), {"項目", "内容"});
        rows.insert(rows.end(), {"対象アプリ", count});
        return rows;
    }
    void showApps() { click({.identifier = "apps"}); }

    UUIDGenerator::ScopedOverride identifiers{UUIDGenerator::sequential()};
};

template <class Traits> class FeatureSetSheetFamilyTests : public FeatureSetSheetTest {
protected:
    void startFamily(replay::SettingsWindowHarness::Configuration configuration = {}) {
        configuration.settings = familyDocument<Traits>();
        configuration.tab = Traits::Family::tab;
        start(std::move(configuration));
        click({.action = Traits::openAction});
        lines.clear();
    }
};

using Families = ::testing::Types<KeypadTraits, GuardTraits, WritingTraits, PhraseTraits>;
TYPED_TEST_SUITE(FeatureSetSheetFamilyTests, Families);

TYPED_TEST(FeatureSetSheetFamilyTests, SetsAreCreatedRenamedFilledAndDeletedThroughTheSheet) {
    using Family = typename TypeParam::Family;
    this->startFamily({.frontmost = replay::SettingsWindowHarness::runningApplication("com.example.member", "Member"),
                       .files = {{"/apps/chosen.desktop", appkit::ChosenApplication{"com.example.chosen", "Chosen"}}}});
    ASSERT_NE(this->sheet(), nullptr);
    EXPECT_EQ(this->sheet()->title(), std::string(TypeParam::title) + "のセット");
    EXPECT_EQ(this->sheet()->size(), QSize(1080, 686));
    EXPECT_EQ(this->sheet()->sheetParent(), this->delegate().settingsWindow.data());
    EXPECT_EQ(this->listed(), std::vector<std::string>{"仕事, 1アプリ"});
    EXPECT_EQ(this->summary(), this->withTargets(TypeParam::setRows(), "1件"));

    // A new set for the default target: the next default name, the default value, no applications.
    TessarilSettings expected = this->delegate().settings;
    this->click({.title = "新規セット"});
    EXPECT_EQ(this->takeSaved().size(), 2u);
    const std::string defaultName = std::string(TypeParam::title) + "セット 2";
    auto& sets = setsOf<Family>(expected);
    sets.emplace_back(firstID, defaultName, Family::resolvedValue(expected, std::nullopt), std::vector<SettingsSetAppTarget>{});
    unicode::stableSortLocalized(sets, [](const auto& set) -> const std::string& { return set.name; });
    EXPECT_EQ(this->delegate().settings, expected);
    EXPECT_EQ(this->delegate().selectedFeatureSetID, firstID);
    EXPECT_EQ(this->control({.placeholder = "セット名"})["value"], defaultName);
    EXPECT_EQ(this->summary(), this->withTargets(TypeParam::defaultRows(), "0件"));

    // A blank name becomes the default name counted with the set itself.
    this->type({.placeholder = "セット名"}, " \n ");
    this->click({.action = "saveFeatureSetNameFromModal"});
    EXPECT_EQ(this->takeSaved().size(), 1u);
    const std::string renamed = std::string(TypeParam::title) + "セット 3";
    EXPECT_EQ(this->control({.placeholder = "セット名"})["value"], renamed);

    // Adding moves "Member" out of "仕事" and makes both applications follow the default.
    this->showApps();
    this->click({.action = "addApplicationToFeatureSetFromModal"});
    this->showApps();
    this->click({.action = "addFrontmostApplicationToFeatureSetFromModal"});
    EXPECT_EQ(this->takeSaved().size(), 2u);
    this->showApps();
    EXPECT_EQ(this->targetsListed(), (std::vector<std::string>{"com.example.chosen", "com.example.member"}));
    auto& stored = this->delegate().settings;
    const auto* made = &setWithID<Family>(stored, firstID);
    const auto* work = &setWithID<Family>(stored, "set-a");
    EXPECT_EQ(made->name, renamed);
    EXPECT_EQ(made->appTargets, (std::vector<SettingsSetAppTarget>{{"com.example.chosen", "Chosen"}, {"com.example.member", "Member"}}));
    EXPECT_TRUE(work->appTargets.empty());
    for (const char* app : {"com.example.chosen", "com.example.member"}) {
        const auto& entry = (stored.*Family::entries).at(app);
        EXPECT_EQ(entry.displayName, app == std::string("com.example.chosen") ? "Chosen" : "Member");
        EXPECT_EQ(entry.*Family::usesDefault, true) << app;
    }

    // Removing takes the application out of the set only.
    this->click({.action = "removeApplicationFromFeatureSetFromModal:", .identifier = "com.example.chosen"});
    EXPECT_EQ(this->takeSaved().size(), 1u);
    this->showApps();
    EXPECT_EQ(this->targetsListed(), std::vector<std::string>{"com.example.member"});
    EXPECT_TRUE((this->delegate().settings.*Family::entries).contains("com.example.chosen"));

    // Deleting asks nothing and selects the first remaining set.
    expected = this->delegate().settings;
    this->click({.action = "deleteFeatureSetFromModal"});
    EXPECT_EQ(this->takeSaved().size(), 1u);
    std::erase_if(setsOf<Family>(expected), [](const auto& set) { return set.id == firstID; });
    EXPECT_EQ(this->delegate().settings, expected);
    EXPECT_EQ(this->delegate().selectedFeatureSetID, "set-a");
    EXPECT_EQ(this->listed(), std::vector<std::string>{"仕事, 0アプリ"});
}

TYPED_TEST(FeatureSetSheetFamilyTests, ASetCreatedForAnApplicationTakesItsValueAndTakesItOutOfOtherSets) {
    using Family = typename TypeParam::Family;
    struct Case {
        const char* app;
        const char* name;
        const char* displayName;
    };
    // "Member" has no entry, so the suggestion is the default name and its name is its identifier.
    for (const Case& test : {Case{"com.example.own", "Own用", "Own"},
                             Case{"com.example.member", nullptr, "com.example.member"}}) {
        SCOPED_TRACE(test.app);
        const UUIDGenerator::ScopedOverride caseIdentifiers(UUIDGenerator::sequential());
        this->startFamily();
        TessarilSettings expected = this->delegate().settings;
        this->delegate().*Family::selection = test.app;
        this->click({.title = "新規セット"});
        const std::string name = test.name ? test.name : std::string(TypeParam::title) + "セット 2";
        auto& sets = setsOf<Family>(expected);
        auto value = Family::resolvedValue(expected, std::string_view(test.app));
        sets[0].appTargets.erase(std::remove_if(sets[0].appTargets.begin(), sets[0].appTargets.end(),
                                                [&test](const auto& target) { return target.bundleIdentifier == test.app; }),
                                 sets[0].appTargets.end());
        sets.emplace_back(firstID, name, value, std::vector<SettingsSetAppTarget>{{test.app, test.displayName}});
        unicode::stableSortLocalized(sets, [](const auto& set) -> const std::string& { return set.name; });
        EXPECT_EQ(this->delegate().settings, expected);
        // The member keeps the value it had through "仕事".
        if (test.app == std::string("com.example.member")) {
            EXPECT_EQ(value, TypeParam::setValue());
        }
    }
}

TYPED_TEST(FeatureSetSheetFamilyTests, EditingInTheMainSettingsOpensThePageOnTheFirstApplication) {
    using Family = typename TypeParam::Family;
    this->startFamily({.answers = {"解除する"},
                       .files = {{"/apps/zeta.desktop", appkit::ChosenApplication{"com.example.zeta", "Zeta"}},
                                 {"/apps/alpha.desktop", appkit::ChosenApplication{"com.example.alpha", "Alpha"}}}});
    this->delegate().selectedSettingsTab = SettingsTab::basic;
    this->click({.title = "新規セット"});
    this->takeLines();
    this->click({.action = "editFeatureSetInMainSettingsFromModal"});
    const auto missingTargets = SettingsPageTest::alert(
        "対象アプリがありません", "通常画面でセットを編集するには、先にこのセットへ対象アプリを追加してください。", {"OK"}, "OK");
    EXPECT_EQ(this->takeLines(), std::vector<nlohmann::json>{missingTargets});
    ASSERT_NE(this->sheet(), nullptr);

    for (int added = 0; added < 2; ++added) {
        this->showApps();
        this->click({.action = "addApplicationToFeatureSetFromModal"});
    }
    this->takeLines();
    const TessarilSettings joined = this->delegate().settings;
    this->click({.action = "editFeatureSetInMainSettingsFromModal"});
    EXPECT_EQ(this->sheet(), nullptr);
    EXPECT_EQ(this->delegate().featureSetModalTab, std::nullopt);
    EXPECT_EQ(this->delegate().selectedFeatureSetID, std::nullopt);
    EXPECT_EQ(this->delegate().selectedSettingsTab, Family::tab);
    // The first application in the set's order, which is by name.
    EXPECT_EQ(this->delegate().*Family::selection, "com.example.alpha");
    const nlohmann::json tabLine = {{"tab", std::string(rawValue(Family::tab))}};
    EXPECT_EQ(this->takeLines(), std::vector<nlohmann::json>{tabLine});

    // On the page, leaving the set keeps the set's value as the application's own.
    this->click({.label = "セット準拠"});
    auto& settings = this->delegate().settings;
    const auto& entry = (settings.*Family::entries).at("com.example.alpha");
    EXPECT_EQ(entry.displayName, "Alpha");
    EXPECT_EQ(entry.*Family::usesDefault, false);
    EXPECT_EQ(Family::resolvedValue(settings, std::string_view("com.example.alpha")),
              Family::resolvedValue(joined, std::string_view("com.example.alpha")));
    const std::vector<SettingsSetAppTarget> left{{"com.example.zeta", "Zeta"}};
    EXPECT_EQ(setWithID<Family>(settings, firstID).appTargets, left);
}

TYPED_TEST(FeatureSetSheetFamilyTests, ThePageNamesASetMemberWithoutAnEntryOfItsOwnAsItsTarget) {
    this->startFamily();
    this->click({.action = "editFeatureSetInMainSettingsFromModal"});
    EXPECT_EQ(this->control({.action = TypeParam::targetPopup})["selected"], "Member");
    EXPECT_EQ(this->control({.label = "セット準拠"})["state"], "on");
    EXPECT_TRUE(this->control({.title = "基準"}).is_null());
}

TYPED_TEST(FeatureSetSheetFamilyTests, ApplyingOverwritesTheDefaultOrMakesTheSelectedApplicationJoin) {
    using Family = typename TypeParam::Family;
    this->startFamily();
    this->click({.action = "applyFeatureSetToCurrentTargetFromModal"});
    EXPECT_EQ(this->takeSaved().size(), 1u);
    EXPECT_EQ(Family::resolvedValue(this->delegate().settings, std::nullopt), TypeParam::setValue());

    this->startFamily();
    this->delegate().*Family::selection = "com.example.own";
    TessarilSettings expected = this->delegate().settings;
    this->click({.action = "applyFeatureSetToCurrentTargetFromModal"});
    EXPECT_EQ(this->takeSaved().size(), 1u);
    setsOf<Family>(expected)[0].appTargets = {{"com.example.member", "Member"}, {"com.example.own", "Own"}};
    ((expected.*Family::entries).at("com.example.own")).*Family::usesDefault = true;
    EXPECT_EQ(this->delegate().settings, expected);
}

// ---- One family stands for all where the sheet works alike.

class FeatureSetSheetTests : public FeatureSetSheetTest {
protected:
    using Guard = ShortcutGuardSetFamily;

    static SettingsSet<DoublePressGuardSettings> guardSet(const std::string& id, const std::string& name,
                                                          std::vector<SettingsSetAppTarget> targets = {}) {
        return {id, name, GuardTraits::setValue(), targets};
    }
    void startGuard(TessarilSettings settings, replay::SettingsWindowHarness::Configuration configuration = {}) {
        configuration.settings = std::move(settings);
        configuration.tab = SettingsTab::shortcutGuard;
        start(std::move(configuration));
        click({.action = "showShortcutGuardSetModal"});
        lines.clear();
    }
};

TEST_F(FeatureSetSheetTests, AFeatureWithoutSetsShowsItsEmptyStateAndTheListSortsNumbersByValue) {
    startGuard({});
    EXPECT_EQ(labelsFrom("セット", 3), (Rows{"セット", "まだセットがありません。", "新規セット"}));
    EXPECT_EQ(labelsFrom("左の「新規セット」から作成してください。", 1).size(), 1u);
    EXPECT_TRUE(control({.placeholder = "セット名"}).is_null());

    TessarilSettings settings;
    settings.shortcutGuardSets = {guardSet("ten", "セット 10"), guardSet("two", "セット 2", {{"a", "A"}, {"b", "B"}}),
                                  guardSet("two-again", "セット 2")};
    // A remembered set of another feature is not kept.
    startGuard(settings);
    EXPECT_EQ(each({.action = "selectFeatureSetFromModal:"}, "identifier"), (Rows{"two", "two-again", "ten"}));
    EXPECT_EQ(listed(), (Rows{"セット 2, 2アプリ", "セット 2, 0アプリ", "セット 10, 0アプリ"}));
    EXPECT_EQ(delegate().selectedFeatureSetID, "two");
    delegate().selectedFeatureSetID = "elsewhere";
    // Opening again replaces the panel.
    const QPointer<QWidget> first = sheet();
    openSheet(SettingsTab::shortcutGuard);
    EXPECT_FALSE(first);
    EXPECT_EQ(delegate().selectedFeatureSetID, "two");
    click({.identifier = "ten"});
    EXPECT_EQ(control({.placeholder = "セット名"})["value"], "セット 10");
    EXPECT_TRUE(takeLines().empty()); // selecting saves nothing
    openSheet(SettingsTab::shortcutGuard);
    EXPECT_EQ(delegate().selectedFeatureSetID, "ten");
}

TEST_F(FeatureSetSheetTests, NamesAreTrimmedCutToThirtyTwoCharactersAndKeepTheListSorted) {
    TessarilSettings settings;
    settings.shortcutGuardSets = {guardSet("a", "A"), guardSet("b", "B")};
    startGuard(settings);
    struct Case {
        const char* typed;
        const char* stored;
        Rows order;
    };
    const Case cases[] = {
        {"  C  ", "C", {"b", "a"}},
        {"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも", "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみ", {"b", "a"}},
        {"", "誤爆防止セット 3", {"b", "a"}},
        {"0", "0", {"a", "b"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.typed);
        click({.identifier = "a"});
        type({.placeholder = "セット名"}, test.typed);
        click({.action = "saveFeatureSetNameFromModal"});
        EXPECT_EQ(takeSaved().size(), 1u);
        EXPECT_EQ(control({.placeholder = "セット名"})["value"], test.stored);
        EXPECT_EQ(each({.action = "selectFeatureSetFromModal:"}, "identifier"), test.order);
        std::vector<std::string> storedOrder;
        for (const auto& set : delegate().settings.shortcutGuardSets) storedOrder.push_back(set.id);
        EXPECT_EQ(storedOrder, test.order);
    }
}

TEST_F(FeatureSetSheetTests, AnApplicationWithALongNameGetsACutSuggestionAndTheSetTakesWhatThePageShows) {
    TessarilSettings settings;
    settings.appShortcutGuardSettings["com.example.long"] = {std::string(40, 'L'), false, GuardTraits::ownValue()};
    settings.shortcutGuardSets = {guardSet("a", "A")};
    startGuard(settings);
    delegate().selectedShortcutAppBundleIdentifier = "com.example.long";
    click({.title = "新規セット"});
    EXPECT_EQ(control({.placeholder = "セット名"})["value"], std::string(32, 'L'));
    // Own rules Q and X laid over the default's D, Q and W: four rules, Q and X on.
    EXPECT_EQ(summary(), withTargets({"登録キー", "4件", "有効キー", "2件"}, "1件"));

    // Refilling "A" from the same application copies that value in; name and targets stay.
    click({.identifier = "a"});
    click({.action = "updateFeatureSetValueFromCurrentTargetFromModal"});
    EXPECT_EQ(takeSaved().size(), 3u);
    EXPECT_EQ(delegate().settings.shortcutGuardSets[0].name, "A");
    EXPECT_EQ(delegate().settings.shortcutGuardSets[0].value,
              shortcutGuardSettings(delegate().settings, std::string_view("com.example.long")));
    EXPECT_EQ(summary(), withTargets({"登録キー", "4件", "有効キー", "2件"}, "0件"));
}

TEST_F(FeatureSetSheetTests, AddingAnApplicationAgainKeepsTheModelsOrderAndACancelledChooserChangesNothing) {
    TessarilSettings settings;
    settings.shortcutGuardSets = {guardSet("a", "A", {{"com.example.alpha", "Alpha"}, {"com.example.beta", "Beta"}})};
    startGuard(settings, {.files = {{"/apps/alpha.desktop", appkit::ChosenApplication{"com.example.alpha", "Alpha 2"}}}});
    showApps();
    click({.action = "addApplicationToFeatureSetFromModal"});
    EXPECT_EQ(takeSaved().size(), 1u);
    EXPECT_EQ(delegate().settings.shortcutGuardSets[0].appTargets,
              (std::vector<SettingsSetAppTarget>{{"com.example.alpha", "Alpha 2"}, {"com.example.beta", "Beta"}}));
    showApps();
    const TessarilSettings before = delegate().settings;
    click({.action = "addApplicationToFeatureSetFromModal"}); // no answer left: cancelled
    EXPECT_TRUE(takeLines().empty());
    EXPECT_EQ(delegate().settings, before);
}

TEST_F(FeatureSetSheetTests, TheTargetListGrowsWithItsApplicationsAndUsingTheFrontmostNeedsOne) {
    std::vector<SettingsSetAppTarget> ten;
    for (int index = 0; index < 10; ++index) ten.emplace_back("com.example.app" + std::to_string(index), "App " + std::to_string(index));
    TessarilSettings settings;
    settings.shortcutGuardSets = {guardSet("a", "A"), guardSet("b", "B", ten)};
    startGuard(settings, {.frontmost = replay::SettingsWindowHarness::runningApplication("com.example.front", "Front")});
    showApps();
    EXPECT_EQ(labelsFrom("対象アプリはまだありません。", 1).size(), 1u);
    EXPECT_EQ(control({.action = "addFrontmostApplicationToFeatureSetFromModal"})["tooltip"], "Front");
    click({.identifier = "b"});
    showApps();
    auto* row = harness->driver().find({.action = "removeApplicationFromFeatureSetFromModal:"});
    ASSERT_NE(row, nullptr);
    // The list scrolls: its scroller stands beside the rows, and each row's "削除" shows whole.
    EXPECT_EQ(row->widget().parentWidget()->size(), QSize(678 - 17, 44));
    EXPECT_EQ(row->widget().parentWidget()->parentWidget()->size(), QSize(678 - 17, 440));
    EXPECT_EQ(control({.action = "removeApplicationFromFeatureSetFromModal:"})["frame"][2], 74);

    startGuard(settings);
    showApps();
    const auto addFrontmost = control({.action = "addFrontmostApplicationToFeatureSetFromModal"});
    EXPECT_EQ(addFrontmost["enabled"], false);
    EXPECT_FALSE(addFrontmost.contains("tooltip"));
}

TEST_F(FeatureSetSheetTests, ClosingEndsTheSheetClearsItsStateAndTheWindowStaysWhileItIsOpen) {
    TessarilSettings settings;
    settings.shortcutGuardSets = {guardSet("a", "A")};
    startGuard(settings);
    // The settings window can be neither used nor closed under its sheet.
    EXPECT_EQ(harness->driver().click({.action = "addApplicationShortcutTarget"}), appkit::UIDriver::Outcome::disabled);
    harness->close();
    EXPECT_TRUE(delegate().settingsWindow->isVisible());
    EXPECT_TRUE(sheet()->isVisible());

    for (const bool useOwnCloseButton : {false, true}) {
        SCOPED_TRACE(useOwnCloseButton);
        if (useOwnCloseButton) {
            click({.action = "showShortcutGuardSetModal"});
            sheet()->performClose();
            harness->finishStep();
        } else {
            click({.action = "closeFeatureSetModalFromButton"});
        }
        EXPECT_EQ(delegate().featureSetModalWindow, nullptr);
        EXPECT_EQ(delegate().featureSetModalTab, std::nullopt);
        EXPECT_EQ(delegate().selectedFeatureSetID, std::nullopt);
        EXPECT_EQ(delegate().featureSetNameField, nullptr);
        EXPECT_EQ(qobject_cast<appkit::Window*>(delegate().settingsWindow.data())->attachedSheet(), nullptr);
        EXPECT_TRUE(takeLines().empty());
    }
    harness->close();
    EXPECT_FALSE(delegate().settingsWindow->isVisible());

    // Without a settings window on screen the sheet stands alone.
    openSheet(SettingsTab::shortcutGuard);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_EQ(sheet()->sheetParent(), nullptr);
    click({.action = "closeFeatureSetModalFromButton"});
    EXPECT_EQ(delegate().featureSetModalWindow, nullptr);
}

} // namespace
} // namespace tessaril

namespace tessaril {
namespace {

// The fixed-phrase sheet and a page that holds an unsaved title.
class FixedPhraseSetSheetTests : public FeatureSetSheetTest {
protected:
    void startWithUnsavedTitle(std::vector<std::string> answers) {
        TessarilSettings settings;
        settings.fixedPhraseAssist =
            decoded<FixedPhraseAssistSettings>({{"rules", {{{"id", "a"}, {"title", "挨拶"}, {"plainText", "了解です。"}}}}});
        settings.fixedPhraseAssistSets.emplace_back("set-a", "仕事", PhraseTraits::setValue(),
                                                    std::vector<SettingsSetAppTarget>{{"com.example.member", "Member"}});
        start({.settings = std::move(settings), .tab = SettingsTab::fixedPhrases, .answers = std::move(answers)});
        type(title, "書きかけ");
        ASSERT_TRUE(delegate().hasUnsavedFixedPhraseEdits());
        lines.clear();
    }
    // The sheet is open over the page, and its title field holds text that was never saved. The page
    // cannot be typed into under the sheet, and the sheet does not open over typed text: this stands
    // for text that reaches the page some other way.
    void startWithSheetOverUnsavedTitle(std::vector<std::string> answers) {
        startWithUnsavedTitle(std::move(answers));
        click({.action = "saveFixedPhraseRule:", .identifier = "a"});
        click({.action = "showFixedPhraseSetModal"});
        ASSERT_NE(sheet(), nullptr);
        delegate().fixedPhraseTitleFields.at("a")->setText("未保存");
        ASSERT_TRUE(delegate().hasUnsavedFixedPhraseEdits());
        lines.clear();
    }
    static json discard(const std::string& answer) {
        return alert("保存されていない定型文があります", "保存していない変更は破棄され、保存前の状態に戻ります。移動しますか？",
                     {"破棄して移動", "キャンセル"}, answer);
    }

    const Address title{.identifier = "a", .placeholder = "タイトル（任意）"};
};

TEST_F(FixedPhraseSetSheetTests, TheSheetDoesNotOpenOverTypedTextUntilItIsSaved) {
    startWithUnsavedTitle({});
    click({.action = "showFixedPhraseSetModal"});
    EXPECT_EQ(takeLines(), std::vector<json>{alert("保存してください", "本文とタイトルの変更を保存してから操作してください。",
                                                   {"OK"}, "OK")});
    EXPECT_EQ(sheet(), nullptr);
    EXPECT_EQ(delegate().featureSetModalTab, std::nullopt);
    EXPECT_EQ(delegate().selectedFeatureSetID, std::nullopt);
    // The page behind can be used: the text is still there and saves.
    EXPECT_EQ(control(title)["value"], "書きかけ");
    EXPECT_TRUE(delegate().hasUnsavedFixedPhraseEdits());
    EXPECT_EQ(saveFixedPhraseTitle("a"), "書きかけ");

    click({.action = "showFixedPhraseSetModal"});
    EXPECT_TRUE(takeLines().empty());
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(delegate().featureSetModalTab, SettingsTab::fixedPhrases);
    EXPECT_EQ(delegate().selectedFeatureSetID, "set-a");
}

TEST_F(FixedPhraseSetSheetTests, EditingInTheMainSettingsAsksOnceBeforeTheSelectionMoves) {
    startWithSheetOverUnsavedTitle({"キャンセル", "破棄して移動"});
    click({.action = "editFeatureSetInMainSettingsFromModal"});
    EXPECT_EQ(takeLines(), std::vector<json>{discard("キャンセル")});
    // Declined: the page still edits the default phrases it holds the title of.
    EXPECT_EQ(delegate().selectedFixedPhraseAppBundleIdentifier, std::nullopt);
    EXPECT_NE(sheet(), nullptr);
    EXPECT_EQ(control(title)["value"], "未保存");

    click({.action = "editFeatureSetInMainSettingsFromModal"});
    EXPECT_EQ(takeLines(), std::vector<json>{discard("破棄して移動")});
    EXPECT_EQ(sheet(), nullptr);
    EXPECT_EQ(delegate().selectedFixedPhraseAppBundleIdentifier, "com.example.member");
    EXPECT_EQ(delegate().selectedSettingsTab, SettingsTab::fixedPhrases);
    EXPECT_FALSE(delegate().hasUnsavedFixedPhraseEdits());
}

TEST_F(FixedPhraseSetSheetTests, ClosingAsksAndStaysOpenWhenDeclined) {
    startWithSheetOverUnsavedTitle({"キャンセル", "破棄して移動"});
    click({.action = "closeFeatureSetModalFromButton"});
    EXPECT_EQ(takeLines(), std::vector<json>{discard("キャンセル")});
    EXPECT_NE(sheet(), nullptr);
    EXPECT_EQ(delegate().featureSetModalTab, SettingsTab::fixedPhrases);
    EXPECT_EQ(delegate().selectedFeatureSetID, "set-a");

    click({.action = "closeFeatureSetModalFromButton"});
    EXPECT_EQ(takeLines(), std::vector<json>{discard("破棄して移動")});
    EXPECT_EQ(sheet(), nullptr);
    EXPECT_EQ(control(title)["value"], "書きかけ");
}

} // namespace
} // namespace tessaril
