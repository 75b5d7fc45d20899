#include "TessarilApp/Shell/RecordingStatusItem.hpp"

namespace tessaril {

namespace {

const MenuItem* findIn(const Menu& menu, const std::string& action, const std::optional<std::string>& representedObject) {
    for (const MenuItem& item : menu.items) {
        if (item.action == action && (!representedObject || item.representedObject == representedObject)) return &item;
        if (item.submenu) {
            if (const MenuItem* found = findIn(*item.submenu, action, representedObject)) return found;
        }
    }
    return nullptr;
}

} // namespace

void RecordingStatusItem::setImage(std::optional<QImage> image, bool isTemplate, int pointSize) {
    hasImage_ = image.has_value();
    isTemplate_ = isTemplate;
    pointSize_ = pointSize;
}

void RecordingStatusItem::setButtonGeometry(std::optional<QRect> geometry) {
    buttonGeometry_ = geometry;
    if (buttonMoved_) buttonMoved_();
}

void RecordingStatusItem::setMenu(Menu menu, MenuHandler handler) {
    menus_.push_back(std::move(menu));
    handler_ = std::move(handler);
}

std::optional<std::string> RecordingStatusItem::toolTip() const {
    if (toolTips_.empty()) return std::nullopt;
    return toolTips_.back();
}

std::optional<MenuItem> RecordingStatusItem::findItem(const std::string& action,
                                                      const std::optional<std::string>& representedObject) const {
    if (menus_.empty()) return std::nullopt;
    const MenuItem* found = findIn(menus_.back(), action, representedObject);
    if (!found) return std::nullopt;
    return *found;
}

void RecordingStatusItem::setVisible(bool visible) {
    if (visible && !isVisible_) lookWhenShown_ = Look{title_, hasImage_, toolTip()};
    isVisible_ = visible;
}

bool RecordingStatusItem::choose(const std::string& action, const std::optional<std::string>& representedObject) {
    auto item = findItem(action, representedObject);
    if (!item || !item->isEnabled || !handler_) return false;
    // The handler may set a new menu: it runs on copies.
    auto handler = handler_;
    handler(*item);
    return true;
}

} // namespace tessaril
