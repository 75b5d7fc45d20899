#include "TessarilCore/Support/DecodedSizeLimit.hpp"

namespace tessaril::coding {
namespace {

thread_local DecodedSizeLimit* innermostLimit = nullptr;

} // namespace

DecodedSizeLimit::DecodedSizeLimit(std::int64_t maximumBytes) : maximumBytes_(maximumBytes), previous_(innermostLimit) {
    innermostLimit = this;
}

DecodedSizeLimit::~DecodedSizeLimit() { innermostLimit = previous_; }

DecodedSizeLimit* DecodedSizeLimit::active() noexcept { return innermostLimit; }

void DecodedSizeLimit::settle(std::int64_t before, std::int64_t bytes) {
    weighed_ = before + bytes;
    if (weighed_ > maximumBytes_) throw DecodedSizeExceeded(maximumBytes_);
}

DecodedSizeExceeded::DecodedSizeExceeded(std::int64_t maximumBytes)
    : maximumBytes_(maximumBytes),
      message_("The decoded value weighs more than " + std::to_string(maximumBytes) + " bytes.") {}

} // namespace tessaril::coding
