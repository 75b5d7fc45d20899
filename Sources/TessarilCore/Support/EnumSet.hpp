#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "TessarilCore/Support/EnumCases.hpp"

namespace tessaril {

// A set of the cases of a small enumeration, held as a bit mask: cheap to copy, compare and hash on
// the key path. Iteration visits members in declaration order.
template <DescribedEnum E> class EnumSet {
public:
    static_assert(EnumCases<E>::cases.size() <= 32, "EnumSet holds at most 32 cases");

    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> members) {
        for (E member : members) insert(member);
    }

    static constexpr EnumSet all() {
        EnumSet result;
        for (E member : allCases<E>()) result.insert(member);
        return result;
    }

    constexpr void insert(E member) { bits_ |= bit(member); }
    constexpr void erase(E member) { bits_ &= ~bit(member); }
    constexpr bool contains(E member) const { return (bits_ & bit(member)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr std::size_t size() const { return static_cast<std::size_t>(std::popcount(bits_)); }
    constexpr std::uint32_t bits() const { return bits_; }

    constexpr EnumSet intersection(EnumSet other) const { return fromBits(bits_ & other.bits_); }
    constexpr EnumSet unionWith(EnumSet other) const { return fromBits(bits_ | other.bits_); }
    constexpr bool isSubset(EnumSet other) const { return (bits_ & ~other.bits_) == 0; }

    template <class Visitor> constexpr void forEach(Visitor&& visit) const {
        for (E member : allCases<E>()) {
            if (contains(member)) visit(member);
        }
    }

    friend constexpr bool operator==(EnumSet, EnumSet) = default;

private:
    static constexpr std::uint32_t bit(E member) { return std::uint32_t{1} << caseIndex(member); }
    static constexpr EnumSet fromBits(std::uint32_t bits) {
        EnumSet result;
        result.bits_ = bits;
        return result;
    }

    std::uint32_t bits_ = 0;
};

} // namespace tessaril

template <tessaril::DescribedEnum E> struct std::hash<tessaril::EnumSet<E>> {
    std::size_t operator()(tessaril::EnumSet<E> set) const noexcept { return std::hash<std::uint32_t>{}(set.bits()); }
};
