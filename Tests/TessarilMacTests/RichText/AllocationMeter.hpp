#pragma once

#include <cstddef>

namespace tessaril::rich_text_test {

// Measures the memory that operator new hands out in this test executable while the meter lives: the
// peak of live bytes above those live when it started. Past `limitBytes` an allocation throws
// std::bad_alloc, so that work whose memory runs away fails at once instead of exhausting the machine.
// One meter at a time; the work it measures may use threads.
class AllocationMeter {
public:
    explicit AllocationMeter(std::size_t limitBytes);
    ~AllocationMeter();
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;

    std::size_t peakBytes() const;
    // Every byte handed out meanwhile, freed or not: work that copies a value over and over shows here
    // even when it frees each copy at once.
    std::size_t totalBytes() const;
};

} // namespace tessaril::rich_text_test
