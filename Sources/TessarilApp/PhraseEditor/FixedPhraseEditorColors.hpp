#pragma once

#include <QColor>

#include "TessarilApp/PhraseEditor/FixedPhraseEditorAppearance.hpp"

class QTextEdit;
class QWidget;

namespace tessaril {

namespace appkit {
class Control;
}

class AppDelegate;

// The light or dark background of the phrase editor's bodies and previews, and the frame each sits
// in. The appearance is the delegate's for the life of the process and is never saved. Main thread
// only.

struct FixedPhraseEditorColors {
    QColor background;
    // The text without a colour of its own, and the caret.
    QColor text;

    static FixedPhraseEditorColors of(FixedPhraseEditorAppearance appearance);
};

// The view, and the frame around it, take the colours of the delegate's appearance.
void applyFixedPhraseEditorAppearance(AppDelegate& delegate, QTextEdit& view);
// Light becomes dark and anything else light: every header's button is retitled and every editor,
// source editor and preview on screen recoloured; the text itself is untouched.
void toggleFixedPhraseEditorAppearance(AppDelegate& delegate);
// The button's title for an appearance: "Light" or "Dark".
const char* fixedPhraseAppearanceTitle(FixedPhraseEditorAppearance appearance);

// The fixed-size frame a body editor or preview scrolls in: vertical scrolling only, the view's
// background, a 1-point border.
QWidget* makeTextViewScrollContainer(QTextEdit& view, int width, int height);

} // namespace tessaril
