#include "TessarilCore/Support/UUIDGenerator.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <utility>

namespace tessaril {
namespace {

// Per thread, so that no lock is needed and a test's override never leaks into another thread.
thread_local UUIDGenerator::Source overrideSource;

// The 8-4-4-4-12 form of 16 bytes, in upper-case hexadecimal.
std::string formatted(const std::array<std::uint8_t, 16>& bytes) {
    constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        if (index == 4 || index == 6 || index == 8 || index == 10) text += '-';
        text += digits[bytes[index] >> 4];
        text += digits[bytes[index] & 0x0F];
    }
    return text;
}

} // namespace

std::string UUIDGenerator::random() {
    // The one request to the operating system in the core: entropy to seed each thread's engine.
    thread_local std::mt19937_64 engine = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }();
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t index = 0; index < bytes.size(); index += 8) {
        std::uint64_t word = engine();
        for (std::size_t offset = 0; offset < 8; ++offset) {
            bytes[index + offset] = static_cast<std::uint8_t>(word >> (offset * 8));
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    return formatted(bytes);
}

std::string UUIDGenerator::next() { return overrideSource ? overrideSource() : random(); }

UUIDGenerator::ScopedOverride::ScopedOverride(Source source) : previous_(std::move(overrideSource)) {
    overrideSource = std::move(source);
}

UUIDGenerator::ScopedOverride::~ScopedOverride() { overrideSource = std::move(previous_); }

UUIDGenerator::Source UUIDGenerator::sequential() {
    auto counter = std::make_shared<std::uint64_t>(0);
    return [counter] {
        std::array<std::uint8_t, 16> bytes{0, 0, 0, 0, 0, 0, 0x40, 0, 0x80, 0};
        const std::uint64_t value = ++*counter;
        for (std::size_t offset = 0; offset < 6; ++offset) {
            bytes[15 - offset] = static_cast<std::uint8_t>(value >> (offset * 8));
        }
        return formatted(bytes);
    };
}

} // namespace tessaril
