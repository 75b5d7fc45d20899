#include "WindowReplay.hpp"

#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QApplication>

#include "DefaultsValueCoding.hpp"
#include "RequestReading.hpp"
#include "TessarilApp/AppKit/Automation/ControlAddress.hpp"
#include "TessarilApp/AppKit/Event.hpp"
#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/UUIDGenerator.hpp"
#include "WindowDoubles/OffscreenApplication.hpp"
#include "WindowDoubles/SettingsWindowHarness.hpp"

// Qt's signal keyword would otherwise erase the name of Invocation::emit.
#undef emit

namespace tessaril::replay {
namespace {

using namespace request_reading;

// A control as the request names it, kept as given for the "missing" and "disabled" lines.
struct Address {
    appkit::ControlAddress control;
    Json given;
};

struct OpenStep {};
struct CloseStep {};
struct RevealStep {
    Address address;
};
struct ClickStep {
    Address address;
};
struct ChooseStep {
    Address address;
    std::string item;
};
struct TypeStep {
    Address address;
    std::string text;
};
struct ReturnStep {
    Address address;
};
struct KeyStep {
    appkit::Event event;
};
struct MouseDownStep {};
struct MenuStep {
    std::string action;
    std::optional<std::string> representedObject;
    // The item's address as given, for the "missing" line.
    Json given;
};
struct FrontmostStep {
    std::optional<platform::RunningApplication> application;
};
struct QueryStep {
    Address address;
    bool all;
};
using Step = std::variant<OpenStep, CloseStep, RevealStep, ClickStep, ChooseStep, TypeStep, ReturnStep, KeyStep, MouseDownStep,
                          MenuStep, FrontmostStep, QueryStep>;

// Everything the request asks for, read in full before anything runs, so that an unreadable request
// prints no partial output.
struct Request {
    SettingsWindowHarness::Configuration configuration;
    // The screen the window opens on; made before the application, so it is read with the request.
    QSize screen{OffscreenDesktopScreen::width, OffscreenDesktopScreen::height};
    Json defaults = Json::object();
    std::vector<Step> steps;
};

Address readAddress(const Json& value, const std::string& where) {
    try {
        return Address{appkit::ControlAddress::fromJSON(value), value};
    } catch (const std::invalid_argument& problem) {
        unreadable(where, problem.what());
    }
}

// An application: a bare bundle identifier (also its name), {"bundleIdentifier", "name"}, or null.
std::optional<platform::RunningApplication> readApplication(const Json& value, const std::string& where) {
    if (value.is_null()) return std::nullopt;
    if (value.is_string()) return SettingsWindowHarness::runningApplication(value.get<std::string>(), std::nullopt);
    expectObject(value, where);
    expectOnlyKeys(value, {"bundleIdentifier", "name"}, where);
    const Json* identifier = member(value, "bundleIdentifier");
    if (identifier == nullptr) unreadable(where, "needs a \"bundleIdentifier\"");
    return SettingsWindowHarness::runningApplication(text(*identifier, where + ".bundleIdentifier"),
                                                     optionalText(member(value, "name"), where + ".name"));
}

appkit::Event readKey(const Json& value, const std::string& where) {
    expectObject(value, where);
    expectOnlyKeys(value, {"keyCode", "flags", "characters"}, where);
    const Json* keyCode = member(value, "keyCode");
    if (keyCode == nullptr) unreadable(where, "needs a \"keyCode\"");
    static const std::map<std::string, std::uint64_t> bits{{"command", appkit::Event::commandFlag},
                                                           {"shift", appkit::Event::shiftFlag},
                                                           {"option", appkit::Event::optionFlag},
                                                           {"control", appkit::Event::controlFlag}};
    std::uint64_t flags = 0;
    if (const Json* names = member(value, "flags")) {
        if (!names->is_array()) unreadable(where + ".flags", "must be an array");
        for (const auto& name : *names) {
            const auto found = name.is_string() ? bits.find(name.get<std::string>()) : bits.end();
            if (found == bits.end()) unreadable(where + ".flags", "holds something other than command, shift, option or control");
            flags |= found->second;
        }
    }
    return appkit::Event::keyDown(static_cast<std::uint16_t>(integer(*keyCode, where + ".keyCode", 0, 0xFFFF)), flags,
                                  optionalText(member(value, "characters"), where + ".characters"));
}

Step readStep(const Json& step, const std::string& where) {
    expectObject(step, where);
    const auto has = [&step](const char* key) { return step.contains(key); };
    const auto only = [&](std::initializer_list<const char*> keys) {
        expectOnlyKeys(step, std::set<std::string>(keys.begin(), keys.end()), where);
    };
    if (has("open")) return only({"open"}), Step{OpenStep{}};
    if (has("close")) return only({"close"}), Step{CloseStep{}};
    if (has("mouseDown")) return only({"mouseDown"}), Step{MouseDownStep{}};
    if (has("reveal")) return only({"reveal"}), Step{RevealStep{readAddress(step["reveal"], where + ".reveal")}};
    if (has("click")) return only({"click"}), Step{ClickStep{readAddress(step["click"], where + ".click")}};
    if (has("return")) return only({"return"}), Step{ReturnStep{readAddress(step["return"], where + ".return")}};
    if (has("query")) return only({"query"}), Step{QueryStep{readAddress(step["query"], where + ".query"), false}};
    if (has("queryAll")) return only({"queryAll"}), Step{QueryStep{readAddress(step["queryAll"], where + ".queryAll"), true}};
    if (has("choose")) {
        only({"choose", "item"});
        const Json* item = member(step, "item");
        if (item == nullptr) unreadable(where, "needs an \"item\"");
        return ChooseStep{readAddress(step["choose"], where + ".choose"), text(*item, where + ".item")};
    }
    if (has("type")) {
        only({"type", "text"});
        const Json* typed = member(step, "text");
        if (typed == nullptr) unreadable(where, "needs a \"text\"");
        return TypeStep{readAddress(step["type"], where + ".type"), text(*typed, where + ".text")};
    }
    if (has("key")) return only({"key"}), Step{KeyStep{readKey(step["key"], where + ".key")}};
    if (has("menu")) {
        only({"menu"});
        const Json& menu = step["menu"];
        expectObject(menu, where + ".menu");
        expectOnlyKeys(menu, {"action", "represented"}, where + ".menu");
        const Json* action = member(menu, "action");
        if (action == nullptr) unreadable(where + ".menu", "needs an \"action\"");
        return MenuStep{text(*action, where + ".menu.action"), optionalText(member(menu, "represented"), where + ".menu.represented"),
                        menu};
    }
    if (has("frontmost")) return only({"frontmost"}), Step{FrontmostStep{readApplication(step["frontmost"], where + ".frontmost")}};
    unreadable(where, "is no step this subcommand knows");
}

std::vector<appkit::FilePanelResult> readFiles(const Json& value, const Invocation& invocation) {
    if (!value.is_array()) unreadable("files", "must be an array");
    std::vector<appkit::FilePanelResult> files;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const std::string where = "files[" + std::to_string(index) + "]";
        if (value[index].is_string()) {
            files.push_back({invocation.resolvedFromRequest(value[index].get<std::string>()), std::nullopt});
            continue;
        }
        const auto application = readApplication(value[index], where);
        if (!application) unreadable(where, "must be a path or an application");
        files.push_back({std::filesystem::path(), appkit::ChosenApplication{*application->bundleIdentifier,
                                                                          *application->localizedName}});
    }
    return files;
}

// "colors": [[r, g, b, a] | null, …], each component a number from 0 to 1; null answers a cancel.
std::vector<std::optional<platform::Color>> readColors(const Json& value) {
    if (!value.is_array()) unreadable("colors", "must be an array");
    std::vector<std::optional<platform::Color>> colors;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const Json& answer = value[index];
        const std::string where = "colors[" + std::to_string(index) + "]";
        if (answer.is_null()) {
            colors.emplace_back();
            continue;
        }
        if (!answer.is_array() || answer.size() != 4) unreadable(where, "must be [red, green, blue, alpha] or null");
        std::array<double, 4> components{};
        for (std::size_t component = 0; component < 4; ++component) {
            const Json& number = answer[component];
            if (!number.is_number() || number.get<double>() < 0 || number.get<double>() > 1) {
                unreadable(where, "must hold numbers from 0 to 1");
            }
            components[component] = number.get<double>();
        }
        colors.push_back(platform::Color{components[0], components[1], components[2], components[3]});
    }
    return colors;
}

// "links": ["https://…" | null, …]; null answers a cancel.
std::vector<std::optional<std::string>> readLinks(const Json& value) {
    if (!value.is_array()) unreadable("links", "must be an array");
    std::vector<std::optional<std::string>> links;
    for (std::size_t index = 0; index < value.size(); ++index) {
        links.push_back(optionalText(&value[index], "links[" + std::to_string(index) + "]"));
    }
    return links;
}

// "screen": {"width": W, "height": H}.
QSize readScreen(const Json& value) {
    expectObject(value, "screen");
    expectOnlyKeys(value, {"width", "height"}, "screen");
    const auto side = [&value](const char* key) {
        const Json* found = member(value, key);
        if (found == nullptr) unreadable("screen", std::string("needs a \"") + key + "\"");
        return static_cast<int>(integer(*found, std::string("screen.") + key, 320, 16384));
    };
    return {side("width"), side("height")};
}

Request readRequest(const Json& document, const Invocation& invocation) {
    expectObject(document, "the request");
    expectOnlyKeys(document, {"settings", "defaults", "tab", "frontmost", "accessibilityTrusted", "kanaModeKeyboardReady",
                              "installed", "loginItemStatus", "inputSources", "answers", "files", "colors", "links", "screen", "steps"},
                   "the request");
    Request request;
    auto& configuration = request.configuration;
    if (const Json* settings = member(document, "settings")) configuration.settings = coding::decode<TessarilSettings>(*settings);
    if (const Json* defaults = member(document, "defaults")) {
        expectObject(*defaults, "defaults");
        request.defaults = *defaults;
    }
    if (const Json* tab = member(document, "tab")) {
        const auto parsed = enumFromRawValue<SettingsTab>(text(*tab, "tab"));
        if (!parsed) unreadable("tab", "names no settings tab");
        configuration.tab = *parsed;
    }
    if (const Json* frontmost = member(document, "frontmost")) configuration.frontmost = readApplication(*frontmost, "frontmost");
    configuration.accessibilityTrusted = flag(member(document, "accessibilityTrusted"), "accessibilityTrusted", false);
    configuration.kanaModeKeyboardReady = flag(member(document, "kanaModeKeyboardReady"), "kanaModeKeyboardReady", false);
    configuration.installed = flag(member(document, "installed"), "installed", false);
    if (const Json* status = member(document, "loginItemStatus")) {
        static const std::map<std::string, platform::LoginItemStatus> statuses{
            {"notRegistered", platform::LoginItemStatus::notRegistered},
            {"enabled", platform::LoginItemStatus::enabled},
            {"requiresApproval", platform::LoginItemStatus::requiresApproval},
            {"notFound", platform::LoginItemStatus::notFound}};
        const auto found = statuses.find(text(*status, "loginItemStatus"));
        if (found == statuses.end()) unreadable("loginItemStatus", "must be notRegistered, enabled, requiresApproval or notFound");
        configuration.loginItemStatus = found->second;
    }
    if (const Json* sources = member(document, "inputSources")) configuration.inputSources = readInputSources(*sources);
    if (const Json* answers = member(document, "answers")) {
        if (!answers->is_array()) unreadable("answers", "must be an array");
        for (std::size_t index = 0; index < answers->size(); ++index) {
            configuration.answers.push_back(text((*answers)[index], "answers[" + std::to_string(index) + "]"));
        }
    }
    if (const Json* files = member(document, "files")) configuration.files = readFiles(*files, invocation);
    if (const Json* colors = member(document, "colors")) configuration.colors = readColors(*colors);
    if (const Json* links = member(document, "links")) configuration.links = readLinks(*links);
    if (const Json* screen = member(document, "screen")) request.screen = readScreen(*screen);
    const Json* steps = member(document, "steps");
    if (steps == nullptr || !steps->is_array()) unreadable("steps", "must be an array");
    for (std::size_t index = 0; index < steps->size(); ++index) {
        request.steps.push_back(readStep((*steps)[index], "steps[" + std::to_string(index) + "]"));
    }
    return request;
}

void runStep(SettingsWindowHarness& harness, const Step& step, const Invocation& invocation) {
    auto& driver = harness.driver();
    std::visit(
        [&](const auto& current) {
            using Kind = std::decay_t<decltype(current)>;
            if constexpr (std::is_same_v<Kind, OpenStep>) {
                harness.open();
            } else if constexpr (std::is_same_v<Kind, CloseStep>) {
                harness.close();
            } else if constexpr (std::is_same_v<Kind, RevealStep>) {
                harness.report(driver.reveal(current.address.control), current.address.given);
            } else if constexpr (std::is_same_v<Kind, ClickStep>) {
                harness.report(driver.click(current.address.control), current.address.given);
            } else if constexpr (std::is_same_v<Kind, ChooseStep>) {
                harness.report(driver.choose(current.address.control, current.item), current.address.given);
            } else if constexpr (std::is_same_v<Kind, TypeStep>) {
                harness.report(driver.type(current.address.control, current.text), current.address.given);
            } else if constexpr (std::is_same_v<Kind, ReturnStep>) {
                harness.report(driver.pressReturn(current.address.control), current.address.given);
            } else if constexpr (std::is_same_v<Kind, KeyStep>) {
                driver.key(current.event);
                harness.finishStep();
            } else if constexpr (std::is_same_v<Kind, MouseDownStep>) {
                driver.mouseDown();
                harness.finishStep();
            } else if constexpr (std::is_same_v<Kind, MenuStep>) {
                if (!harness.chooseMenuItem(current.action, current.representedObject)) {
                    invocation.emit(Json{{"missing", current.given}});
                }
            } else if constexpr (std::is_same_v<Kind, FrontmostStep>) {
                harness.bringToFront(current.application);
            } else if constexpr (std::is_same_v<Kind, QueryStep>) {
                if (current.all) {
                    for (const auto& line : driver.queryAll(current.address.control)) invocation.emit(line);
                } else {
                    invocation.emit(driver.query(current.address.control));
                }
                harness.finishStep();
            }
        },
        step);
}

} // namespace

int runWindowReplay(const Invocation& invocation) {
    Request request = readRequest(invocation.readRequest(), invocation);
    const OffscreenApplication application("tessaril-replay", request.screen);

    const Json defaults = request.defaults;
    request.configuration.prepareDefaults = [&defaults](platform::UserDefaults& standard) {
        for (const auto& [key, value] : defaults.items()) putDefaultsValue(standard, key, value);
    };
    // Records made during the run get identifiers in sequence, so every run prints the same.
    const UUIDGenerator::ScopedOverride identifiers(UUIDGenerator::sequential());
    SettingsWindowHarness harness(std::move(request.configuration),
                                  [&invocation](const Json& line) { invocation.emit(line); });
    for (const auto& step : request.steps) {
        runStep(harness, step, invocation);
        if (harness.hasTerminated()) {
            invocation.emit(Json{{"terminated", true}});
            break;
        }
    }
    return 0;
}

} // namespace tessaril::replay
