#pragma once

#include <functional>
#include <string>

#include <QTimer>

namespace tessaril::monkey {

// Notices a step that waits for a person: a dialog that runs its own event loop (a modal dialog that
// is not stood in). The monkey never runs an event loop of its own, so a loop running at all means a
// dialog is waiting; the watch then reports it and rejects the dialog, so the run fails instead of
// hanging. Main thread only.
class PersonWaitWatch {
public:
    using Report = std::function<void(const std::string& what)>;

    explicit PersonWaitWatch(Report report);

private:
    void check();

    Report report_;
    QTimer timer_;
};

} // namespace tessaril::monkey
