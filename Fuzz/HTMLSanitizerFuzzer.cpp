// The sanitiser on arbitrary bytes: it must finish, leave no tag outside its allowed list and no
// attribute, and change nothing when run again on its own output.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "TessarilMac/RichText/FixedPhraseHTMLSanitizer.hpp"

namespace {

[[noreturn]] void fail(const char* property, std::string_view output) {
    std::fprintf(stderr, "sanitiser property broken: %s\noutput: %.*s\n", property,
                 static_cast<int>(output.size()), output.data());
    std::abort();
}

// Every "<" in the output opens "<name>" or "</name>" with an allowed name and nothing else.
void checkOnlyBareAllowedTags(std::string_view output) {
    for (std::size_t open = output.find('<'); open != std::string_view::npos;
         open = output.find('<', open + 1)) {
        std::size_t nameStart = open + 1;
        if (nameStart < output.size() && output[nameStart] == '/') ++nameStart;
        std::size_t close = output.find('>', nameStart);
        if (close == std::string_view::npos) fail("a \"<\" without its \">\"", output);
        std::string_view name = output.substr(nameStart, close - nameStart);
        if (!tessaril::FixedPhraseHTMLSanitizer::allowedTags().contains(name))
            fail("a tag that is not bare and allowed", output);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string output = tessaril::FixedPhraseHTMLSanitizer::sanitize(input);
    checkOnlyBareAllowedTags(output);
    if (tessaril::FixedPhraseHTMLSanitizer::sanitize(output) != output)
        fail("sanitising again changed the output", output);
    return 0;
}
