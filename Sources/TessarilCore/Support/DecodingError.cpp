#include "TessarilCore/Support/DecodingError.hpp"

#include <utility>

namespace tessaril {

DecodingError::DecodingError(Kind kind, std::string message, std::vector<std::string> codingPath)
    : kind_(kind), message_(std::move(message)), codingPath_(std::move(codingPath)) {}

std::string DecodingError::codingPathText() const {
    std::string text;
    for (const auto& component : codingPath_) {
        if (!component.empty() && component.front() == '[') {
            text += component;
        } else {
            if (!text.empty()) text += '.';
            text += component;
        }
    }
    return text;
}

void DecodingError::prependPathComponent(std::string component) {
    codingPath_.insert(codingPath_.begin(), std::move(component));
}

std::string DecodingError::description() const {
    if (codingPath_.empty()) return message_;
    return message_ + " (at " + codingPathText() + ")";
}

DecodingError DecodingError::typeMismatch(std::string_view expectedType, std::string_view foundDescription) {
    return DecodingError(Kind::typeMismatch, "Expected to decode " + std::string(expectedType) + " but found " +
                                                 std::string(foundDescription) + " instead.");
}

DecodingError DecodingError::keyNotFound(std::string_view key) {
    return DecodingError(Kind::keyNotFound, "No value associated with key \"" + std::string(key) + "\".");
}

DecodingError DecodingError::dataCorrupted(std::string message) {
    return DecodingError(Kind::dataCorrupted, std::move(message));
}

DecodingError DecodingError::invalidNumberOfCaseKeys() {
    return DecodingError(Kind::typeMismatch, "Invalid number of keys found, expected one.");
}

} // namespace tessaril
