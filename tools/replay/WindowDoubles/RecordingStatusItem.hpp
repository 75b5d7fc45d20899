#pragma once

#include <optional>
#include <string>

#include "TessarilApp/Shell/StatusItem.hpp"

namespace tessaril::replay {

// The status item, stood in: keeps what it was last given. Main thread only.
class RecordingStatusItem final : public StatusItem {
public:
    void setVisible(bool visible) override { visible_ = visible; }
    bool hasButton() const override { return true; }
    void setImage(std::optional<QImage> image, bool, int) override { hasImage_ = image.has_value(); }
    void setTitle(const std::string& title) override { title_ = title; }
    void setToolTip(const std::string& toolTip) override { toolTip_ = toolTip; }
    void setMenu(Menu menu, MenuHandler handler) override {
        menu_ = std::move(menu);
        handler_ = std::move(handler);
    }

    bool isVisible() const { return visible_; }
    bool hasImage() const { return hasImage_; }
    const std::string& title() const { return title_; }
    const std::string& toolTip() const { return toolTip_; }
    const Menu& menu() const { return menu_; }

private:
    bool visible_ = false;
    bool hasImage_ = false;
    std::string title_;
    std::string toolTip_;
    Menu menu_;
    MenuHandler handler_;
};

} // namespace tessaril::replay
