#include "TessarilApp/PhraseEditor/PlainMarkupPattern.hpp"

#include <stdexcept>

#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace tessaril {

struct PlainMarkupPattern::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
};

PlainMarkupPattern::PlainMarkupPattern(std::u16string_view source) : compiled_(std::make_unique<Compiled>()) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    const icu::UnicodeString pattern(false, source.data(), static_cast<int32_t>(source.size()));
    compiled_->pattern.reset(icu::RegexPattern::compile(pattern, 0, parseError, status));
    if (U_FAILURE(status)) throw std::invalid_argument("invalid markup pattern");
}

PlainMarkupPattern::~PlainMarkupPattern() = default;
PlainMarkupPattern::PlainMarkupPattern(PlainMarkupPattern&&) noexcept = default;
PlainMarkupPattern& PlainMarkupPattern::operator=(PlainMarkupPattern&&) noexcept = default;

std::optional<platform::TextRange> PlainMarkupPattern::firstMatch(std::u16string_view text) const {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString subject(false, text.data(), static_cast<int32_t>(text.size()));
    std::unique_ptr<icu::RegexMatcher> matcher(compiled_->pattern->matcher(subject, status));
    if (U_FAILURE(status) || !matcher->find(status) || U_FAILURE(status)) return std::nullopt;
    const int32_t start = matcher->start(status);
    const int32_t end = matcher->end(status);
    if (U_FAILURE(status)) return std::nullopt;
    return platform::TextRange{static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)};
}

} // namespace tessaril
