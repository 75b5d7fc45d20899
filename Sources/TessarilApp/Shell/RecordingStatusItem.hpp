#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TessarilApp/Shell/StatusItem.hpp"

namespace tessaril {

// A status item that keeps what it was given: whether it shows, its image and title, every tooltip and
// every menu in order; and lets a test (or the replay tool) choose an item of the current menu as the
// user would. It has a button unless told otherwise. Main thread.
class RecordingStatusItem final : public StatusItem {
public:
    explicit RecordingStatusItem(bool hasButton = true) : hasButton_(hasButton) {}

    // What the item showed at the moment it was made visible.
    struct Look {
        std::string title;
        bool hasImage = false;
        std::optional<std::string> toolTip;
        friend bool operator==(const Look&, const Look&) = default;
    };

    void setVisible(bool visible) override;
    bool hasButton() const override { return hasButton_; }
    void setImage(std::optional<QImage> image, bool isTemplate, int pointSize) override;
    void setTitle(const std::string& title) override { title_ = title; }
    void setToolTip(const std::string& toolTip) override { toolTips_.push_back(toolTip); }
    void setMenu(Menu menu, MenuHandler handler) override;
    std::optional<QRect> buttonGeometry() const override { return buttonGeometry_; }
    void setButtonMovedHandler(std::function<void()> handler) override { buttonMoved_ = std::move(handler); }
    // What the status area tells of the button from now on; the button-moved handler hears of it, as
    // a tray that places the icon tells.
    void setButtonGeometry(std::optional<QRect> geometry);

    bool isVisible() const { return isVisible_; }
    // None until the item was first shown.
    const std::optional<Look>& lookWhenShown() const { return lookWhenShown_; }
    bool hasImage() const { return hasImage_; }
    bool isTemplateImage() const { return isTemplate_; }
    int imagePointSize() const { return pointSize_; }
    const std::string& title() const { return title_; }
    // Every tooltip set, in order; the last one is the one shown.
    const std::vector<std::string>& toolTips() const { return toolTips_; }
    std::optional<std::string> toolTip() const;
    // Every menu set, in order; the last one is the one shown.
    const std::vector<Menu>& menus() const { return menus_; }
    const Menu* menu() const { return menus_.empty() ? nullptr : &menus_.back(); }

    // The first item of the current menu (submenus included) with that action and, when given, that
    // represented object; none when there is none.
    std::optional<MenuItem> findItem(const std::string& action,
                                     const std::optional<std::string>& representedObject = std::nullopt) const;
    // Chooses that item if it exists and is enabled; answers whether it did.
    bool choose(const std::string& action, const std::optional<std::string>& representedObject = std::nullopt);

private:
    bool hasButton_;
    bool isVisible_ = false;
    bool hasImage_ = false;
    bool isTemplate_ = false;
    int pointSize_ = 0;
    std::string title_;
    std::vector<std::string> toolTips_;
    std::vector<Menu> menus_;
    MenuHandler handler_;
    std::optional<QRect> buttonGeometry_;
    std::function<void()> buttonMoved_;
    std::optional<Look> lookWhenShown_;
};

} // namespace tessaril
