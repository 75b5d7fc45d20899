#include "TessarilMacTests/SettingsStore/AllocationCounter.hpp"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace tessaril::test_support {
namespace {

std::atomic<std::size_t> heldBytes{0};
std::atomic<std::size_t> peakBytes{0};

void* counted(void* pointer) {
    if (pointer == nullptr) throw std::bad_alloc();
    const std::size_t size = ::malloc_usable_size(pointer);
    const std::size_t held = heldBytes.fetch_add(size) + size;
    std::size_t peak = peakBytes.load();
    while (held > peak && !peakBytes.compare_exchange_weak(peak, held)) {
    }
    return pointer;
}

void* allocateCounted(std::size_t size) { return counted(std::malloc(size == 0 ? 1 : size)); }

void* allocateCountedAligned(std::size_t size, std::align_val_t alignment) {
    void* pointer = nullptr;
    const auto bytes = static_cast<std::size_t>(alignment);
    if (::posix_memalign(&pointer, bytes < sizeof(void*) ? sizeof(void*) : bytes, size == 0 ? 1 : size) != 0) {
        pointer = nullptr;
    }
    return counted(pointer);
}

void releaseCounted(void* pointer) noexcept {
    if (pointer == nullptr) return;
    heldBytes.fetch_sub(::malloc_usable_size(pointer));
    std::free(pointer);
}

} // namespace

std::size_t AllocationCounter::peakBytesDuring(const std::function<void()>& call) {
    const std::size_t before = heldBytes.load();
    peakBytes.store(before);
    call();
    return peakBytes.load() - before;
}

} // namespace tessaril::test_support

using tessaril::test_support::allocateCounted;
using tessaril::test_support::allocateCountedAligned;
using tessaril::test_support::releaseCounted;

void* operator new(std::size_t size) { return allocateCounted(size); }
void* operator new[](std::size_t size) { return allocateCounted(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateCountedAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateCountedAligned(size, alignment); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return allocateCounted(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    try {
        return allocateCountedAligned(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t& tag) noexcept {
    return operator new(size, alignment, tag);
}

void operator delete(void* pointer) noexcept { releaseCounted(pointer); }
void operator delete[](void* pointer) noexcept { releaseCounted(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { releaseCounted(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { releaseCounted(pointer); }
void operator delete(void* pointer, std::align_val_t) noexcept { releaseCounted(pointer); }
void operator delete[](void* pointer, std::align_val_t) noexcept { releaseCounted(pointer); }
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept { releaseCounted(pointer); }
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept { releaseCounted(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { releaseCounted(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { releaseCounted(pointer); }
void operator delete(void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { releaseCounted(pointer); }
void operator delete[](void* pointer, std::align_val_t, const std::nothrow_t&) noexcept { releaseCounted(pointer); }
