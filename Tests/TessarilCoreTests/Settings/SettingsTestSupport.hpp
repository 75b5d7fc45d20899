#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "TessarilCore/Settings/TessarilSettings.hpp"

namespace tessaril::testing {

// A document in which every field differs from its default, "activeCustomPresetID" is set and every
// kind of settings set holds a set with targets.
TessarilSettings documentWithEveryField();

// Rule-engine settings that differ from the defaults in a way the tests can recognise.
RuleEngineSettings distinctRuleEngineSettings(std::int64_t leftDelayMilliseconds);

// Decoding `json` as T fails with exactly this description (message and coding path), and this kind
// when one is given.
template <class T>
void expectDecodingFailure(const std::string& json, const std::string& description,
                           std::optional<DecodingError::Kind> kind = std::nullopt) {
    SCOPED_TRACE(json);
    try {
        coding::decode<T>(Json::parse(json));
        ADD_FAILURE() << "decoded";
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.description(), description);
        if (kind) {
            EXPECT_EQ(error.kind(), *kind);
        }
    }
}

} // namespace tessaril::testing
