#include "TessarilApp/SettingsWindow/SupportTab.hpp"

#include <string>

#include <QHBoxLayout>

#include "TessarilApp/AppKit/Button.hpp"
#include "TessarilApp/AppKit/ImageView.hpp"
#include "TessarilApp/AppKit/Label.hpp"
#include "TessarilApp/AppKit/ScrollView.hpp"
#include "TessarilApp/AppKit/StackView.hpp"
#include "TessarilApp/SettingsWindow/SettingsPalette.hpp"
#include "TessarilApp/SettingsWindow/SharedControls.hpp"
#include "TessarilApp/SettingsWindow/TessarilView.hpp"
#include "TessarilApp/Shell/AppDelegate.hpp"

namespace tessaril {

namespace {

namespace palette = settings_palette;
using appkit::FontWeight;
using appkit::StackView;
using appkit::TextAlignment;

constexpr int panelWidth = 940;
constexpr int buttonWidth = 104;
constexpr const char* makerLine = "制作 Tessaril Project ・ 開発 Tessaril 開発チーム";

// The host of an address such as "https://host/path".
std::string hostName(std::string_view url) {
    if (const auto scheme = url.find("://"); scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
    return std::string(url.substr(0, url.find('/')));
}

appkit::Action delegateCall(AppDelegate& delegate, const char* selector, void (AppDelegate::*method)()) {
    return appkit::Action{selector, [&delegate, method](appkit::Control&) { (delegate.*method)(); }};
}

} // namespace

QWidget* SupportTab::makeSupportTab() {
    auto* page = makePageStack("サポート", "サポート報告に必要な情報をまとめます。");
    page->addArrangedSubview(makeSupportIdentityPanel());
    page->addArrangedSubview(makeSpacer(8));
    page->addArrangedSubview(makeSupportGuidePanel());
    page->addArrangedSubview(makeSpacer(8));
    page->addArrangedSubview(makeSectionTitle("サポート報告"));
    auto* copy = makeSmallButton("コピー", delegateCall(delegate_, "copyDiagnostics", &AppDelegate::copyDiagnostics), true, true);
    copy->setFixedWidth(buttonWidth);
    page->addArrangedSubview(makeTable(
        {{"項目", 220, TextAlignment::left}, {"内容", 580, TextAlignment::left}, {"操作", 140, TextAlignment::center}},
        {
            {makeCellLabel("診断情報"), makeCellLabel("入力文字・クリップボード・書類名・アプリ名は含めません"), copy},
            {makeCellLabel("入力監視"), makeCellLabel("キーボードのみ。マウスイベントは監視しません"), nullptr},
            {makeCellLabel("現在の状態"), makeCellLabel(delegate_.lastStatus), nullptr},
        },
        42, 38));
    page->addArrangedSubview(makeSubtleLabel(
        "不具合報告時は「コピー」で診断情報を添えてください。入力文字、クリップボード、書類名、アプリ名は入りません。", 13));
    return wrapInScrollView(page);
}

QWidget* SupportTab::makeSupportIdentityPanel() {
    auto* panel = new TessarilView;
    panel->setLayerStyle({palette::panelBackground(), palette::panelBorder(), 1});
    panel->setFixedSize(panelWidth, 128);

    auto* content = new StackView(StackView::Orientation::horizontal);
    content->setAlignment(StackView::Alignment::centerY);
    content->setSpacing(22);
    auto* icon = new appkit::ImageView(delegate_.appIconImage().value_or(QImage()));
    icon->setFixedSize(76, 76);
    content->addArrangedSubview(icon);

    auto* texts = new StackView(StackView::Orientation::vertical);
    texts->setAlignment(StackView::Alignment::leading);
    // Our font's lines are taller than the system's: with gaps of 8 the four lines would fill the
    // panel to its borders, so they keep 4 apart.
    texts->setSpacing(4);
    texts->addArrangedSubview(makeLabel("Tessaril", 28, FontWeight::bold, palette::primaryText()));
    texts->addArrangedSubview(
        makeLabel("バージョン " + delegate_.appVersionText(), 14, FontWeight::regular, palette::secondaryText()));
    texts->addArrangedSubview(makeLabel(makerLine, 14, FontWeight::regular, palette::secondaryText()));
    auto* link = new appkit::Button(appkit::Button::ButtonType::momentaryPush);
    link->setTitle(hostName(AppDelegate::websiteURL));
    QFont linkFont = appkit::systemFont(14, FontWeight::medium);
    linkFont.setUnderline(true);
    link->setTitleFont(linkFont);
    link->setTitleColor(palette::accentAmber());
    link->setTitleAlignment(Qt::AlignLeft);
    link->setFocusPolicy(Qt::NoFocus);
    link->setCursor(Qt::PointingHandCursor);
    link->setAction(delegateCall(delegate_, "openTessarilWebsite", &AppDelegate::openTessarilWebsite));
    // Borderless: its title lines up with the lines above it, and it is as tall as its text.
    link->setBordered(false);
    link->setFixedSize(link->sizeHint());
    texts->addArrangedSubview(link);
    content->addArrangedSubview(texts);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(24, 0, 24, 0);
    row->addWidget(content, 0, Qt::AlignVCenter);
    row->addStretch(1);
    return panel;
}

QWidget* SupportTab::makeSupportGuidePanel() {
    auto* panel = new TessarilView;
    panel->setLayerStyle({palette::panelBackground(), palette::cardBorder(), 1});
    panel->setFixedSize(panelWidth, 74);

    auto* texts = new StackView(StackView::Orientation::vertical);
    texts->setAlignment(StackView::Alignment::leading);
    texts->setSpacing(3);
    texts->addArrangedSubview(makeLabel("使い方ガイド", 14, FontWeight::semibold, palette::primaryText()));
    texts->addArrangedSubview(makeSubtleLabel("メニューバー上のTessarilの場所を吹き出しで表示します。", 12));
    auto* show = makeSmallButton(
        "表示", delegateCall(delegate_, "showOnboardingGuideFromSupport", &AppDelegate::showOnboardingGuide), false, true);
    show->setFixedWidth(buttonWidth);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(18, 0, 18, 0);
    row->setSpacing(18);
    row->addWidget(texts, 1, Qt::AlignVCenter);
    row->addWidget(show, 0, Qt::AlignVCenter);
    return panel;
}

} // namespace tessaril
