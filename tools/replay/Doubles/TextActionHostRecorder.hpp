#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "TessarilCore/Rules/TextToolSettings.hpp"
#include "TessarilMac/TextActions/CharacterCountHUDContent.hpp"
#include "TessarilMac/TextActions/TextActionHost.hpp"

namespace tessaril {

// Stands in for the application delegate around the text actions: keeps the status text as the delegate
// does (an input error shows "入力送信エラー: " and the error type's name), answers with fixed text-tool
// settings, and keeps the count panel as a value. Records each change of the status text and each
// panel shown or hidden. Thread: the test's main thread.
class TextActionHostRecorder final : public TextActionHost {
public:
    struct StatusChanged {
        std::string text;
        friend bool operator==(const StatusChanged&, const StatusChanged&) = default;
    };
    struct PanelShown {
        CharacterCountHUDContent content;
        friend bool operator==(const PanelShown&, const PanelShown&) = default;
    };
    struct PanelHidden {
        friend bool operator==(const PanelHidden&, const PanelHidden&) = default;
    };
    using Event = std::variant<StatusChanged, PanelShown, PanelHidden>;

    explicit TextActionHostRecorder(TextToolSettings settings = {}) : settings_(std::move(settings)) {}

    // Called with each event as it is recorded.
    void setObserver(std::function<void(const Event&)> observer) { observer_ = std::move(observer); }
    const std::vector<Event>& events() const { return events_; }
    const std::optional<std::string>& statusText() const { return statusText_; }
    const std::optional<CharacterCountHUDContent>& panel() const { return panel_; }

    void recordInputDispatchError(const std::exception_ptr& error) override;
    void setStatusText(const std::string& text) override;
    TextToolSettings textToolSettings() const override { return settings_; }
    void showCharacterCountHUD(const std::optional<std::string>& text) override;

private:
    void record(Event event);

    TextToolSettings settings_;
    std::optional<std::string> statusText_;
    std::optional<CharacterCountHUDContent> panel_;
    std::function<void(const Event&)> observer_;
    std::vector<Event> events_;
};

} // namespace tessaril
