#include "TessarilCore/Support/UUIDGenerator.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <random>

namespace tessaril {
namespace {

std::mutex& overrideMutex() {
    static std::mutex mutex;
    return mutex;
}

UUIDGenerator::Source& overrideSource() {
    static UUIDGenerator::Source source;
    return source;
}

} // namespace

std::string UUIDGenerator::random() {
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
    char text[37];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X", bytes[0],
                  bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8], bytes[9], bytes[10],
                  bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return text;
}

std::string UUIDGenerator::next() {
    {
        std::lock_guard lock(overrideMutex());
        if (overrideSource()) return overrideSource()();
    }
    return random();
}

UUIDGenerator::ScopedOverride::ScopedOverride(Source source) {
    std::lock_guard lock(overrideMutex());
    previous_ = std::move(overrideSource());
    overrideSource() = std::move(source);
}

UUIDGenerator::ScopedOverride::~ScopedOverride() {
    std::lock_guard lock(overrideMutex());
    overrideSource() = std::move(previous_);
}

UUIDGenerator::Source UUIDGenerator::sequential() {
    auto counter = std::make_shared<std::uint64_t>(0);
    return [counter] {
        char text[37];
        std::snprintf(text, sizeof text, "00000000-0000-4000-8000-%012llX",
                      static_cast<unsigned long long>(++*counter));
        return std::string(text);
    };
}

} // namespace tessaril
