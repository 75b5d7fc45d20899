#pragma once

#include <string>
#include <utility>

#include "TessarilApp/AppKit/Action.hpp"

namespace tessaril {

class AppDelegate;

// The action of a control whose body lives in one of the delegate's window components. The component
// keeps no state, so each click makes one around the delegate and calls the method, with the control
// as sender where the method reads it. Main thread only.
template <class Component>
appkit::Action delegateAction(AppDelegate& delegate, std::string selector, void (Component::*method)(appkit::Control&)) {
    return appkit::Action{std::move(selector),
                          [&delegate, method](appkit::Control& sender) { (Component(delegate).*method)(sender); }};
}

template <class Component>
appkit::Action delegateAction(AppDelegate& delegate, std::string selector, void (Component::*method)()) {
    return appkit::Action{std::move(selector), [&delegate, method](appkit::Control&) { (Component(delegate).*method)(); }};
}

} // namespace tessaril
