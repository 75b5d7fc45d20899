#pragma once

#include <string>

namespace tessaril {

class AppDelegate;

// The kinds of modal alert the settings window's pages run, each after bringing the application to
// the front. Main thread only.

// Bad input: a short message ("保存できません"), the allowed input as informative text, and "OK".
void showInvalidInputAlert(AppDelegate& delegate, const std::string& message, const std::string& informative);

// A notice that asks nothing and warns of nothing: the message, the informative text and "OK".
void showInformationAlert(AppDelegate& delegate, const std::string& message, const std::string& informative);

// Which button of a confirmation Return presses.
enum class ConfirmationDefault { confirm, cancel };

// A warning whose first button (`confirmTitle`) goes ahead and whose second is "キャンセル"; true
// exactly when the first was pressed.
bool confirmInAlert(AppDelegate& delegate, const std::string& message, const std::string& informative,
                    const std::string& confirmTitle, ConfirmationDefault defaultButton = ConfirmationDefault::confirm);

} // namespace tessaril
