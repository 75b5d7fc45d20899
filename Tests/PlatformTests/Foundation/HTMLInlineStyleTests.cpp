#include "Platform/Foundation/HTMLInlineStyle.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace tessaril::platform {
namespace {

TEST(HTMLInlineStyle, ColoursInEveryFormBrowsersWriteAndNoneThatCannotBeSeen) {
    const std::vector<std::pair<std::string, std::optional<Color>>> cases = {
        {"#f00", Color{1, 0, 0, 1}},
        {"#FF000080", Color{1, 0, 0, 128 / 255.0}},
        {"rgb(255, 0, 0)", Color{1, 0, 0, 1}},
        {"rgba(0, 0, 255, 0.5)", Color{0, 0, 1, 0.5}},
        {"rgb(255 0 0)", Color{1, 0, 0, 1}},
        {"rgb(255 0 0 / 0.25)", Color{1, 0, 0, 0.25}},
        {"rgba(0\t0 100% / 50%)", Color{0, 0, 1, 0.5}},
        {"Red", Color{1, 0, 0, 1}},
        {"cornflowerblue", Color{100 / 255.0, 149 / 255.0, 237 / 255.0, 1}},
        {"rebeccapurple", Color{0x66 / 255.0, 0x33 / 255.0, 0x99 / 255.0, 1}},
        {"yellowgreen", Color{0x9A / 255.0, 0xCD / 255.0, 0x32 / 255.0, 1}},
        // Nothing of these shows.
        {"rgba(0, 0, 0, 0)", std::nullopt},
        {"rgb(0 0 0 / 0)", std::nullopt},
        {"rgb(0 0 0 / 0%)", std::nullopt},
        {"transparent", std::nullopt},
        {"#0000", std::nullopt},
        // Not colours.
        {"rgb(0 0 / 0.5)", std::nullopt},
        {"rgb(1 2 3 4)", std::nullopt},
        {"rgb(0, 0, 0 / 0.5)", std::nullopt},
        {"reddish", std::nullopt},
        {"inherit", std::nullopt},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(HTMLInlineStyle::parseColor(value), expected) << value;
    }
}

TEST(HTMLInlineStyle, WeightsFallToTheHundredBelowAndStepRelativeToTheInheritedOne) {
    using Kind = HTMLInlineStyle::Weight::Kind;
    const std::vector<std::pair<HTMLInlineStyle::Weight, FontWeight>> absolute = {
        {{Kind::absolute, 1}, FontWeight::ultraLight}, {{Kind::absolute, 400}, FontWeight::regular},
        {{Kind::absolute, 599}, FontWeight::medium},   {{Kind::absolute, 600}, FontWeight::semibold},
        {{Kind::absolute, 700}, FontWeight::bold},     {{Kind::absolute, 1000}, FontWeight::black},
    };
    for (const auto& [weight, expected] : absolute) {
        EXPECT_EQ(weight.resolved(FontWeight::black), expected) << weight.value;
    }
    const HTMLInlineStyle::Weight bolder{Kind::bolder, 0}, lighter{Kind::lighter, 0};
    EXPECT_EQ(bolder.resolved(FontWeight::light), FontWeight::regular);
    EXPECT_EQ(bolder.resolved(FontWeight::regular), FontWeight::bold);
    EXPECT_EQ(bolder.resolved(FontWeight::semibold), FontWeight::black);
    EXPECT_EQ(lighter.resolved(FontWeight::medium), FontWeight::ultraLight);
    EXPECT_EQ(lighter.resolved(FontWeight::semibold), FontWeight::regular);
    EXPECT_EQ(lighter.resolved(FontWeight::black), FontWeight::bold);
}

} // namespace
} // namespace tessaril::platform
