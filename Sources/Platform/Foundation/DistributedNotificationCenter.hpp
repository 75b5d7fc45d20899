#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tessaril::platform {

// The session-wide notification centre that carries named notifications between processes (the
// selected-input-source change). Observers are delivered immediately, on the posting thread, in the
// order they were added; every post is recorded. Any thread; one lock, never held while an observer runs.
class DistributedNotificationCenter {
public:
    using Observer = std::function<void()>;

    std::size_t addObserver(std::string name, Observer observer);
    void removeObserver(std::size_t token);
    void post(std::string_view name);

    std::vector<std::string> postedNames() const;

private:
    struct Registration {
        std::string name;
        std::shared_ptr<const Observer> observer;
    };

    mutable std::mutex mutex_;
    std::map<std::size_t, Registration> observers_;
    std::size_t nextToken_ = 1;
    std::vector<std::string> posted_;
};

} // namespace tessaril::platform
