#include "Doubles/TextActionHostRecorder.hpp"

#include "TessarilMac/Pipeline/InputDispatchErrorTypeName.hpp"
#include "TessarilMac/Pipeline/KeyboardPipeline.hpp"

namespace tessaril {

void TextActionHostRecorder::record(Event event) {
    events_.push_back(event);
    if (observer_) observer_(events_.back());
}

void TextActionHostRecorder::recordInputDispatchError(const std::exception_ptr& error) {
    setStatusText(std::string(KeyboardPipeline::inputDispatchErrorPrefix) + inputDispatchErrorTypeName(error));
}

void TextActionHostRecorder::setStatusText(const std::string& text) {
    if (statusText_ == text) return;
    statusText_ = text;
    record(StatusChanged{text});
}

void TextActionHostRecorder::showCharacterCountHUD(const std::optional<std::string>& text) {
    if (panel_) {
        panel_.reset();
        record(PanelHidden{});
    }
    panel_ = CharacterCountHUDContent::make(text);
    record(PanelShown{*panel_});
}

} // namespace tessaril
