#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TessarilCore/Support/Error.hpp"

namespace tessaril {

// A failure to read a value from JSON: what went wrong, where (the coding path from the document's
// root), and the exact message. Decoders throw it; containers add their key to the path on the way out.
class DecodingError : public Error {
public:
    enum class Kind { typeMismatch, valueNotFound, keyNotFound, dataCorrupted };

    DecodingError(Kind kind, std::string message, std::vector<std::string> codingPath = {});

    Kind kind() const { return kind_; }
    const std::string& message() const { return message_; }
    const std::vector<std::string>& codingPath() const { return codingPath_; }
    // The path as text: `settings.rules[2].letter`.
    std::string codingPathText() const;

    void prependPathComponent(std::string component);

    std::string description() const override;
    std::string typeName() const override { return "DecodingError"; }

    static DecodingError typeMismatch(std::string_view expectedType, std::string_view foundDescription);
    static DecodingError keyNotFound(std::string_view key);
    static DecodingError dataCorrupted(std::string message);
    static DecodingError invalidNumberOfCaseKeys();

private:
    Kind kind_;
    std::string message_;
    std::vector<std::string> codingPath_;
};

} // namespace tessaril
