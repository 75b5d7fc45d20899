#include "TessarilMac/RichText/FixedPhraseLinkTarget.hpp"

#include <array>
#include <string>

namespace tessaril {

bool fixedPhraseLinkTargetIsAllowed(std::string_view target) {
    // The scheme is whatever comes before the first ":" that precedes any "/", "?" or "#"; without
    // such a colon the target is relative (or a fragment) and stays within the document's own origin.
    std::string scheme;
    for (char character : target) {
        auto byte = static_cast<unsigned char>(character);
        if (byte <= 0x20 || byte == 0x7F) continue;
        if (character == '/' || character == '?' || character == '#') return true;
        if (character == ':') {
            static constexpr std::array<std::string_view, 4> allowed{"http", "https", "mailto", "tel"};
            for (auto name : allowed) {
                if (scheme == name) return true;
            }
            return false;
        }
        // Longer than any allowed scheme: keep scanning for the colon but stop collecting.
        if (scheme.size() <= 6)
            scheme += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
    }
    return true;
}

} // namespace tessaril
