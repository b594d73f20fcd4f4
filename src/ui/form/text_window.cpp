#include "ui/form/text_window.hpp"

#include <utility>

namespace et::form {

Textwin::Textwin(Platform& platform) : platform_(&platform) {}
void Textwin::Load() {}
void Textwin::Form_Load() {}
void Textwin::cmdClrText_Click() {}
void Textwin::SetScrText(std::string text) {
    state_.ScrText = std::move(text);
}
void Textwin::SetScrTextVisible(bool visible) {
    state_.ScrTextVisible = visible;
}
void Textwin::SetClrTextVisible(bool visible) {
    state_.cmdClrTextVisible = visible;
}
void Textwin::SetClrTextEnabled(bool enabled) {
    state_.cmdClrTextEnabled = enabled;
}
void Textwin::Show() {}
void Textwin::ScrText_Change(std::string text) {
    state_.ScrText = std::move(text);
}

} // namespace et::form
