#include "TessarilApp/SetsAndRegistry/FeatureSetSheetContent.hpp"

#include <algorithm>
#include <optional>
#include <utility>

#include <QScrollBar>
#include <QVBoxLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/AppKit/TabView.hpp"
#include "TessarilApp/AppKit/TextField.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetQueries.hpp"
#include "TessarilApp/SetsAndRegistry/FeatureSetSheet.hpp"
#include "TessarilApp/SettingsWindow/DelegateAction.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SettingsTabPresentation.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilButton.hpp"
#include "TessarilApp/SettingsWindow/TessarilDocumentView.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::StackView;

namespace {

constexpr int lowPriority = 250;
// Around the sheet's content, and between its header and body.
constexpr int sheetMargin = 20;
constexpr int sheetSpacing = 18;

template <class Method> appkit::Action sheetAction(AppDelegate& delegate, const char* selector, Method method) {
    return delegateAction<FeatureSetSheet>(delegate, selector, method);
}

appkit::Button* makeSheetButton(AppDelegate& delegate, const std::string& title, const char* selector,
                                void (FeatureSetSheet::*method)(), std::optional<int> width = std::nullopt) {
    auto* button = makeSmallButton(title, sheetAction(delegate, selector, method), false, true);
    if (width) button->setFixedWidth(*width);
    return button;
}

StackView* makeStack(StackView::Orientation orientation, StackView::Alignment alignment, int spacing) {
    auto* stack = new StackView(orientation);
    stack->setAlignment(alignment);
    stack->setSpacing(spacing);
    return stack;
}

StackView* centeredRow(int spacing) {
    auto* row = makeCenteredRow();
    row->setSpacing(spacing);
    return row;
}

} // namespace

QWidget* FeatureSetSheetContent::makeFeatureSetModalContent(SettingsTab tab) {
    auto* content = new TessarilView;
    content->setBackgroundColor(palette::windowBackground());
    auto* box = new QVBoxLayout(content);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    auto* body = makeStack(StackView::Orientation::horizontal, StackView::Alignment::top, 18);
    body->addArrangedSubview(makeFeatureSetListPane(tab));
    body->addArrangedSubview(makeFeatureSetDetailPane(tab));
    const QWidget* panel = delegate_.featureSetModalWindow.data();
    if (panel && (panel->width() < FeatureSetSheet::panelWidth || panel->height() < FeatureSetSheet::panelHeight)) {
        // A sheet made smaller than its content (on a small screen) scrolls the body, cutting nothing.
        // The header stays above it as wide as the sheet, so "閉じる" is whole at its right edge and
        // no scroller covers it.
        auto* header = makeFeatureSetModalHeader(tab);
        auto* top = new QVBoxLayout;
        top->setContentsMargins(sheetMargin, sheetMargin, sheetMargin, 0);
        top->addWidget(header);
        box->addLayout(top);
        auto* scrolled = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, 0);
        scrolled->setEdgeInsets({sheetSpacing, sheetMargin, sheetMargin, sheetMargin});
        scrolled->addArrangedSubview(body);
        auto* scroll = new appkit::ScrollView;
        scroll->setScrollsHorizontally(true);
        scroll->setDocumentView(new TessarilDocumentView, scrolled);
        scroll->documentView()->setAutoFillBackground(false);
        scroll->setScrollOffsetOnceLaidOut(keptSheetOffset_);
        box->addWidget(scroll);
        return content;
    }
    auto* stack = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, sheetSpacing);
    stack->setEdgeInsets({sheetMargin, sheetMargin, sheetMargin, sheetMargin});
    auto* header = makeFeatureSetModalHeader(tab);
    // The header spans the content's width, so "閉じる" sits at its right edge.
    header->setFixedWidth(FeatureSetSheet::panelWidth - 2 * sheetMargin);
    stack->addArrangedSubview(header);
    stack->addArrangedSubview(body);
    box->addWidget(stack);
    box->addStretch(1);
    return content;
}

QWidget* FeatureSetSheetContent::makeFeatureSetModalHeader(SettingsTab tab) {
    auto* header = centeredRow(12);
    auto* titles = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, 5);
    const std::string title = std::string(SettingsTabPresentation::of(tab).sidebarTitle) + "のセット";
    titles->addArrangedSubview(makeLabel(title, 22, FontWeight::bold, palette::primaryText()));
    titles->addArrangedSubview(
        makeSubtleLabel("セット内に設定内容と対象アプリを持たせます。対象アプリではこのセットの設定が優先されます。", 13));
    header->addArrangedSubview(titles);
    header->addArrangedSubview(appkit::View::makeFlexibleSpace());
    header->addArrangedSubview(
        makeSheetButton(delegate_, "閉じる", "closeFeatureSetModalFromButton", &FeatureSetSheet::closeFeatureSetModalFromButton));
    return header;
}

QPoint FeatureSetSheetContent::featureSetModalOffset(QWidget& content) {
    const auto* scroll = content.findChild<appkit::ScrollView*>(QString(), Qt::FindDirectChildrenOnly);
    return scroll ? scroll->scrollOffset() : QPoint();
}

QWidget* FeatureSetSheetContent::makeFeatureSetListPane(SettingsTab tab) {
    const FeatureSetQueries queries(delegate_);
    auto* pane = makePanelStack(250);
    pane->addArrangedSubview(makeSectionTitle("セット"));
    const auto sets = queries.featureSets(tab);
    if (sets.empty()) pane->addArrangedSubview(makeSubtleLabel("まだセットがありません。", 13));
    if (!sets.empty()) {
        // The sets scroll in a list of their own, so any number keeps its full size and "新規セット"
        // stays in view below them.
        pane->setEdgeInsets({22, 18, 22, 18 - setListScrollerWidth});
        pane->addArrangedSubview(makeFeatureSetList(tab, sets));
    }
    pane->addArrangedSubview(makeSpacer(12));
    auto* create = makeSmallButton("新規セット", sheetAction(delegate_, "createFeatureSetFromModal", &FeatureSetSheet::createFeatureSetFromModal),
                                   sets.empty(), true);
    create->setFixedWidth(listWidth);
    pane->addArrangedSubview(create);
    return pane;
}

QWidget* FeatureSetSheetContent::makeFeatureSetList(SettingsTab tab, const std::vector<FeatureSetListItem>& sets) {
    const FeatureSetQueries queries(delegate_);
    constexpr int spacing = 12;
    auto* list = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, spacing);
    // Where the selected set lies in the list: its top and bottom.
    int nextTop = 0;
    std::pair<int, int> selected(0, 0);
    for (const auto& set : sets) {
        const auto targets = queries.featureSetAppTargets(tab, set.id);
        auto* button = makeListButton(set.name, std::to_string(targets.size()) + "アプリ", set.id == delegate_.selectedFeatureSetID,
                                      sheetAction(delegate_, "selectFeatureSetFromModal:", &FeatureSetSheet::selectFeatureSetFromModal),
                                      listWidth);
        button->setIdentifier(set.id);
        if (set.id == delegate_.selectedFeatureSetID) selected = {nextTop, nextTop + button->height()};
        nextTop += button->height() + spacing;
        list->addArrangedSubview(button);
    }
    auto* scroll = new appkit::ScrollView;
    scroll->setObjectName(setListName);
    scroll->setDocumentView(new TessarilDocumentView, list);
    scroll->documentView()->setAutoFillBackground(false);
    // The scroller takes the pane's right margin, so the sets keep their full width. Whether it
    // shows is known now, which spares the layout finding out.
    const int listHeight = list->sizeHint().height();
    scroll->setVerticalScrollBarPolicy(listHeight > setListMaximumHeight ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    scroll->setFixedSize(listWidth + setListScrollerWidth, std::min(listHeight, setListMaximumHeight));
    // Where the list was, moved as little as shows the selected set whole.
    const int height = scroll->height();
    // Not laid out in advance for it: the sheet lays itself out when it shows.
    scroll->setScrollOffsetOnceLaidOut(
        {0, std::clamp(keptListOffset_, selected.second - height, std::max(selected.first, selected.second - height))});
    return scroll;
}

int FeatureSetSheetContent::featureSetListOffset(QWidget& content) {
    const auto* list = content.findChild<appkit::ScrollView*>(setListName);
    return list ? list->verticalScrollBar()->value() : 0;
}

QWidget* FeatureSetSheetContent::makeFeatureSetDetailPane(SettingsTab tab) {
    auto* pane = makePanelStack(772);
    const auto& id = delegate_.selectedFeatureSetID;
    const auto name = id ? FeatureSetQueries(delegate_).featureSetName(tab, *id) : std::nullopt;
    if (!name) {
        pane->addArrangedSubview(makeFeatureDescriptionLabel("左の「新規セット」から作成してください。"));
        return pane;
    }
    auto* nameRow = centeredRow(10);
    nameRow->addArrangedSubview(makeLabel("セット名", 13, FontWeight::medium, palette::secondaryText()));
    auto* field = makeTextField(*name, "セット名", 260);
    delegate_.featureSetNameField = field;
    nameRow->addArrangedSubview(field);
    nameRow->addArrangedSubview(
        makeSheetButton(delegate_, "保存", "saveFeatureSetNameFromModal", &FeatureSetSheet::saveFeatureSetNameFromModal));
    nameRow->addArrangedSubview(
        makeSheetButton(delegate_, "削除", "deleteFeatureSetFromModal", &FeatureSetSheet::deleteFeatureSetFromModal));
    pane->addArrangedSubview(nameRow);

    auto* tabs = new appkit::TabView;
    tabs->setFixedSize(736, 486);
    tabs->addTabViewItem("settings", "設定", makeFeatureSetSettingsPane(tab, *id));
    tabs->addTabViewItem("apps", "対象アプリ", makeFeatureSetAppsPane(tab, *id));
    pane->addArrangedSubview(tabs);
    return pane;
}

QWidget* FeatureSetSheetContent::makeFeatureSetSettingsPane(SettingsTab tab, const std::string& id) {
    auto* pane = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, 12);
    pane->setEdgeInsets({16, 16, 16, 16});
    pane->addArrangedSubview(makeSectionTitle("セット内設定"));
    pane->addArrangedSubview(makeFeatureSetSummaryTable(tab, id));
    auto* buttons = centeredRow(10);
    buttons->addArrangedSubview(makeSheetButton(delegate_, "現在の表示設定を取り込む", "updateFeatureSetValueFromCurrentTargetFromModal",
                                                &FeatureSetSheet::updateFeatureSetValueFromCurrentTargetFromModal, 188));
    buttons->addArrangedSubview(makeSheetButton(delegate_, "選択中の対象へ適用", "applyFeatureSetToCurrentTargetFromModal",
                                                &FeatureSetSheet::applyFeatureSetToCurrentTargetFromModal, 150));
    buttons->addArrangedSubview(makeSheetButton(delegate_, "通常画面で編集", "editFeatureSetInMainSettingsFromModal",
                                                &FeatureSetSheet::editFeatureSetInMainSettingsFromModal, 130));
    pane->addArrangedSubview(buttons);
    pane->addArrangedSubview(
        makeSubtleLabel("通常の設定画面で対象アプリを開いて編集すると、そのアプリが属するセット本体に保存されます。", 12));
    return pane;
}

QWidget* FeatureSetSheetContent::makeFeatureSetSummaryTable(SettingsTab tab, const std::string& id) {
    std::vector<std::vector<QWidget*>> rows;
    for (const auto& [label, value] : FeatureSetQueries(delegate_).featureSetSummaryRows(tab, id)) {
        rows.push_back({makeCellLabel(label), makeCellLabel(value)});
    }
    return makeTable({{"項目", 160}, {"内容", 480}}, rows, 42, 34);
}

QWidget* FeatureSetSheetContent::makeFeatureSetAppsPane(SettingsTab tab, const std::string& id) {
    auto* pane = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, 12);
    pane->setEdgeInsets({16, 16, 16, 16});
    pane->addArrangedSubview(makeSectionTitle("対象アプリ"));

    auto* buttons = centeredRow(10);
    buttons->addArrangedSubview(makeSheetButton(delegate_, "アプリを追加", "addApplicationToFeatureSetFromModal",
                                                &FeatureSetSheet::addApplicationToFeatureSetFromModal, 112));
    const auto& frontmost = delegate_.frontmostApplication;
    auto* addFrontmost = makeSmallButton("使用中を追加",
                                         sheetAction(delegate_, "addFrontmostApplicationToFeatureSetFromModal",
                                                     &FeatureSetSheet::addFrontmostApplicationToFeatureSetFromModal),
                                         false, frontmost.has_value());
    addFrontmost->setFixedWidth(118);
    if (frontmost) addFrontmost->setToolTipText(frontmost->displayName);
    buttons->addArrangedSubview(addFrontmost);
    pane->addArrangedSubview(buttons);

    const auto targets = FeatureSetQueries(delegate_).featureSetAppTargets(tab, id);
    constexpr int listHeight = 342;
    auto* list = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, 0);
    const int rows = std::max(static_cast<int>(targets.size()), 1);
    const int rowsHeight = std::max(targetRowHeight * rows, targetListMinimumHeight);
    // More applications than show: the scroller stands beside the rows, not over their "削除".
    const int rowWidth = targetListWidth - (rowsHeight > listHeight ? setListScrollerWidth : 0);
    list->setFixedSize(rowWidth, rowsHeight);
    if (targets.empty()) list->addArrangedSubview(makeSubtleLabel("対象アプリはまだありません。", 13));
    for (const auto& target : targets) {
        auto* row = makeFeatureSetAppTargetRow(target);
        row->setFixedWidth(rowWidth);
        list->addArrangedSubview(row);
    }

    auto* scroll = new appkit::ScrollView;
    scroll->setDocumentView(new TessarilDocumentView, list);
    // Nothing of its own drawn, so the frame's fill shows behind the rows.
    scroll->documentView()->setAutoFillBackground(false);
    scroll->setFixedSize(targetListWidth, listHeight);
    // The scroll view draws nothing itself; its frame is a layer around it.
    auto* frame = new appkit::View;
    frame->setLayerStyle({palette::cardBackground(), palette::cardBorder(), 1});
    frame->setFixedSize(targetListWidth, listHeight);
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(scroll);
    pane->addArrangedSubview(frame);
    return pane;
}

QWidget* FeatureSetSheetContent::makeFeatureSetAppTargetRow(const SettingsSetAppTarget& target) {
    auto* row = centeredRow(10);
    // Our fonts' two lines need 36 of the row's 44 points, so the row keeps 4 above and below.
    row->setEdgeInsets({4, 10, 4, 10});
    row->setFixedSize(targetListWidth, targetRowHeight);
    auto* names = makeStack(StackView::Orientation::vertical, StackView::Alignment::leading, 2);
    names->setFixedWidth(520);
    auto* name = makeLabel(target.displayName, 13, FontWeight::medium, palette::primaryText());
    name->setToolTipText(target.displayName);
    name->setHorizontalCompressionResistance(lowPriority);
    names->addArrangedSubview(name);
    auto* identifier = makeSubtleLabel(target.bundleIdentifier, 11);
    identifier->setMaximumNumberOfLines(1);
    identifier->setToolTipText(target.bundleIdentifier);
    names->addArrangedSubview(identifier);
    row->addArrangedSubview(names);
    row->addArrangedSubview(appkit::View::makeFlexibleSpace());
    auto* remove = makeSmallButton("削除",
                                   sheetAction(delegate_, "removeApplicationFromFeatureSetFromModal:",
                                               &FeatureSetSheet::removeApplicationFromFeatureSetFromModal),
                                   false, true);
    remove->setFixedWidth(74);
    remove->setIdentifier(target.bundleIdentifier);
    row->addArrangedSubview(remove);
    return row;
}

} // namespace tessaril
