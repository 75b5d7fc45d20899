#include "TessarilApp/AppKit/Automation/ControlAddress.hpp"

#include <stdexcept>

#include "TessarilApp/AppKit/Control.hpp"
#include "TessarilApp/AppKit/TextField.hpp"

namespace tessaril::appkit {

namespace {

std::optional<std::string> placeholderOf(const Control& control) {
    if (const auto* field = dynamic_cast<const TextField*>(&control)) return field->placeholder();
    return std::nullopt;
}

std::optional<std::string> textMember(const nlohmann::json& value, const char* name) {
    const auto found = value.find(name);
    if (found == value.end()) return std::nullopt;
    if (!found->is_string()) throw std::invalid_argument(std::string("control member \"") + name + "\" must be a string");
    return found->get<std::string>();
}

} // namespace

bool ControlAddress::matches(const Control& control) const {
    if (action && control.actionName() != *action) return false;
    if (identifier && control.identifier() != *identifier) return false;
    if (title && control.title() != *title) return false;
    if (placeholder && placeholderOf(control) != *placeholder) return false;
    if (label && control.accessibilityLabel() != *label) return false;
    return true;
}

ControlAddress ControlAddress::fromJSON(const nlohmann::json& value) {
    if (!value.is_object()) throw std::invalid_argument("a control must be a JSON object");
    for (const auto& [name, member] : value.items()) {
        if (name != "action" && name != "identifier" && name != "title" && name != "placeholder" && name != "label" &&
            name != "index") {
            throw std::invalid_argument("unknown control member \"" + name + "\"");
        }
    }
    ControlAddress address;
    address.action = textMember(value, "action");
    address.identifier = textMember(value, "identifier");
    address.title = textMember(value, "title");
    address.placeholder = textMember(value, "placeholder");
    address.label = textMember(value, "label");
    if (const auto found = value.find("index"); found != value.end()) {
        if (!found->is_number_unsigned()) throw std::invalid_argument("control member \"index\" must be a whole number from 0");
        address.index = found->get<std::size_t>();
    }
    return address;
}

nlohmann::json ControlAddress::toJSON() const {
    auto value = nlohmann::json::object();
    if (action) value["action"] = *action;
    if (identifier) value["identifier"] = *identifier;
    if (title) value["title"] = *title;
    if (placeholder) value["placeholder"] = *placeholder;
    if (label) value["label"] = *label;
    if (index != 0) value["index"] = index;
    return value;
}

} // namespace tessaril::appkit
