#include "ui/form/main_form.hpp"

#include <utility>

namespace et::form {

MainForm::MainForm(Platform& platform) : platform_(&platform), textwin_(platform) {}
void MainForm::SelectOption(OptionGroup, std::int16_t) {}
void MainForm::SetTimeText(std::string text) {
    state_.txtATime.Text = std::move(text);
}
bool MainForm::ChooseHelpMenuItem(std::string_view) {
    return false;
}
void MainForm::Form_Load() {}
void MainForm::CmdExit_Click() {}
void MainForm::optPoolLen_Click(std::int16_t) {}
void MainForm::optEvent_Click(std::int16_t) {}
void MainForm::OptStroke_Click(std::int16_t) {}
void MainForm::OptDist_Click(std::int16_t) {}
void MainForm::txtATime_Change() {}
void MainForm::cmdHelp_Click() {}
void MainForm::mnuHelpAbout_Click() {}
void MainForm::mnuHelpVersion_Click() {}
void MainForm::lblVersion_Click() {}
void MainForm::mnuHelpIPNotice_Click() {}
void MainForm::mnuHelpGBPoints_Click() {}
std::int16_t MainForm::ValidDistStroke() const {
    return 0;
}
void MainForm::TimeConvert(std::int16_t, std::int16_t, double) {}
void MainForm::DispTimes(std::int16_t, double, std::int16_t) {}
void MainForm::ShowGBPoints() {}
void MainForm::PickerChosen(std::int16_t, std::int16_t) {}
void MainForm::SetHeadings(std::string_view, double, std::string_view, std::string_view) {}

} // namespace et::form
