#pragma once
// frmPlivarn, the calculator's main window, as plain state and handlers.
//
// The view builds its widgets from kMainWindowElements, forwards every user action to the
// matching entry point here (SelectOption for a click on an option, SetTimeText for every edit of
// the time box, the *_Click handlers for buttons, the label and the help menu) and then refreshes
// itself from State() and TextWindow().State(). Everything runs synchronously on the caller's
// thread; a selection made from code runs its click handler to the end before going on.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/form/platform.hpp"
#include "ui/form/text_window.hpp"

namespace et::form {

struct OptionState {
    bool Value = false; // selected
    bool Visible = true;
    std::string Caption;
    std::string Tag;
};

struct LabelState {
    std::string Caption;
};

struct TextBoxState {
    std::string Text;
};

struct PanelState {
    std::string Tag;
};

// The changing part of the main window's elements, and the five window-level variables.
struct MainWindowState {
    std::array<OptionState, 9> optPoolLen;
    std::array<OptionState, 18> optEvent;
    std::array<OptionState, 5> OptStroke;
    std::array<OptionState, 6> OptDist;
    PanelState picStdStroke;
    PanelState picStdDist;

    // Index 0 and 2..5 label the event rows; index 1 heads the stroke picker.
    std::array<LabelState, 6> lblStroke;
    LabelState lblDistance;
    LabelState lblTime;
    LabelState lblMetric;
    LabelState lblIntC;
    LabelState lblImp;
    LabelState lblVersion;
    std::array<LabelState, 9> Label1;
    LabelState lblGBPntMale;
    LabelState lblGBPntFemale;

    TextBoxState txtATime;
    std::array<TextBoxState, 9> txtETime;
    std::array<TextBoxState, 2> txtGBPnt;

    std::int16_t SelPoolType = 0;
    std::int16_t SelPoolLenCode = 0;
    std::int16_t SelEvent = 0;
    std::int16_t SelDistance = 0;
    std::string SelStroke;
};

// The four option groups of the window.
enum class OptionGroup : std::uint8_t { optPoolLen, optEvent, OptStroke, OptDist };

// The group of an option element's name ("optPoolLen", ...), if it is one.
constexpr std::optional<OptionGroup> OptionGroupNamed(std::string_view name) {
    if (name == "optPoolLen") {
        return OptionGroup::optPoolLen;
    }
    if (name == "optEvent") {
        return OptionGroup::optEvent;
    }
    if (name == "OptStroke") {
        return OptionGroup::OptStroke;
    }
    if (name == "OptDist") {
        return OptionGroup::OptDist;
    }
    return std::nullopt;
}

class MainForm {
public:
    // The window as it opens, before Form_Load: nothing selected but the pickers' "B&ack" and
    // "50", every box empty. The platform must outlive the form.
    explicit MainForm(Platform& platform);

    const MainWindowState& State() const { return state_; }
    const Textwin& TextWindow() const { return textwin_; }
    Textwin& TextWindow() { return textwin_; }

    // --- Entry points for the view ---

    // Selects an option as a click does: it becomes the only selected option of its container,
    // then the group's click handler runs. An index outside the group does nothing.
    void SelectOption(OptionGroup group, std::int16_t Index);
    // The time box's text changed (typing, pasting, deleting): stores it and recalculates.
    void SetTimeText(std::string text);
    // Runs the help menu item of that name (kHelpMenuItems); false for an unknown name.
    bool ChooseHelpMenuItem(std::string_view name);

    // --- Handlers of the window ---

    void Form_Load();
    void CmdExit_Click();
    void optPoolLen_Click(std::int16_t Index);
    void optEvent_Click(std::int16_t Index);
    void OptStroke_Click(std::int16_t Index);
    void OptDist_Click(std::int16_t Index);
    void txtATime_Change();

    void cmdHelp_Click();
    void mnuHelpAbout_Click();
    void mnuHelpVersion_Click();
    void lblVersion_Click();
    void mnuHelpIPNotice_Click();
    void mnuHelpGBPoints_Click();

    // --- Steps of the recalculation and of the pickers ---

    // The event code of the pickers' selected stroke and distance, or 0 for no standard event.
    std::int16_t ValidDistStroke() const;
    // Converts a swim of swtime seconds in the selected pool and shows it in every pool.
    void TimeConvert(std::int16_t EvntCode, std::int16_t Distance, double swtime);
    // Writes the nine converted-time boxes for a swim of long-course time Timeval.
    void DispTimes(std::int16_t EvntCode, double Timeval, std::int16_t Distance);
    // Scores the converted times just shown into the male and female points boxes.
    void ShowGBPoints();

private:
    void PickerChosen(std::int16_t distOption, std::int16_t strokeOption);

    Platform* platform_;
    MainWindowState state_;
    Textwin textwin_;
};

} // namespace et::form
