#include "WindowMonkey.hpp"

#include <array>
#include <functional>
#include <optional>
#include <variant>

#include "PersonWaitWatch.hpp"
#include "RequestFiles.hpp"
#include "SavedDocumentCheck.hpp"
#include "TessarilApp/AppKit/Automation/ControlAddress.hpp"
#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilApp/Shell/RecordingStatusItem.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "WindowDoubles/SettingsWindowHarness.hpp"

namespace tessaril::monkey {

namespace {

using Json = nlohmann::json;

constexpr std::array<RequestFile, 4> importFiles{RequestFile::sound, RequestFile::repeatedIDs, RequestFile::notJSON,
                                                 RequestFile::wrongShape};
constexpr std::array<const char*, 9> tabs{"basic", "keypadHacks", "shortcutGuard", "writingAssist", "fixedPhrases",
                                          "shortcutRegistry", "presets", "advanced", "support"};
constexpr std::array<const char*, 4> applications{"com.apple.finder", "com.example.editor", "com.google.Chrome",
                                                  "jp.example.mail"};
constexpr std::array<const char*, 12> answerTitles{"OK", "キャンセル", "読み込む", "完全に初期化", "削除", "保存",
                                                   "破棄", "理解して開く", "続ける", "置き換える", "戻る", "閉じる"};

// The answer that confirms an import.
constexpr const char* importConfirmation = "読み込む";

// Every item of the menu and its submenus that has an action and can be chosen.
void collectMenuItems(const Menu& menu, std::vector<Json>& items) {
    for (const auto& item : menu.items) {
        if (item.submenu) collectMenuItems(*item.submenu, items);
        if (item.isSeparator() || !item.action || !item.isEnabled) continue;
        Json address{{"action", *item.action}};
        if (item.representedObject) address["represented"] = *item.representedObject;
        items.push_back(address);
    }
}

// A relative name in `files` is the request's own file, beside it in `directory`, as the replay tool
// reads it beside the request.
replay::SettingsWindowHarness::Configuration configurationFrom(const Json& request, const std::filesystem::path& directory) {
    replay::SettingsWindowHarness::Configuration configuration;
    configuration.settings = coding::decode<TessarilSettings>(request["settings"]);
    configuration.tab = *enumFromRawValue<SettingsTab>(request["tab"].get<std::string>());
    if (request["frontmost"].is_string()) {
        configuration.frontmost = replay::SettingsWindowHarness::runningApplication(request["frontmost"].get<std::string>(), std::nullopt);
    }
    configuration.accessibilityTrusted = request["accessibilityTrusted"].get<bool>();
    configuration.kanaModeKeyboardReady = request["kanaModeKeyboardReady"].get<bool>();
    configuration.installed = request["installed"].get<bool>();
    for (const auto& answer : request["answers"]) configuration.answers.push_back(answer.get<std::string>());
    for (const auto& file : request["files"]) {
        if (file.is_string()) {
            const std::filesystem::path path = file.get<std::string>();
            configuration.files.push_back({path.is_relative() ? directory / path : path, std::nullopt});
        } else {
            const auto identifier = file["bundleIdentifier"].get<std::string>();
            configuration.files.push_back({std::filesystem::path(), appkit::ChosenApplication{identifier, identifier}});
        }
    }
    for (const auto& color : request["colors"]) {
        if (color.is_null()) {
            configuration.colors.emplace_back();
        } else {
            configuration.colors.push_back(platform::Color{color[0].get<double>(), color[1].get<double>(),
                                                           color[2].get<double>(), color[3].get<double>()});
        }
    }
    for (const auto& link : request["links"]) {
        configuration.links.push_back(link.is_null() ? std::nullopt : std::optional<std::string>(link.get<std::string>()));
    }
    return configuration;
}

// Runs one step as `tessaril-replay window` runs it.
void runStep(replay::SettingsWindowHarness& harness, const Json& step) {
    auto& driver = harness.driver();
    const auto address = [&](const char* key) { return appkit::ControlAddress::fromJSON(step[key]); };
    if (step.contains("open")) {
        harness.open();
    } else if (step.contains("close")) {
        harness.close();
    } else if (step.contains("click")) {
        harness.report(driver.click(address("click")), step["click"]);
    } else if (step.contains("choose")) {
        harness.report(driver.choose(address("choose"), step["item"].get<std::string>()), step["choose"]);
    } else if (step.contains("type")) {
        harness.report(driver.type(address("type"), step["text"].get<std::string>()), step["type"]);
    } else if (step.contains("return")) {
        harness.report(driver.pressReturn(address("return")), step["return"]);
    } else if (step.contains("key")) {
        const Json& key = step["key"];
        std::uint64_t flags = 0;
        for (const auto& flag : key["flags"]) {
            const auto name = flag.get<std::string>();
            if (name == "command") flags |= appkit::Event::commandFlag;
            if (name == "shift") flags |= appkit::Event::shiftFlag;
            if (name == "option") flags |= appkit::Event::optionFlag;
            if (name == "control") flags |= appkit::Event::controlFlag;
        }
        driver.key(appkit::Event::keyDown(key["keyCode"].get<std::uint16_t>(), flags, key["characters"].get<std::string>()));
        harness.finishStep();
    } else if (step.contains("mouseDown")) {
        driver.mouseDown();
        harness.finishStep();
    } else if (step.contains("menu")) {
        const Json& menu = step["menu"];
        harness.chooseMenuItem(menu["action"].get<std::string>(),
                               menu.contains("represented") ? std::optional<std::string>(menu["represented"].get<std::string>())
                                                            : std::nullopt);
    } else if (step.contains("frontmost")) {
        const Json& application = step["frontmost"];
        harness.bringToFront(application.is_null() ? std::nullopt
                                                   : std::optional<platform::RunningApplication>(replay::SettingsWindowHarness::runningApplication(
                                                         application.get<std::string>(), std::nullopt)));
    }
}

} // namespace

WindowMonkey::WindowMonkey(std::uint64_t seed, std::filesystem::path directory)
    : random_(seed), directory_(std::move(directory)) {}

std::size_t WindowMonkey::below(std::size_t count) {
    return count == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
}

bool WindowMonkey::chance(double probability) { return std::bernoulli_distribution(probability)(random_); }

std::string WindowMonkey::randomText() {
    static const std::array<const char*, 16> texts{"", " ", "0", "0.05", "1.5", "10", "-3", "abc", "ｱｲｳ", "定型文",
                                                   "「」", "9999999999999999999999", "1e308", "nan", "😀👨‍👩‍👧", "\t改行\n"};
    if (chance(0.1)) return std::string(below(300) + 1, 'x');
    return texts[below(texts.size())];
}

Json WindowMonkey::randomRequestHead() {
    Json settings = coding::encode(TessarilSettings{});
    // Phrases give the phrase page its editors, toolbars, colour wells and link buttons.
    if (chance(0.6)) {
        settings["fixedPhraseAssist"]["rules"] = Json::array(
            {{{"id", "RICH"}, {"title", "リッチ"}, {"plainText", "詳細はこちら"}, {"inputMode", "rich"}},
             {{"id", "PLAIN"}, {"title", "プレーン"}, {"plainText", "**太字** と [リンク](https://example.com)"}, {"inputMode", "plain"}}});
    }
    Json files = Json::array();
    // Imports are what can bring in a damaged document, so the first answer is an import file, most
    // often the one whose lists repeat ids. Every answer names a file of its own.
    if (chance(0.7)) {
        const RequestFile file = chance(0.5) ? RequestFile::repeatedIDs : importFiles[below(importFiles.size())];
        files.push_back(requestFileName(files.size() + 1, file));
    }
    for (std::size_t count = below(4); count > 0; --count) {
        switch (below(3)) {
        case 0: files.push_back(requestFileName(files.size() + 1, importFiles[below(importFiles.size())])); break;
        case 1: files.push_back(requestFileName(files.size() + 1, RequestFile::exported)); break;
        default: files.push_back({{"bundleIdentifier", applications[below(applications.size())]}}); break;
        }
    }
    Json answers = Json::array();
    for (std::size_t count = below(5); count > 0; --count) answers.push_back(answerTitles[below(answerTitles.size())]);
    Json colors = Json::array();
    for (std::size_t count = below(3); count > 0; --count) {
        if (chance(0.3)) {
            colors.push_back(nullptr);
        } else {
            std::uniform_real_distribution<double> component(0, 1);
            colors.push_back({component(random_), component(random_), component(random_), component(random_)});
        }
    }
    Json links = Json::array();
    static const std::array<const char*, 5> addresses{"https://example.com", "mailto:a@example.com", " ", "javascript:x", "相対/パス"};
    for (std::size_t count = below(3); count > 0; --count) {
        if (chance(0.3)) {
            links.push_back(nullptr);
        } else {
            links.push_back(addresses[below(addresses.size())]);
        }
    }
    return {{"settings", settings},
            {"tab", chance(0.25) ? "advanced" : chance(0.3) ? "fixedPhrases" : tabs[below(tabs.size())]},
            {"frontmost", chance(0.5) ? Json(applications[below(applications.size())]) : Json(nullptr)},
            {"accessibilityTrusted", chance(0.5)},
            {"kanaModeKeyboardReady", chance(0.5)},
            {"installed", chance(0.5)},
            {"answers", answers},
            {"files", files},
            {"colors", colors},
            {"links", links},
            {"steps", Json::array()}};
}

Json WindowMonkey::randomStep(const Json& controls, const std::vector<Json>& menuItems) {
    const std::size_t roll = below(100);
    if (roll < 3) return {{"open", true}};
    if (roll < 5) return {{"close", true}};
    if (roll < 8) return {{"mouseDown", true}};
    if (roll < 14) {
        static const std::array<std::uint16_t, 8> keyCodes{0, 8, 12, 13, 18, 36, 53, 65};
        static const std::array<const char*, 8> characters{"a", "c", "q", "w", "1", "\r", "\x1b", "."};
        const std::size_t key = below(keyCodes.size());
        Json flags = Json::array();
        for (const char* flag : {"command", "shift", "option", "control"}) {
            if (chance(0.35)) flags.push_back(flag);
        }
        return {{"key", {{"keyCode", keyCodes[key]}, {"flags", flags}, {"characters", characters[key]}}}};
    }
    if (roll < 20 && !menuItems.empty()) return {{"menu", menuItems[below(menuItems.size())]}};
    if (roll < 23) return {{"frontmost", chance(0.2) ? Json(nullptr) : Json(applications[below(applications.size())])}};
    // Imports come from the advanced page's button; reaching it by chance alone would be rare.
    if (roll < 25) return {{"click", {{"action", "selectSettingsTabFromButton:"}, {"identifier", "advanced"}}}};
    if (roll < 28) return {{"click", {{"action", "importSettings"}}}};
    // The driver counts an address's index among the controls of the kinds the step acts on.
    std::vector<std::size_t> clickable, popups, fields;
    for (std::size_t index = 0; index < controls.size(); ++index) {
        const std::string kind = controls[index].value("kind", "");
        if (kind == "popup") {
            popups.push_back(index);
        } else if (kind == "field") {
            fields.push_back(index);
        } else if (kind != "label") {
            clickable.push_back(index);
        }
    }
    const std::size_t pick = below(clickable.size() + popups.size() + fields.size());
    if (pick < popups.size()) {
        std::vector<std::string> items;
        for (const auto& item : controls[popups[pick]].value("items", Json::array())) {
            if (item != "-") items.push_back(item.get<std::string>());
        }
        if (!items.empty()) return {{"choose", {{"index", pick}}}, {"item", items[below(items.size())]}};
    } else if (pick < popups.size() + fields.size()) {
        const Json address{{"index", pick - popups.size()}};
        if (chance(0.3)) return {{"return", address}};
        return {{"type", address}, {"text", randomText()}};
    } else if (!clickable.empty()) {
        return {{"click", {{"index", pick - popups.size() - fields.size()}}}};
    }
    return {{"open", true}};
}

WindowMonkey::Result WindowMonkey::run() {
    Result result;
    result.request = randomRequestHead();
    // The folder holds what the request names and nothing else, as the one saved beside a failing
    // request does.
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    writeRequestFiles(result.request, directory_);
    const std::size_t steps = 20 + below(41);
    const UUIDGenerator::ScopedOverride identifiers(UUIDGenerator::sequential());
    replay::SettingsWindowHarness harness(configurationFrom(result.request, directory_), [&result](const Json& line) {
        result.lines.push_back(line);
        if (line.contains("alert") && line["alert"]["answer"] == importConfirmation) ++result.imports;
        if (!line.contains("saved")) return;
        ++result.saves;
        for (auto& problem : savedDocumentProblems(line["saved"])) result.problems.push_back(std::move(problem));
    });
    PersonWaitWatch watch([&result](const std::string& what) { result.problems.push_back(what); });
    for (std::size_t number = 0; number < steps && result.problems.empty(); ++number) {
        Json controls = Json::array();
        for (const auto& line : harness.driver().queryAll({})) controls.push_back(line["control"]);
        std::vector<Json> menuItems;
        auto& statusItem = static_cast<RecordingStatusItem&>(harness.delegate().statusItem());
        if (const Menu* menu = statusItem.menu()) collectMenuItems(*menu, menuItems);
        Json step = randomStep(controls, menuItems);
        result.request["steps"].push_back(step);
        runStep(harness, step);
        // The application would end here; the replay tool says so and runs no further step.
        if (harness.hasTerminated()) {
            result.lines.push_back({{"terminated", true}});
            break;
        }
    }
    return result;
}

} // namespace tessaril::monkey
