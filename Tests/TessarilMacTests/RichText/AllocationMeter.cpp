#include "TessarilMacTests/RichText/AllocationMeter.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front, so that a delete without a size still counts what it frees.
constexpr std::size_t header = alignof(std::max_align_t);

std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> start{0};
std::atomic<std::size_t> limit{0}; // 0: no meter running
std::atomic<std::size_t> total{0};

void* allocate(std::size_t size) noexcept {
    const std::size_t now = live.fetch_add(size, std::memory_order_relaxed) + size;
    const std::size_t cap = limit.load(std::memory_order_relaxed);
    if (cap != 0) {
        const std::size_t base = start.load(std::memory_order_relaxed);
        if (now > base && now - base > cap) {
            live.fetch_sub(size, std::memory_order_relaxed);
            return nullptr;
        }
        total.fetch_add(size, std::memory_order_relaxed);
        std::size_t seen = peak.load(std::memory_order_relaxed);
        while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
        }
    }
    auto* block = static_cast<unsigned char*>(std::malloc(size + header));
    if (!block) {
        live.fetch_sub(size, std::memory_order_relaxed);
        return nullptr;
    }
    *reinterpret_cast<std::size_t*>(block) = size;
    return block + header;
}

void release(void* pointer) noexcept {
    if (!pointer) return;
    auto* block = static_cast<unsigned char*>(pointer) - header;
    live.fetch_sub(*reinterpret_cast<std::size_t*>(block), std::memory_order_relaxed);
    std::free(block);
}

void* allocateOrThrow(std::size_t size) {
    if (void* pointer = allocate(size)) return pointer;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* pointer) noexcept { release(pointer); }
void operator delete[](void* pointer) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { release(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { release(pointer); }

namespace tessaril::rich_text_test {

AllocationMeter::AllocationMeter(std::size_t limitBytes) {
    const std::size_t now = live.load();
    start = now;
    peak = now;
    total = 0;
    limit = limitBytes == 0 ? 1 : limitBytes;
}

AllocationMeter::~AllocationMeter() { limit = 0; }

std::size_t AllocationMeter::peakBytes() const { return peak.load() - start.load(); }

std::size_t AllocationMeter::totalBytes() const { return total.load(); }

} // namespace tessaril::rich_text_test
