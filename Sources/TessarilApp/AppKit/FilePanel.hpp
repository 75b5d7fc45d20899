#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tessaril::appkit {

// What an open or save panel offers.
struct FilePanel {
    // Which files the panel lets the user pick.
    enum class ContentType { json, application };

    ContentType contentType = ContentType::json;
    std::string message;
    std::string prompt;
    // Save panels: the proposed file name.
    std::string nameFieldStringValue;
};

// An application picked in an application chooser: what stands in for its bundle identifier and
// display name.
struct ChosenApplication {
    std::string bundleIdentifier;
    std::string name;

    friend bool operator==(const ChosenApplication&, const ChosenApplication&) = default;
};

// The user's answer to a panel: a file, and for an application chooser the application it names
// when the chooser already knows it.
struct FilePanelResult {
    std::filesystem::path url;
    std::optional<ChosenApplication> application;
};

} // namespace tessaril::appkit
