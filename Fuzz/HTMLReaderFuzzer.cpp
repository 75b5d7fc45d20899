// Any bytes as HTML. Properties: no crash or hang, and a well-formed result whose last paragraph is
// ended, since every block ends with a line end.
#include <cstdint>
#include <string_view>

#include "Platform/Foundation/HTMLReader.hpp"
#include "RichTextProperties.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = tessaril::platform::HTMLReader::read(std::string_view(reinterpret_cast<const char*>(data), size));
    tessaril::fuzz::checkWellFormed(text);
    if (!text.empty() && !tessaril::platform::AttributedText::isParagraphSeparator(text.string().back())) {
        tessaril::fuzz::fail("the text ends with a line end");
    }
    return 0;
}
