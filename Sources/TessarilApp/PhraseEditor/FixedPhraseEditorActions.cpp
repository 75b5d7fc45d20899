#include "TessarilApp/PhraseEditor/FixedPhraseEditorActions.hpp"

#include <charconv>

#include <QMenu>

#include "TessarilApp/PhraseEditor/FixedPhraseParagraphCommands.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseParagraphStyle.hpp"
#include "TessarilApp/PhraseEditor/FixedPhrasePlainMarkup.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseRichStyle.hpp"
#include "TessarilApp/PhraseEditor/FixedPhraseToolbarItems.hpp"
#include "TessarilApp/PhraseEditor/TessarilTextView.hpp"
#include "TessarilApp/SettingsWindow/TwoPartIdentifier.hpp"

namespace tessaril {

namespace {

std::optional<int> pointSize(const std::optional<std::string>& representedObject) {
    if (!representedObject || representedObject->empty()) return std::nullopt;
    int size = 0;
    const char* end = representedObject->data() + representedObject->size();
    const auto [stop, error] = std::from_chars(representedObject->data(), end, size);
    if (error != std::errc() || stop != end || size <= 0) return std::nullopt;
    return size;
}

std::optional<FixedPhraseParagraphStyle> paragraphStyle(const std::optional<std::string>& representedObject) {
    if (!representedObject) return std::nullopt;
    return enumFromRawValue<FixedPhraseParagraphStyle>(*representedObject);
}

} // namespace

bool FixedPhraseEditorActions::edit(const std::string& ruleID,
                                    const std::function<void(FixedPhraseTextViewState&)>& command) {
    TessarilTextView* view = services_.textView ? services_.textView(ruleID) : nullptr;
    if (!view) return false;
    FixedPhraseTextViewState state = view->textViewState();
    command(state);
    view->applyTextViewState(state);
    view->setFocus(Qt::OtherFocusReason);
    if (services_.updatePreview) services_.updatePreview(ruleID);
    return true;
}

void FixedPhraseEditorActions::applyFixedPhraseRichStyle(std::string_view identifier) {
    const auto parts = splitTwoPartIdentifier(identifier);
    if (!parts || !services_.alerts || !services_.linkPrompt) return;
    // clang 14 cannot capture a structured binding, so the style is named on its own.
    const auto& ruleID = parts->first;
    const auto& style = parts->second;
    edit(ruleID, [&](FixedPhraseTextViewState& state) {
        tessaril::applyFixedPhraseRichStyle(style, state, *services_.alerts, *services_.linkPrompt);
    });
}

void FixedPhraseEditorActions::updateFixedPhraseFontSize(std::string_view identifier,
                                                         const std::optional<std::string>& representedObject) {
    const auto size = pointSize(representedObject);
    if (!size) return;
    edit(std::string(identifier), [&](FixedPhraseTextViewState& state) { applyFixedPhraseFontSize(*size, state); });
}

void FixedPhraseEditorActions::updateFixedPhraseFontFamily(std::string_view identifier,
                                                           const std::optional<std::string>& representedObject) {
    if (!representedObject) return;
    edit(std::string(identifier), [&](FixedPhraseTextViewState& state) {
        applyFixedPhraseFontFamily(*representedObject, state, services_.fontFamilyIsAvailable);
    });
}

void FixedPhraseEditorActions::updateFixedPhraseParagraphStyle(std::string_view identifier,
                                                               const std::optional<std::string>& representedObject) {
    const auto style = paragraphStyle(representedObject);
    if (!style) return;
    edit(std::string(identifier), [&](FixedPhraseTextViewState& state) { applyFixedPhraseParagraphStyle(*style, state); });
}

void FixedPhraseEditorActions::updateFixedPhrasePlainMarkupStyle(std::string_view identifier,
                                                                 const std::optional<std::string>& representedObject) {
    const std::string ruleID(identifier);
    const auto style = paragraphStyle(representedObject);
    const auto mode = services_.previewMode ? services_.previewMode(ruleID) : std::nullopt;
    if (!style || !mode || *mode == FixedPhrasePreviewMode::raw) return;
    edit(ruleID, [&](FixedPhraseTextViewState& state) { applyFixedPhrasePlainMarkupStyle(*style, *mode, state); });
}

void FixedPhraseEditorActions::updateFixedPhraseColorWell(std::string_view identifier, const platform::Color& color) {
    const auto parts = splitTwoPartIdentifier(identifier);
    if (!parts) return;
    const auto target =
        parts->second == "background" ? FixedPhraseColorTarget::background : FixedPhraseColorTarget::foreground;
    edit(parts->first, [&](FixedPhraseTextViewState& state) { applyFixedPhraseColor(target, color, state); });
}

std::optional<platform::Color> FixedPhraseEditorActions::runColorPanel(const platform::Color& initial) {
    if (!services_.colorPanel) return std::nullopt;
    return services_.colorPanel->runColorPanel(initial);
}

void FixedPhraseEditorActions::addContextMenuCommands(TessarilTextView& view, const std::string& ruleID) {
    view.contextMenuExtension = [this, &view, ruleID](QMenu& menu) { fillContextMenu(menu, ruleID, view.isRichText()); };
}

void FixedPhraseEditorActions::fillContextMenu(QMenu& menu, const std::string& ruleID, bool isRichText) {
    menu.addSeparator();
    if (isRichText) {
        for (const FixedPhraseStyleButton& button : fixedPhraseStyleButtons) {
            if (button.key == std::string_view("bullet")) menu.addSeparator();
            const std::string_view title = button.menuTitle();
            QAction* action = menu.addAction(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
            const std::string identifier = ruleID + "|" + std::string(button.key);
            QObject::connect(action, &QAction::triggered, [this, identifier] { applyFixedPhraseRichStyle(identifier); });
        }
    }
    QMenu* paragraphs = menu.addMenu(QStringLiteral("段落"));
    for (const auto& [title, style] : fixedPhraseParagraphMenuItems) {
        QAction* action = paragraphs->addAction(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
        const std::optional<std::string> value{std::string(rawValue(style))};
        QObject::connect(action, &QAction::triggered, [this, ruleID, value, isRichText] {
            if (isRichText) {
                updateFixedPhraseParagraphStyle(ruleID, value);
            } else {
                updateFixedPhrasePlainMarkupStyle(ruleID, value);
            }
        });
    }
}

} // namespace tessaril
