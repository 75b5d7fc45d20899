#pragma once

#include <optional>

#include "TessarilApp/AppKit/PopUpButton.hpp"
#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// What the sender's selected item stands for, read from its represented object as a raw value of
// `Value`: none when the sender is no pop-up, nothing is selected, the item carries no value or the
// value is no case of `Value`. Main thread only.
template <class Value> std::optional<Value> selectedRawValue(const appkit::Control& sender) {
    const auto* popup = dynamic_cast<const appkit::PopUpButton*>(&sender);
    if (!popup) return std::nullopt;
    const auto value = popup->representedObjectOfSelectedItem();
    if (!value) return std::nullopt;
    return enumFromRawValue<Value>(*value);
}

} // namespace tessaril
