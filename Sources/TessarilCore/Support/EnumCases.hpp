#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace tessaril {

// How an enumeration without payload is written to JSON: its raw value as a string, or an object
// with one member named after the case ({"left":{}}).
enum class EnumJSONForm { rawValueString, caseObject };

// The one place an enumeration's case names live. Specialise with:
//   static constexpr std::string_view typeName = "InputMode";
//   static constexpr EnumJSONForm jsonForm = EnumJSONForm::rawValueString;
//   static constexpr std::array<std::pair<E, std::string_view>, N> cases = {...};  // declaration order
template <class E> struct EnumCases;

template <class E>
concept DescribedEnum = requires {
    EnumCases<E>::cases;
    EnumCases<E>::typeName;
    EnumCases<E>::jsonForm;
};

// The case name (for raw-valued enumerations, the raw value).
template <DescribedEnum E> constexpr std::string_view rawValue(E value) {
    for (const auto& [candidate, name] : EnumCases<E>::cases) {
        if (candidate == value) return name;
    }
    return {};
}

// The case whose name equals `text` exactly (case-sensitive, no trimming), else none.
template <DescribedEnum E> constexpr std::optional<E> enumFromRawValue(std::string_view text) {
    for (const auto& [candidate, name] : EnumCases<E>::cases) {
        if (name == text) return candidate;
    }
    return std::nullopt;
}

// Every case in declaration order.
template <DescribedEnum E> constexpr auto allCases() {
    constexpr auto& table = EnumCases<E>::cases;
    std::array<E, table.size()> result{};
    for (std::size_t index = 0; index < table.size(); ++index) result[index] = table[index].first;
    return result;
}

// Position of the case in declaration order.
template <DescribedEnum E> constexpr std::size_t caseIndex(E value) {
    constexpr auto& table = EnumCases<E>::cases;
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (table[index].first == value) return index;
    }
    return table.size();
}

} // namespace tessaril
