#pragma once

// Readable values in GoogleTest's failure messages for the system's own types, from what each type
// already has: an error prints its type name and description, an enumeration its case name (or its
// number when it has no case names), a type with a JSON coding its compact JSON, and any other plain
// record its fields in order. The build includes this header first into every test file: GoogleTest
// settles a type's printer where it first prints one, so every file must see the same printer.

#include <gtest/gtest.h>

#include <concepts>
#include <cstddef>
#include <ostream>
#include <ranges>
#include <type_traits>
#include <utility>

#include "TessarilCore/Support/EnumCases.hpp"
#include "TessarilCore/Support/Error.hpp"
#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril::test_support::printing {

template <class T>
concept JSONCoded = requires(const T& value) {
    { JSONCoding<T>::encode(value) } -> std::same_as<Json>;
};

// A shared value that may be absent, printed as what it holds (or "none").
template <class T>
concept SharedValue = requires(const T& value) {
    { value.get() } -> std::convertible_to<const void*>;
    *value.get();
};

template <class T>
concept Streamable = requires(std::ostream& out, const T& value) { out << value; };

// Stands for any field while counting a record's fields by brace initialisation; never called.
struct AnyField {
    template <class U> operator U&() const&& noexcept;
    template <class U> operator U&&() const&& noexcept;
};
template <std::size_t> using AnyFieldAt = AnyField;

template <class T, std::size_t... Index> constexpr bool initialisableWith(std::index_sequence<Index...>) {
    return requires { T{AnyFieldAt<Index>{}...}; };
}

inline constexpr std::size_t maximumFieldCount = 10;

// The number of fields of an aggregate: the longest brace list that initialises it.
template <class T, std::size_t Count = 0> constexpr std::size_t fieldCount() {
    if constexpr (Count == maximumFieldCount) {
        return Count;
    } else if constexpr (initialisableWith<T>(std::make_index_sequence<Count + 1>{})) {
        return fieldCount<T, Count + 1>();
    } else {
        return Count;
    }
}

template <class T>
concept PlainRecord = std::is_class_v<T> && std::is_aggregate_v<T> && fieldCount<T>() > 0 &&
                      fieldCount<T>() < maximumFieldCount;

// The system's types that GoogleTest would otherwise print as bytes. Containers keep GoogleTest's own
// printing, which prints their elements through this one.
template <class T>
concept Printable = !std::ranges::range<T> && !Streamable<T> &&
                    (std::derived_from<T, Error> || std::is_enum_v<T> || JSONCoded<T> || PlainRecord<T> || SharedValue<T>);

inline void printFields(std::ostream*) {}
template <class First, class... Rest> void printFields(std::ostream* out, const First& first, const Rest&... rest) {
    *out << ::testing::PrintToString(first);
    ((*out << ", " << ::testing::PrintToString(rest)), ...);
}

template <class T> void printRecord(const T& value, std::ostream* out) {
    constexpr std::size_t count = fieldCount<T>();
    *out << '{';
    if constexpr (count == 1) {
        const auto& [a] = value;
        printFields(out, a);
    } else if constexpr (count == 2) {
        const auto& [a, b] = value;
        printFields(out, a, b);
    } else if constexpr (count == 3) {
        const auto& [a, b, c] = value;
        printFields(out, a, b, c);
    } else if constexpr (count == 4) {
        const auto& [a, b, c, d] = value;
        printFields(out, a, b, c, d);
    } else if constexpr (count == 5) {
        const auto& [a, b, c, d, e] = value;
        printFields(out, a, b, c, d, e);
    } else if constexpr (count == 6) {
        const auto& [a, b, c, d, e, f] = value;
        printFields(out, a, b, c, d, e, f);
    } else if constexpr (count == 7) {
        const auto& [a, b, c, d, e, f, g] = value;
        printFields(out, a, b, c, d, e, f, g);
    } else if constexpr (count == 8) {
        const auto& [a, b, c, d, e, f, g, h] = value;
        printFields(out, a, b, c, d, e, f, g, h);
    } else {
        static_assert(count == 9, "a record with more fields needs a longer binding here");
        const auto& [a, b, c, d, e, f, g, h, i] = value;
        printFields(out, a, b, c, d, e, f, g, h, i);
    }
    *out << '}';
}

template <class T> void print(const T& value, std::ostream* out) {
    if constexpr (std::derived_from<T, Error>) {
        *out << value.typeName() << ": " << value.description();
    } else if constexpr (DescribedEnum<T>) {
        *out << rawValue(value);
    } else if constexpr (std::is_enum_v<T>) {
        *out << +static_cast<std::underlying_type_t<T>>(value);
    } else if constexpr (SharedValue<T>) {
        if (const auto* shared = value.get()) {
            *out << ::testing::PrintToString(*shared);
        } else {
            *out << "none";
        }
    } else if constexpr (JSONCoded<T>) {
        // Text that is not UTF-8 is what some tests feed on purpose: it prints replaced, not thrown.
        *out << JSONCoding<T>::encode(value).dump(-1, ' ', false, Json::error_handler_t::replace);
    } else {
        printRecord(value, out);
    }
}

} // namespace tessaril::test_support::printing

namespace tessaril {

// Found by argument-dependent lookup, and preferred to GoogleTest's own unconstrained template.
template <class T>
    requires test_support::printing::Printable<T>
void PrintTo(const T& value, std::ostream* out) {
    test_support::printing::print(value, out);
}

namespace platform {
using tessaril::PrintTo;
} // namespace platform

} // namespace tessaril
