#pragma once

#include <functional>
#include <string>

namespace tessaril::appkit {

class Control;

// What a control sends when the user acts on it: the selector name as the target-action mechanism
// spells it ("toggleTextToolEnabled:", "toggleLeftCommandSwitch"), which tests and the replay tool use
// to find the control, and the code that runs with the control as sender.
struct Action {
    std::string selector;
    std::function<void(Control& sender)> perform;
};

} // namespace tessaril::appkit
