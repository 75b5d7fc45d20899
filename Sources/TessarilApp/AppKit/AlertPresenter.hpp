#pragma once

#include <cstddef>

#include "TessarilApp/AppKit/Alert.hpp"

namespace tessaril::appkit {

// Runs alerts modally. The application shows real dialogs; tests and the replay tool answer them
// from a script. Main thread only.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // Brings the application forward, runs the alert and answers the index of the pressed button
    // (0 for the first). An alert without buttons gets the single button "OK".
    virtual std::size_t runModal(const Alert& alert) = 0;
};

} // namespace tessaril::appkit
