#pragma once

#include <functional>
#include <string>

namespace tessaril {

// Makes the identifiers of records the user creates: random version-4 UUIDs in upper case.
// Tests install a deterministic source with `ScopedOverride`.
class UUIDGenerator {
public:
    using Source = std::function<std::string()>;

    static std::string next();
    static std::string random();

    // Replaces the source process-wide while it lives.
    class ScopedOverride {
    public:
        explicit ScopedOverride(Source source);
        ~ScopedOverride();
        ScopedOverride(const ScopedOverride&) = delete;
        ScopedOverride& operator=(const ScopedOverride&) = delete;

    private:
        Source previous_;
    };

    // A source answering "00000000-0000-4000-8000-000000000001", "…0002", … in turn.
    static Source sequential();
};

} // namespace tessaril
