#include "Platform/TextInputSources/SelectedSourceChangeBroadcast.hpp"

namespace tessaril::platform {

std::size_t broadcastSelectedSourceChanges(InputSourceService& inputSources, DistributedNotificationCenter& center) {
    return inputSources.addSelectedSourceChangedObserver(
        [&center] { center.post(InputSourceService::selectedKeyboardInputSourceChangedNotification); });
}

} // namespace tessaril::platform
