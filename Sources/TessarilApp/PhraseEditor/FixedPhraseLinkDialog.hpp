#pragma once

#include <QPointer>
#include <QWidget>

#include "TessarilApp/PhraseEditor/FixedPhraseLinkPrompt.hpp"

namespace tessaril {

// The link prompt as a modal alert: message "リンクURL", informative text, a 360-point text field whose
// placeholder shows the three forms of an address, and the buttons "設定" and "キャンセル". The field
// has the focus when the alert comes up.
class FixedPhraseLinkDialog final : public FixedPhraseLinkPrompt {
public:
    explicit FixedPhraseLinkDialog(QWidget* parent = nullptr) : parent_(parent) {}
    std::optional<std::string> requestLink(const std::string& initialText) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace tessaril
