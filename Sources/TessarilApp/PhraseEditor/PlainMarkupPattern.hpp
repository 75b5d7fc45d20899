#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "Platform/Foundation/TextRange.hpp"

namespace tessaril {

// A regular expression in the platform's dialect (ICU: "^" and "$" anchor the whole text, "." stops
// at line ends, "\s" is Unicode white space) over UTF-16 text. Compiled once; not thread-safe.
class PlainMarkupPattern {
public:
    explicit PlainMarkupPattern(std::u16string_view source);
    ~PlainMarkupPattern();
    PlainMarkupPattern(PlainMarkupPattern&&) noexcept;
    PlainMarkupPattern& operator=(PlainMarkupPattern&&) noexcept;

    // The first match in the text, if any.
    std::optional<platform::TextRange> firstMatch(std::u16string_view text) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

} // namespace tessaril
