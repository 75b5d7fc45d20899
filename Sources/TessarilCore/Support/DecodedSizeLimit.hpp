#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tessaril::coding {

// Decoding fills out every record with its defaults, so a small input of bare entries can decode into
// a value a hundred times its size. While a DecodedSizeLimit lives, the collection decoders on its
// thread weigh every element they finish by its compact encoding, and stop with DecodedSizeExceeded as
// soon as what has been decoded weighs more than the limit: the work and the memory of a refused input
// stay near the limit. The weight never exceeds the compact encoding of the whole value, which is never
// longer than its pretty-printed form, so an input whose stored form fits is never refused. The
// decoders reach the innermost live limit through this class, as they reach UUIDGenerator. One thread.
class DecodedSizeLimit {
public:
    explicit DecodedSizeLimit(std::int64_t maximumBytes);
    ~DecodedSizeLimit();
    DecodedSizeLimit(const DecodedSizeLimit&) = delete;
    DecodedSizeLimit& operator=(const DecodedSizeLimit&) = delete;

    // The calling thread's innermost live limit, or nullptr.
    static DecodedSizeLimit* active() noexcept;

    std::int64_t maximumBytes() const noexcept { return maximumBytes_; }
    // The weight of everything decoded so far.
    std::int64_t weighed() const noexcept { return weighed_; }
    // Records an element of `bytes` whose decoding began when weighed() was `before`; the elements it
    // holds were weighed while it was decoded, and are part of it. Throws DecodedSizeExceeded.
    void settle(std::int64_t before, std::int64_t bytes);

private:
    std::int64_t maximumBytes_;
    std::int64_t weighed_ = 0;
    DecodedSizeLimit* previous_;
};

class DecodedSizeExceeded final : public std::exception {
public:
    explicit DecodedSizeExceeded(std::int64_t maximumBytes);
    std::int64_t maximumBytes() const noexcept { return maximumBytes_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::int64_t maximumBytes_;
    std::string message_;
};

} // namespace tessaril::coding
