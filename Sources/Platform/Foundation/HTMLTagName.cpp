#include "Platform/Foundation/HTMLTagName.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace tessaril::platform {
namespace {

// Sorted by name for a binary search.
constexpr std::array<std::pair<std::string_view, HTMLTagName>, htmlTagNameCount - 1> names{{
    {"a", HTMLTagName::a}, {"address", HTMLTagName::address}, {"article", HTMLTagName::article},
    {"aside", HTMLTagName::aside}, {"b", HTMLTagName::b}, {"blockquote", HTMLTagName::blockquote},
    {"body", HTMLTagName::body}, {"br", HTMLTagName::br}, {"caption", HTMLTagName::caption},
    {"center", HTMLTagName::center}, {"code", HTMLTagName::code}, {"dd", HTMLTagName::dd},
    {"del", HTMLTagName::del}, {"details", HTMLTagName::details}, {"dialog", HTMLTagName::dialog},
    {"dir", HTMLTagName::dir}, {"div", HTMLTagName::div}, {"dl", HTMLTagName::dl}, {"dt", HTMLTagName::dt},
    {"em", HTMLTagName::em}, {"fieldset", HTMLTagName::fieldset}, {"figcaption", HTMLTagName::figcaption},
    {"figure", HTMLTagName::figure}, {"footer", HTMLTagName::footer}, {"form", HTMLTagName::form},
    {"h1", HTMLTagName::h1}, {"h2", HTMLTagName::h2}, {"h3", HTMLTagName::h3}, {"h4", HTMLTagName::h4},
    {"h5", HTMLTagName::h5}, {"h6", HTMLTagName::h6}, {"head", HTMLTagName::head},
    {"header", HTMLTagName::header}, {"hgroup", HTMLTagName::hgroup}, {"hr", HTMLTagName::hr},
    {"i", HTMLTagName::i}, {"legend", HTMLTagName::legend}, {"li", HTMLTagName::li},
    {"main", HTMLTagName::main}, {"menu", HTMLTagName::menu}, {"nav", HTMLTagName::nav},
    {"ol", HTMLTagName::ol}, {"p", HTMLTagName::p}, {"pre", HTMLTagName::pre}, {"s", HTMLTagName::s},
    {"script", HTMLTagName::script}, {"search", HTMLTagName::search}, {"section", HTMLTagName::section},
    {"span", HTMLTagName::span}, {"strike", HTMLTagName::strike}, {"strong", HTMLTagName::strong},
    {"style", HTMLTagName::style}, {"summary", HTMLTagName::summary}, {"table", HTMLTagName::table},
    {"td", HTMLTagName::td}, {"th", HTMLTagName::th}, {"title", HTMLTagName::title}, {"tr", HTMLTagName::tr},
    {"u", HTMLTagName::u}, {"ul", HTMLTagName::ul}
}};

} // namespace

HTMLTagName htmlTagName(std::string_view lowercasedName) {
    const auto found = std::lower_bound(names.begin(), names.end(), lowercasedName,
                                        [](const auto& entry, std::string_view name) { return entry.first < name; });
    return found != names.end() && found->first == lowercasedName ? found->second : HTMLTagName::other;
}

bool isBlockElement(HTMLTagName name) {
    switch (name) {
    case HTMLTagName::a:
    case HTMLTagName::b:
    case HTMLTagName::br:
    case HTMLTagName::code:
    case HTMLTagName::del:
    case HTMLTagName::em:
    case HTMLTagName::head:
    case HTMLTagName::i:
    case HTMLTagName::s:
    case HTMLTagName::script:
    case HTMLTagName::span:
    case HTMLTagName::strike:
    case HTMLTagName::strong:
    case HTMLTagName::style:
    case HTMLTagName::title:
    case HTMLTagName::u:
    case HTMLTagName::other: return false;
    default: return true;
    }
}

} // namespace tessaril::platform
