#include <gtest/gtest.h>

#include <clocale>

// The application takes the user's locale at start-up (Qt does so on Linux), and with it the user's
// decimal separator for every C library conversion. The tests run under the same conditions, so that
// a run under a foreign locale shows a number written or read with a comma.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
