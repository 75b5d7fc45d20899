#pragma once

#include <functional>
#include <string>

namespace tessaril {

// Makes the identifiers of records the user creates: random version-4 UUIDs in upper case. The
// records mint them in constructors and decoders that take no context, as the platform's UUID() does,
// so the source is reached through this class rather than handed down. Tests install a deterministic
// source with `ScopedOverride` on the thread that makes the records. Any thread.
class UUIDGenerator {
public:
    using Source = std::function<std::string()>;

    // The calling thread's source: the innermost live override, else random().
    static std::string next();
    static std::string random();

    // Replaces the calling thread's source while it lives; other threads keep theirs.
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
