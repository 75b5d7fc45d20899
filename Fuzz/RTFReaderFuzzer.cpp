// Any bytes as RTF, and as the body of an RTF document. Properties: no crash or hang, a well-formed
// result, and reading what the writer makes of a document gives that document again.
#include <cstdint>
#include <string>

#include "Platform/Foundation/RTFReadError.hpp"
#include "Platform/Foundation/RTFReader.hpp"
#include "Platform/Foundation/RTFWriter.hpp"
#include "RichTextProperties.hpp"

namespace {

using tessaril::platform::AttributedText;
using tessaril::platform::RTFReader;
using tessaril::platform::RTFWriter;

void checkRoundTrip(const AttributedText& text) {
    tessaril::fuzz::checkWellFormed(text);
    if (!(RTFReader::read(RTFWriter::write(text)) == text)) tessaril::fuzz::fail("read(write(read(x))) == read(x)");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    try {
        checkRoundTrip(RTFReader::read(input));
    } catch (const tessaril::platform::RTFReadError&) {
        checkRoundTrip(RTFReader::read("{\\rtf1 " + input));
    }
    return 0;
}
