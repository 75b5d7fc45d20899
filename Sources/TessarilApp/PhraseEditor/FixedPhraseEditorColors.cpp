#include "TessarilApp/PhraseEditor/FixedPhraseEditorColors.hpp"

#include <QHBoxLayout>
#include <QTextDocument>
#include <QTextEdit>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace palette = settings_palette;

FixedPhraseEditorColors FixedPhraseEditorColors::of(FixedPhraseEditorAppearance appearance) {
    if (appearance == FixedPhraseEditorAppearance::light) return {palette::white(0.98), palette::white(0.08)};
    return {palette::rgb(0.075, 0.08, 0.086), palette::white(0.96)};
}

const char* fixedPhraseAppearanceTitle(FixedPhraseEditorAppearance appearance) {
    return appearance == FixedPhraseEditorAppearance::light ? "Light" : "Dark";
}

void applyFixedPhraseEditorAppearance(AppDelegate& delegate, QTextEdit& view) {
    const FixedPhraseEditorColors colors = FixedPhraseEditorColors::of(delegate.fixedPhraseEditorAppearance);
    if (auto* phraseView = qobject_cast<TessarilTextView*>(&view)) {
        phraseView->setEditorColors(colors.background, colors.text);
    } else {
        QPalette viewColors = view.palette();
        viewColors.setColor(QPalette::Base, colors.background);
        viewColors.setColor(QPalette::Text, colors.text);
        view.setPalette(viewColors);
    }
    if (auto* frame = qobject_cast<appkit::View*>(view.parentWidget())) frame->setBackgroundColor(colors.background);
}

void toggleFixedPhraseEditorAppearance(AppDelegate& delegate) {
    delegate.fixedPhraseEditorAppearance = delegate.fixedPhraseEditorAppearance == FixedPhraseEditorAppearance::light
                                               ? FixedPhraseEditorAppearance::dark
                                               : FixedPhraseEditorAppearance::light;
    for (const auto& button : delegate.fixedPhraseAppearanceButtons) {
        if (auto* titled = qobject_cast<appkit::Button*>(button.data())) {
            titled->setTitle(fixedPhraseAppearanceTitle(delegate.fixedPhraseEditorAppearance));
        }
    }
    for (auto* views : {&delegate.fixedPhraseTextViews, &delegate.fixedPhraseHTMLTextViews,
                        &delegate.fixedPhrasePreviewTextViews}) {
        for (const auto& [ruleID, view] : *views) {
            if (view) applyFixedPhraseEditorAppearance(delegate, *view);
        }
    }
}

QWidget* makeTextViewScrollContainer(QTextEdit& view, int width, int height) {
    auto* frame = new TessarilView;
    frame->setFixedSize(width, height);
    frame->setLayerStyle({view.palette().color(QPalette::Base), palette::cardBorder(), 1});
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(&view);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view.setLineWrapMode(QTextEdit::WidgetWidth);
    // With the frame's 1-point border this keeps the text 8 points from the sides and 7 from the top.
    view.document()->setDocumentMargin(7);
    return frame;
}

} // namespace tessaril
