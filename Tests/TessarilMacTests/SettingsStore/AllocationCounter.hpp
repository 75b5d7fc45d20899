#pragma once

#include <cstddef>
#include <functional>

namespace tessaril::test_support {

// Counts the bytes that the test process holds through operator new (every allocation of the standard
// containers and of the JSON library), so that a test can bound the memory one call needs without
// timing anything. Replaces the global operator new and delete of the test executable. Counts on any
// thread; measure on one.
class AllocationCounter {
public:
    // The most bytes held at once while `call` ran, beyond what was held when it began.
    static std::size_t peakBytesDuring(const std::function<void()>& call);
};

} // namespace tessaril::test_support
