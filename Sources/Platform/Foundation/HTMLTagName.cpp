#include "Platform/Foundation/HTMLTagName.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace tessaril::platform {
namespace {

// Sorted by name for a binary search.
constexpr std::array<std::pair<std::string_view, HTMLTagName>, htmlTagNameCount - 1> names{{
    {"a", HTMLTagName::a},         {"b", HTMLTagName::b},           {"blockquote", HTMLTagName::blockquote},
    {"body", HTMLTagName::body},   {"br", HTMLTagName::br},         {"code", HTMLTagName::code},
    {"del", HTMLTagName::del},     {"div", HTMLTagName::div},       {"em", HTMLTagName::em},
    {"h1", HTMLTagName::h1},       {"h2", HTMLTagName::h2},         {"h3", HTMLTagName::h3},
    {"h4", HTMLTagName::h4},       {"head", HTMLTagName::head},     {"hr", HTMLTagName::hr},
    {"i", HTMLTagName::i},         {"li", HTMLTagName::li},         {"ol", HTMLTagName::ol},
    {"p", HTMLTagName::p},         {"pre", HTMLTagName::pre},       {"s", HTMLTagName::s},
    {"script", HTMLTagName::script}, {"span", HTMLTagName::span},   {"strike", HTMLTagName::strike},
    {"strong", HTMLTagName::strong}, {"style", HTMLTagName::style}, {"table", HTMLTagName::table},
    {"td", HTMLTagName::td},       {"th", HTMLTagName::th},         {"title", HTMLTagName::title},
    {"tr", HTMLTagName::tr},       {"u", HTMLTagName::u},           {"ul", HTMLTagName::ul},
}};

} // namespace

HTMLTagName htmlTagName(std::string_view lowercasedName) {
    const auto found = std::lower_bound(names.begin(), names.end(), lowercasedName,
                                        [](const auto& entry, std::string_view name) { return entry.first < name; });
    return found != names.end() && found->first == lowercasedName ? found->second : HTMLTagName::other;
}

bool isBlockElement(HTMLTagName name) {
    switch (name) {
    case HTMLTagName::p:
    case HTMLTagName::div:
    case HTMLTagName::h1:
    case HTMLTagName::h2:
    case HTMLTagName::h3:
    case HTMLTagName::h4:
    case HTMLTagName::blockquote:
    case HTMLTagName::pre:
    case HTMLTagName::ul:
    case HTMLTagName::ol:
    case HTMLTagName::li:
    case HTMLTagName::table:
    case HTMLTagName::tr:
    case HTMLTagName::td:
    case HTMLTagName::th:
    case HTMLTagName::hr:
    case HTMLTagName::body: return true;
    default: return false;
    }
}

} // namespace tessaril::platform
