#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "TessarilApp/AppKit/Automation/ControlAddress.hpp"
#include "TessarilApp/AppKit/Window.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"
#include "WindowDoubles/SettingsWindowHarness.hpp"

namespace tessaril {

// Drives one page of the real settings window through the UI driver, as a user and
// `tessaril-replay window` would, and keeps what the harness reports. Every step runs what the window
// has ready afterwards; an address that names no usable control fails the test.
class SettingsPageTest : public ::testing::Test {
protected:
    using json = nlohmann::json;
    using Address = appkit::ControlAddress;

    void start(replay::SettingsWindowHarness::Configuration configuration = {}) {
        harness = std::make_unique<replay::SettingsWindowHarness>(std::move(configuration),
                                                                  [this](const json& line) { lines.push_back(line); });
        harness->open();
        lines.clear();
    }
    AppDelegate& delegate() { return harness->delegate(); }
    QWidget* content() { return qobject_cast<appkit::Window*>(delegate().settingsWindow.data())->contentView(); }

    void click(const Address& address) { step(harness->driver().click(address), address); }
    void choose(const Address& address, const std::string& item) { step(harness->driver().choose(address, item), address); }
    void type(const Address& address, const std::string& text) { step(harness->driver().type(address, text), address); }
    void pressReturn(const Address& address) { step(harness->driver().pressReturn(address), address); }
    void rebuild() {
        delegate().rebuildSettingsWindow();
        harness->finishStep();
    }

    // The description of the addressed control; null when there is none.
    json control(const Address& address) { return harness->driver().query(address)["control"]; }
    // The same without where it shows on screen, for what a control says rather than where it is.
    json controlState(const Address& address) {
        json description = control(address);
        if (description.is_object()) description.erase("frame");
        return description;
    }
    // One member of the description of every match, in reading order.
    std::vector<std::string> each(const Address& address, const std::string& member) {
        std::vector<std::string> values;
        for (const auto& line : harness->driver().queryAll(address)) values.push_back(line["control"].value(member, ""));
        return values;
    }
    // The titles of the `count` titled controls (labels, buttons) in reading order from the first one
    // titled `first`.
    std::vector<std::string> labelsFrom(const std::string& first, std::size_t count) {
        auto titles = each({}, "title");
        std::erase(titles, std::string());
        const auto start = std::find(titles.begin(), titles.end(), first);
        if (start == titles.end()) return {};
        return std::vector<std::string>(start, start + std::min<std::ptrdiff_t>(count, titles.end() - start));
    }

    std::vector<json> takeLines() { return std::exchange(lines, {}); }
    // The documents saved since the last call; each must also be what the delegate now holds.
    std::vector<TessarilSettings> takeSaved() {
        std::vector<TessarilSettings> saved;
        for (const auto& line : takeLines()) {
            EXPECT_TRUE(line.contains("saved")) << line.dump();
            if (line.contains("saved")) saved.push_back(coding::decode<TessarilSettings>(line["saved"]));
        }
        if (!saved.empty()) {
            EXPECT_EQ(saved.back(), delegate().settings);
        }
        return saved;
    }

    // Presses the save button of the phrase rule and answers the title of the rule in the one
    // document saved, or none when not exactly one was saved.
    std::optional<std::string> saveFixedPhraseTitle(const std::string& ruleID) {
        click({.action = "saveFixedPhraseRule:", .identifier = ruleID});
        const auto saved = takeSaved();
        if (saved.size() != 1) return std::nullopt;
        for (const auto& rule : saved.front().fixedPhraseAssist.rules) {
            if (rule.id == ruleID) return rule.title;
        }
        return std::nullopt;
    }

    static json alert(const std::string& message, const std::string& informative, std::vector<std::string> buttons,
                      const std::string& answer) {
        return {{"alert",
                 {{"style", "warning"}, {"message", message}, {"informative", informative}, {"buttons", buttons}, {"answer", answer}}}};
    }

    std::vector<json> lines;
    std::unique_ptr<replay::SettingsWindowHarness> harness;

private:
    void step(appkit::UIDriver::Outcome outcome, const Address& address) {
        EXPECT_EQ(outcome, appkit::UIDriver::Outcome::performed) << address.toJSON().dump();
        harness->finishStep();
    }
};

} // namespace tessaril
