// The markdown converter on arbitrary bytes: it must finish, and its only markup must be the elements
// it generates, with an href only on links and only to a target that is allowed.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "TessarilMac/RichText/FixedPhraseLinkTarget.hpp"
#include "TessarilMac/RichText/FixedPhraseMarkdownHTML.hpp"

namespace {

[[noreturn]] void fail(const char* property, std::string_view output) {
    std::fprintf(stderr, "markdown property broken: %s\noutput: %.*s\n", property,
                 static_cast<int>(output.size()), output.data());
    std::abort();
}

bool isGeneratedTag(std::string_view name) {
    static constexpr std::array<std::string_view, 13> names{
        "p", "br", "h2", "h3", "blockquote", "ul", "ol", "li", "pre", "code", "strong", "em", "a"};
    for (auto each : names) {
        if (each == name) return true;
    }
    return false;
}

void checkMarkup(std::string_view html) {
    constexpr std::string_view anchor = "<a href=\"";
    std::size_t position = 0;
    while ((position = html.find('<', position)) != std::string_view::npos) {
        if (html.substr(position).starts_with(anchor)) {
            std::size_t valueStart = position + anchor.size();
            std::size_t quote = html.find('"', valueStart);
            if (quote == std::string_view::npos || quote + 1 >= html.size() || html[quote + 1] != '>') {
                fail("an href that does not end in \">", html);
            }
            if (!tessaril::fixedPhraseLinkTargetIsAllowed(html.substr(valueStart, quote - valueStart))) {
                fail("a link to a refused target", html);
            }
            // The value may hold emphasis the later inline rules put there; it is checked as markup too.
            position = valueStart;
            continue;
        }
        std::size_t nameStart = position + 1;
        if (nameStart < html.size() && html[nameStart] == '/') ++nameStart;
        std::size_t close = html.find('>', nameStart);
        if (close == std::string_view::npos || !isGeneratedTag(html.substr(nameStart, close - nameStart))) {
            fail("markup the converter does not generate", html);
        }
        position = close;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    checkMarkup(tessaril::fixedPhraseMarkdownHTMLBody(input));
    return 0;
}
