#pragma once

#include <string>

namespace tessaril {

namespace appkit {
class StackView;
}

class FixedPhraseEditorActions;

// The toolbars over a rule's body editor, for the fixed-phrase page to place. Every control carries
// the rule id in its identifier (with "|" and its key for buttons and colour wells) and runs the
// matching action of `actions`, which must outlive the toolbar. Main thread only.

// Two rows: paragraph, font and size menus, the four style buttons, the text and background colour
// wells and the link button; then the list and alignment buttons and "書式クリア".
appkit::StackView* makeFixedPhraseRichToolbar(const std::string& ruleID, bool isEditable,
                                              FixedPhraseEditorActions& actions);

// "段落" and the markup menu of the plain editor. `isMarkupEnabled` (the preview mode is not raw)
// changes only the tool tip.
appkit::StackView* makeFixedPhrasePlainMarkupToolbar(const std::string& ruleID, bool isEditable, bool isMarkupEnabled,
                                                     FixedPhraseEditorActions& actions);

} // namespace tessaril
