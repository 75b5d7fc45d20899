#include "Platform/Foundation/HTMLReader.hpp"

#include "Platform/Foundation/HTMLParser.hpp"

namespace tessaril::platform {

AttributedText HTMLReader::read(std::string_view html) { return HTMLParser(html).parse(); }

} // namespace tessaril::platform
