#pragma once

#include <string>
#include <unordered_set>

#include "Platform/Foundation/SharedString.hpp"

namespace tessaril::platform {

// Hands out one shared storage per distinct value, so that equal attribute values a reader meets in
// different places (two links to one target, two fonts of one family) compare equal without reading
// them. Lives as long as one read; not thread-safe.
class SharedStringPool {
public:
    SharedString intern(std::string text) {
        SharedString candidate(std::move(text));
        return *values_.insert(std::move(candidate)).first;
    }

private:
    std::unordered_set<SharedString> values_;
};

} // namespace tessaril::platform
