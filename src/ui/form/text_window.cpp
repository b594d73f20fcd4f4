#include "ui/form/text_window.hpp"

#include <utility>

namespace et::form {

Textwin::Textwin(Platform& platform) : platform_(&platform) {}

void Textwin::Load() {
    if (open_) {
        return;
    }
    open_ = true;
    state_ = TextwinState{};
    platform_->CreateTextWindow();
    Form_Load();
}

void Textwin::Form_Load() {
    // Centred on the screen; a screen smaller than the window gives a negative corner, applied as
    // it is.
    const TwipsSize screen = platform_->ScreenSize();
    const TwipsSize outer = platform_->TextWindowOuterSize();
    state_.Top = static_cast<float>((screen.height - outer.height) / 2.0);
    state_.Left = static_cast<float>((screen.width - outer.width) / 2.0);
    platform_->MoveTextWindow(state_.Left, state_.Top);
}

void Textwin::cmdClrText_Click() {
    if (!open_) {
        return;
    }
    platform_->DestroyTextWindow();
    open_ = false;
    state_ = TextwinState{};
}

void Textwin::SetScrText(std::string text) {
    Load();
    state_.ScrText = std::move(text);
}

void Textwin::SetScrTextVisible(bool visible) {
    Load();
    state_.ScrTextVisible = visible;
}

void Textwin::SetClrTextVisible(bool visible) {
    Load();
    state_.cmdClrTextVisible = visible;
}

void Textwin::SetClrTextEnabled(bool enabled) {
    Load();
    state_.cmdClrTextEnabled = enabled;
}

void Textwin::Show() {
    Load();
    platform_->ShowTextWindow();
}

void Textwin::ScrText_Change(std::string text) {
    if (open_) {
        state_.ScrText = std::move(text);
    }
}

} // namespace et::form
