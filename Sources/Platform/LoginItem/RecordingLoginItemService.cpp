#include "Platform/LoginItem/RecordingLoginItemService.hpp"

#include "Platform/LoginItem/LoginItemError.hpp"

namespace tessaril::platform {

void RecordingLoginItemService::registerItem() {
    calls_.emplace_back("register");
    fail();
    status_ = LoginItemStatus::enabled;
}

void RecordingLoginItemService::unregisterItem() {
    calls_.emplace_back("unregister");
    fail();
    status_ = LoginItemStatus::notRegistered;
}

void RecordingLoginItemService::fail() {
    if (failure_) throw LoginItemError(*failure_);
}

} // namespace tessaril::platform
