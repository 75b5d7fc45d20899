#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TessarilCore/Support/JSONCoding.hpp"

namespace tessaril::test_support {

// The error decoding `json` as T throws; a test failure when it decodes.
template <class T> DecodingError decodingFailure(const Json& json) {
    try {
        coding::decode<T>(json);
    } catch (const DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoded without error: " << json.dump();
    return DecodingError(DecodingError::Kind::dataCorrupted, "");
}

struct ExpectedDecodingFailure {
    Json json;
    DecodingError::Kind kind;
    std::string message;
    std::string path;
};

// Each input fails to decode as T with exactly that kind, message and coding path.
template <class T> void expectDecodingFailures(const std::vector<ExpectedDecodingFailure>& cases) {
    for (const auto& expected : cases) {
        auto error = decodingFailure<T>(expected.json);
        EXPECT_EQ(error.kind(), expected.kind) << expected.json.dump();
        EXPECT_EQ(error.message(), expected.message) << expected.json.dump();
        EXPECT_EQ(error.codingPathText(), expected.path) << expected.json.dump();
    }
}

} // namespace tessaril::test_support
