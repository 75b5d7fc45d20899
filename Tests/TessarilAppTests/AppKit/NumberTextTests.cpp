#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "TessarilApp/AppKit/NumberText.hpp"

namespace tessaril::appkit {
namespace {

// Sets a comma-decimal locale for C and C++ for the test's duration when the machine has one.
class CommaLocale {
public:
    CommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        try {
            previousGlobal_ = std::locale::global(std::locale("de_DE.UTF-8"));
        } catch (const std::runtime_error&) {
        }
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, previous_.c_str());
        std::locale::global(previousGlobal_);
    }

private:
    std::string previous_;
    std::locale previousGlobal_ = std::locale::classic();
};

TEST(NumberTextTests, FieldsPrintAndReadAPointWhateverTheLocale) {
    CommaLocale locale;
    EXPECT_EQ(formatFixed(0.25, 2), "0.25");
    EXPECT_EQ(formatFixed(1.5, 2), "1.50");
    EXPECT_EQ(formatFixed(0.0, 2), "0.00");
    EXPECT_EQ(formatFixed(2.0 / 3.0, 2), "0.67");

    const std::vector<std::pair<std::string, std::optional<double>>> cases{
        {" 0.3 ", 0.3}, {"+1.25", 1.25}, {"-1", -1.0}, {"2", 2.0}, {"0,1", std::nullopt}, {"abc", std::nullopt},
        {"", std::nullopt}, {"1e400", std::nullopt}, {"nan", std::nullopt}, {"1.5s", std::nullopt}};
    for (const auto& [text, expected] : cases) EXPECT_EQ(parseFiniteNumber(text), expected) << text;
}

} // namespace
} // namespace tessaril::appkit
