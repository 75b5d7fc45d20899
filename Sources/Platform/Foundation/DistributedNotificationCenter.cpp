#include "Platform/Foundation/DistributedNotificationCenter.hpp"

namespace tessaril::platform {

std::size_t DistributedNotificationCenter::addObserver(std::string name, Observer observer) {
    std::lock_guard lock(mutex_);
    auto token = nextToken_++;
    observers_.emplace(token, Registration{std::move(name), std::make_shared<const Observer>(std::move(observer))});
    return token;
}

void DistributedNotificationCenter::removeObserver(std::size_t token) {
    std::lock_guard lock(mutex_);
    observers_.erase(token);
}

void DistributedNotificationCenter::post(std::string_view name) {
    std::vector<std::shared_ptr<const Observer>> matching;
    {
        std::lock_guard lock(mutex_);
        posted_.emplace_back(name);
        for (const auto& [token, registration] : observers_) {
            if (registration.name == name) matching.push_back(registration.observer);
        }
    }
    for (const auto& observer : matching) (*observer)();
}

std::vector<std::string> DistributedNotificationCenter::postedNames() const {
    std::lock_guard lock(mutex_);
    return posted_;
}

} // namespace tessaril::platform
