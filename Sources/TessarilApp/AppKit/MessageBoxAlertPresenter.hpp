#pragma once

#include <QPointer>
#include <QWidget>

#include "TessarilApp/AppKit/AlertPresenter.hpp"

namespace tessaril::appkit {

// Alerts as modal message boxes over the application's active window.
class MessageBoxAlertPresenter final : public AlertPresenter {
public:
    std::size_t runModal(const Alert& alert) override;
};

} // namespace tessaril::appkit
