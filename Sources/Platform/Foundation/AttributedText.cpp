#include "Platform/Foundation/AttributedText.hpp"

#include <algorithm>
#include <stdexcept>

#include "TessarilCore/Support/Unicode.hpp"

namespace tessaril::platform {
namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

bool AttributedText::splitsSurrogatePair(std::u16string_view before, std::u16string_view after) {
    return !before.empty() && !after.empty() && isHighSurrogate(before.back()) &&
           isLowSurrogate(after.front());
}

AttributedText::AttributedText(std::u16string string, const TextAttributes& attributes) : string_(std::move(string)) {
    if (!string_.empty()) runs_.push_back({{0, string_.size()}, attributes});
}

AttributedText AttributedText::fromUTF8(std::string_view text, const TextAttributes& attributes) {
    return AttributedText(unicode::toUTF16(text), attributes);
}

std::string AttributedText::utf8String() const { return unicode::fromUTF16(string_); }

void AttributedText::checkRange(TextRange range) const {
    if (range.location > string_.size() || range.length > string_.size() - range.location) {
        throw std::out_of_range("range {" + std::to_string(range.location) + ", " + std::to_string(range.length) +
                                "} out of bounds; length " + std::to_string(string_.size()));
    }
}

std::size_t AttributedText::runIndex(std::size_t position) const {
    const auto after = std::upper_bound(runs_.begin(), runs_.end(), position,
                                        [](std::size_t value, const Run& run) { return value < run.range.location; });
    return static_cast<std::size_t>(after - runs_.begin()) - 1;
}

const TextAttributes& AttributedText::attributes(std::size_t index, TextRange* effectiveRange) const {
    if (index >= string_.size()) {
        throw std::out_of_range("index " + std::to_string(index) + " out of bounds; length " +
                                std::to_string(string_.size()));
    }
    const Run& run = runs_[runIndex(index)];
    if (effectiveRange) *effectiveRange = run.range;
    return run.attributes;
}

std::vector<AttributedText::Run> AttributedText::runs(TextRange range) const {
    checkRange(range);
    std::vector<Run> result;
    if (range.length == 0) return result;
    for (std::size_t index = runIndex(range.location); index < runs_.size(); ++index) {
        const Run& run = runs_[index];
        if (run.range.location >= range.end()) break;
        const std::size_t start = std::max(run.range.location, range.location);
        const std::size_t end = std::min(run.range.end(), range.end());
        result.push_back({{start, end - start}, run.attributes});
    }
    return result;
}

bool AttributedText::isParagraphSeparator(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == u'\u2029' || unit == u'\u0085';
}

TextRange AttributedText::paragraphRange(TextRange range) const {
    checkRange(range);
    const std::size_t size = string_.size();
    // The LF of a CRLF belongs to the line end that its CR starts.
    std::size_t start = range.location;
    if (start > 0 && start < size && string_[start] == u'\n' && string_[start - 1] == u'\r') --start;
    while (start > 0 && !isParagraphSeparator(string_[start - 1])) --start;

    std::size_t last = range.length > 0 ? range.end() - 1 : range.location;
    if (last >= size) return {start, size - start};
    while (last < size && !isParagraphSeparator(string_[last])) ++last;
    std::size_t end = last;
    if (end < size) end += (string_[end] == u'\r' && end + 1 < size && string_[end + 1] == u'\n') ? 2 : 1;
    return {start, end - start};
}

AttributedText AttributedText::substring(TextRange range) const {
    AttributedText result;
    for (const Run& run : runs(range)) {
        result.append(std::u16string_view(string_).substr(run.range.location, run.range.length), run.attributes);
    }
    return result;
}

void AttributedText::append(std::u16string_view text, const TextAttributes& attributes) {
    append(text, TextAttributes(attributes));
}

void AttributedText::append(std::u16string_view text, TextAttributes&& attributes) {
    if (!runs_.empty() && splitsSurrogatePair(string_, text)) {
        // The low half of a pair goes with its high half, so that no run boundary cuts a character.
        string_.push_back(text.front());
        ++runs_.back().range.length;
        text.remove_prefix(1);
    }
    if (text.empty()) return;
    const std::size_t start = string_.size();
    string_.append(text);
    if (!runs_.empty() && runs_.back().attributes == attributes) {
        runs_.back().range.length += text.size();
    } else {
        runs_.push_back({{start, text.size()}, std::move(attributes)});
    }
}

void AttributedText::append(const AttributedText& other) {
    for (const Run& run : other.runs_) {
        append(std::u16string_view(other.string_).substr(run.range.location, run.range.length), run.attributes);
    }
}

std::size_t AttributedText::splitAt(std::size_t position) {
    if (position >= string_.size()) return runs_.size();
    const std::size_t index = runIndex(position);
    Run& run = runs_[index];
    if (run.range.location == position) return index;
    Run tail{{position, run.range.end() - position}, run.attributes};
    run.range.length = position - run.range.location;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(tail));
    return index + 1;
}

void AttributedText::mergeRuns(std::size_t first, std::size_t last) {
    if (runs_.empty()) return;
    last = std::min(last, runs_.size() - 1);
    if (first >= last) return;
    std::size_t kept = first;
    for (std::size_t index = first + 1; index <= last; ++index) {
        if (runs_[index].attributes == runs_[kept].attributes) {
            runs_[kept].range.length += runs_[index].range.length;
        } else if (++kept != index) {
            runs_[kept] = std::move(runs_[index]);
        }
    }
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(kept) + 1,
                runs_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

void AttributedText::replaceCharacters(TextRange range, std::u16string_view text) {
    checkRange(range);
    TextAttributes attributes;
    if (range.length > 0) {
        attributes = this->attributes(range.location);
    } else if (range.location > 0) {
        attributes = this->attributes(range.location - 1);
    } else if (!string_.empty()) {
        attributes = this->attributes(0);
    }
    replaceCharacters(range, AttributedText(std::u16string(text), attributes));
}

void AttributedText::replaceCharacters(TextRange range, const AttributedText& replacement) {
    checkRange(range);
    const std::size_t first = splitAt(range.location);
    const std::size_t afterRemoved = splitAt(range.end());
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                runs_.begin() + static_cast<std::ptrdiff_t>(afterRemoved));
    string_.replace(range.location, range.length, replacement.string_);

    std::vector<Run> inserted = replacement.runs_;
    for (Run& run : inserted) run.range.location += range.location;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first), inserted.begin(), inserted.end());
    const std::size_t following = first + inserted.size();
    for (std::size_t index = following; index < runs_.size(); ++index) {
        runs_[index].range.location = runs_[index].range.location - range.length + replacement.length();
    }
    mergeRuns(first == 0 ? 0 : first - 1, following);
}

void AttributedText::updateAttributes(TextRange range, const std::function<void(TextAttributes&)>& change) {
    checkRange(range);
    if (range.length == 0) return;
    // A range that ends inside a surrogate pair takes in the whole pair at either end.
    const std::u16string_view string = string_;
    if (splitsSurrogatePair(string.substr(0, range.location), string.substr(range.location))) {
        --range.location;
        ++range.length;
    }
    if (splitsSurrogatePair(string.substr(0, range.end()), string.substr(range.end()))) ++range.length;
    const std::size_t first = splitAt(range.location);
    const std::size_t end = splitAt(range.end());
    for (std::size_t index = first; index < end; ++index) change(runs_[index].attributes);
    mergeRuns(first == 0 ? 0 : first - 1, end);
}

void AttributedText::setAttributes(const TextAttributes& attributes, TextRange range) {
    updateAttributes(range, [&](TextAttributes& current) { current = attributes; });
}

void AttributedText::addAttributes(const TextAttributes& attributes, TextRange range) {
    updateAttributes(range, [&](TextAttributes& current) { current.add(attributes); });
}

void AttributedText::removeAttribute(TextAttributes::Key key, TextRange range) {
    updateAttributes(range, [&](TextAttributes& current) { current.remove(key); });
}

} // namespace tessaril::platform
