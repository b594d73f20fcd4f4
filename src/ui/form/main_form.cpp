#include "ui/form/main_form.hpp"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <utility>

#include "convert/conversion.hpp"
#include "convert/display.hpp"
#include "convert/pool_factors.hpp"
#include "model/events.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"
#include "ui/form/elements.hpp"
#include "ui/form/help_texts.hpp"

namespace et::form {
namespace {

// The event list by option index: event code, distance and stroke text. The 100 I.M. is the
// "4x1L" medley, whose option is never shown.
struct ListedEvent {
    std::int16_t code;
    std::int16_t distance;
    std::string_view stroke;
};
constexpr std::array<ListedEvent, 18> kEventList = {{
    {1, 50, "Free"},
    {2, 100, "Free"},
    {3, 200, "Free"},
    {4, 400, "Free"},
    {5, 800, "Free"},
    {6, 1500, "Free"},
    {13, 50, "Back"},
    {14, 100, "Back"},
    {15, 200, "Back"},
    {7, 50, "Breast"},
    {8, 100, "Breast"},
    {9, 200, "Breast"},
    {10, 50, "Fly"},
    {11, 100, "Fly"},
    {12, 200, "Fly"},
    {kMedley4x1L, 100, "IM"},
    {16, 200, "IM"},
    {17, 400, "IM"},
}};

// The event options that some pools cannot offer (the four 50s and the 1500), and the 100 I.M.,
// which the list never offers.
constexpr std::array<std::size_t, 4> kFiftyOptions = {0, 6, 9, 12};
constexpr std::size_t kFifteenHundredOption = 5;
constexpr std::size_t kMedleyHundredOption = 15;
constexpr std::int16_t kFifteenHundredEvent = 6;

std::span<OptionState> OptionsOf(MainWindowState& state, OptionGroup group) {
    switch (group) {
    case OptionGroup::optPoolLen:
        return state.optPoolLen;
    case OptionGroup::optEvent:
        return state.optEvent;
    case OptionGroup::OptStroke:
        return state.OptStroke;
    case OptionGroup::OptDist:
        return state.OptDist;
    }
    return {};
}

LabelState* LabelNamed(MainWindowState& state, std::string_view name, std::int16_t index) {
    const auto i = static_cast<std::size_t>(index);
    if (name == "lblStroke" && index >= 0 && i < state.lblStroke.size()) {
        return &state.lblStroke[i];
    }
    if (name == "Label1" && index >= 0 && i < state.Label1.size()) {
        return &state.Label1[i];
    }
    const std::pair<std::string_view, LabelState*> single[] = {
        {"lblDistance", &state.lblDistance},
        {"lblTime", &state.lblTime},
        {"lblMetric", &state.lblMetric},
        {"lblIntC", &state.lblIntC},
        {"lblImp", &state.lblImp},
        {"lblVersion", &state.lblVersion},
        {"lblGBPntMale", &state.lblGBPntMale},
        {"lblGBPntFemale", &state.lblGBPntFemale},
    };
    for (const auto& [labelName, label] : single) {
        if (index == kNoIndex && labelName == name) {
            return label;
        }
    }
    return nullptr;
}

// A whole distance as the headings write it.
std::string DistanceText(std::int16_t distance) {
    return std::to_string(distance);
}

// A distance in yards (metres times 1.1) with at most 15 significant digits, so that the product's
// rounding error never shows: 1500 * 1.1 reads 1650.
std::string YardsText(double metres) {
    std::array<char, 32> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.15g", metres * 1.1);
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

// The option index held in a picker's Tag; -1 when the Tag holds none.
std::int16_t TagIndex(const std::string& tag) {
    std::int16_t index = -1;
    const auto result = std::from_chars(tag.data(), tag.data() + tag.size(), index);
    return result.ec == std::errc() ? index : std::int16_t{-1};
}

} // namespace

MainForm::MainForm(Platform& platform) : platform_(&platform), textwin_(platform) {
    for (const Element& element : kMainWindowElements) {
        if (element.kind == ElementKind::Option) {
            const auto group = OptionGroupNamed(element.name);
            if (!group) {
                continue;
            }
            OptionState& option =
                OptionsOf(state_, *group)[static_cast<std::size_t>(element.index)];
            option.Value = element.selected;
            option.Visible = element.visible;
            option.Caption = element.caption;
            option.Tag = element.tag;
        } else if (element.kind == ElementKind::Label) {
            if (LabelState* label = LabelNamed(state_, element.name, element.index)) {
                label->Caption = element.caption;
            }
        }
    }
}

void MainForm::SelectOption(OptionGroup group, std::int16_t Index) {
    const std::span<OptionState> options = OptionsOf(state_, group);
    if (Index < 0 || static_cast<std::size_t>(Index) >= options.size()) {
        return;
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        options[i].Value = i == static_cast<std::size_t>(Index);
    }
    switch (group) {
    case OptionGroup::optPoolLen:
        optPoolLen_Click(Index);
        break;
    case OptionGroup::optEvent:
        optEvent_Click(Index);
        break;
    case OptionGroup::OptStroke:
        OptStroke_Click(Index);
        break;
    case OptionGroup::OptDist:
        OptDist_Click(Index);
        break;
    }
}

void MainForm::SetTimeText(std::string text) {
    state_.txtATime.Text = std::move(text);
    txtATime_Change();
}

bool MainForm::ChooseHelpMenuItem(std::string_view name) {
    if (name == "mnuHelpAbout") {
        mnuHelpAbout_Click();
    } else if (name == "mnuHelpGBPoints") {
        mnuHelpGBPoints_Click();
    } else if (name == "mnuHelpVersion") {
        mnuHelpVersion_Click();
    } else if (name == "mnuHelpIPNotice") {
        mnuHelpIPNotice_Click();
    } else {
        return false;
    }
    return true;
}

void MainForm::Form_Load() {
    // 25 metres and 100 Free, first in the hidden pickers and then in the event list; the
    // recalculations on the way find the time box empty.
    SelectOption(OptionGroup::optPoolLen, 1);
    SelectOption(OptionGroup::OptStroke, 0);
    SelectOption(OptionGroup::OptDist, 1);
    SelectOption(OptionGroup::optEvent, 1);
    state_.SelDistance = 100;
    state_.SelStroke = "Free";
}

void MainForm::CmdExit_Click() {
    platform_->EndProgram();
}

void MainForm::optPoolLen_Click(std::int16_t Index) {
    const PoolInfo* pool = nullptr;
    for (const PoolInfo& candidate : kPools) {
        if (candidate.option == Index) {
            pool = &candidate;
        }
    }
    if (pool == nullptr) {
        return;
    }
    state_.SelPoolType = pool->type;
    state_.SelPoolLenCode = pool->turnsPerHundred;

    // In pools of 33 1/3 and 20 lengths (two and four turns per hundred) the 50s are no whole
    // number of lengths, nor are the 1650 yards of a 1500 in the yard pools. Hiding an option
    // leaves it selected.
    const bool oddLengths = pool->turnsPerHundred == 2 || pool->turnsPerHundred == 4;
    for (const std::size_t option : kFiftyOptions) {
        state_.optEvent[option].Visible = !oddLengths;
    }
    state_.optEvent[kFifteenHundredOption].Visible = !(oddLengths && pool->type == kYardPools);
    state_.optEvent[kMedleyHundredOption].Visible = false;

    state_.lblTime.Caption =
        "Time in " + state_.optPoolLen[static_cast<std::size_t>(Index)].Caption + " pool";
    txtATime_Change();
}

void MainForm::optEvent_Click(std::int16_t Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= kEventList.size()) {
        return;
    }
    const ListedEvent& event = kEventList[static_cast<std::size_t>(Index)];
    state_.SelEvent = event.code;
    state_.SelDistance = event.distance;
    state_.SelStroke = event.stroke;

    const double distance = state_.SelDistance;
    state_.lblMetric.Caption = DistanceText(state_.SelDistance) + "m " + state_.SelStroke;
    state_.lblIntC.Caption = YardsText(distance) + "yds " + state_.SelStroke;
    // The 1500 is swum over 1650 yards in the yard pools.
    const std::string yards = state_.SelEvent == kFifteenHundredEvent
                                  ? YardsText(distance)
                                  : DistanceText(state_.SelDistance);
    state_.lblImp.Caption = yards + "yds " + state_.SelStroke;
    txtATime_Change();
}

void MainForm::OptStroke_Click(std::int16_t Index) {
    state_.picStdStroke.Tag = std::to_string(Index);
    if (state_.picStdDist.Tag.empty()) {
        return;
    }
    PickerChosen(TagIndex(state_.picStdDist.Tag), Index);
}

void MainForm::OptDist_Click(std::int16_t Index) {
    state_.picStdDist.Tag = std::to_string(Index);
    if (state_.picStdStroke.Tag.empty()) {
        return;
    }
    PickerChosen(Index, TagIndex(state_.picStdStroke.Tag));
}

void MainForm::PickerChosen(std::int16_t distOption, std::int16_t strokeOption) {
    state_.SelEvent = ValidDistStroke();
    if (distOption < 0 || static_cast<std::size_t>(distOption) >= state_.OptDist.size() ||
        strokeOption < 0 || static_cast<std::size_t>(strokeOption) >= state_.OptStroke.size()) {
        return;
    }
    const std::string& D = state_.OptDist[static_cast<std::size_t>(distOption)].Tag;
    const std::string& S = state_.OptStroke[static_cast<std::size_t>(strokeOption)].Tag;
    if (state_.SelEvent == kNoEvent) {
        platform_->MsgBox(D + " " + S + "\r\nis not a valid standard event", kApplicationTitle);
        return;
    }
    // No 1650 here: the picker's yards heading of a 1500 reads 1500yds.
    state_.lblMetric.Caption = D + "m " + S;
    state_.lblIntC.Caption = YardsText(std::strtod(D.c_str(), nullptr)) + "yds " + S;
    state_.lblImp.Caption = D + "yds " + S;
}

void MainForm::txtATime_Change() {
    double Timeval = 0.0;
    std::string TimeStr;
    std::int16_t nerr = kTimeOk;
    timecheck(state_.txtATime.Text, Timeval, TimeStr, nerr);
    // Anything else (empty, not a time, out of range, exactly 10 seconds) leaves the boxes alone.
    if (IsWorkableTime(nerr, Timeval)) {
        TimeConvert(state_.SelEvent, state_.SelDistance, Timeval);
        ShowGBPoints();
    }
}

std::int16_t MainForm::ValidDistStroke() const {
    std::array<bool, 6> distanceSet{};
    for (std::size_t i = 0; i < distanceSet.size(); ++i) {
        distanceSet[i] = state_.OptDist[i].Value;
    }
    std::array<bool, 5> strokeSet{};
    for (std::size_t i = 0; i < strokeSet.size(); ++i) {
        strokeSet[i] = state_.OptStroke[i].Value;
    }
    constexpr std::size_t fiftyMetresOption = 3;
    return et::ValidDistStroke(distanceSet, strokeSet, state_.optPoolLen[fiftyMetresOption].Value);
}

void MainForm::TimeConvert(std::int16_t EvntCode, std::int16_t Distance, double swtime) {
    const std::optional<double> T =
        LongCourseTime(EvntCode, Distance, swtime, state_.SelPoolType, state_.SelPoolLenCode);
    if (!T) {
        // An event without pool factors has no time in any other pool.
        const BoxTexts blank = BlankBoxes();
        for (std::size_t n = 0; n < blank.size(); ++n) {
            state_.txtETime[n].Text = blank[n];
        }
        return;
    }
    DispTimes(EvntCode, *T, Distance);
}

void MainForm::DispTimes(std::int16_t EvntCode, double Timeval, std::int16_t Distance) {
    const BoxTexts boxes = et::DispTimes(EvntCode, Timeval, Distance);
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        state_.txtETime[n].Text = boxes[n];
    }
}

void MainForm::ShowGBPoints() {
    const PointsUpdate update = et::ShowGBPoints(
        state_.SelPoolType, state_.SelPoolLenCode, state_.SelEvent,
        state_.txtETime[kFiftyMetreBox].Text, state_.txtETime[kTwentyFiveMetreBox].Text);
    for (std::size_t pass = 0; pass < update.box.size(); ++pass) {
        if (update.box[pass]) {
            state_.txtGBPnt[pass].Text = *update.box[pass];
        }
    }
    if (update.missingReference) {
        platform_->MsgBox(kNoReferenceMessage, kApplicationTitle);
    }
}

void MainForm::cmdHelp_Click() {
    // The menu drops down from the button's bottom right corner.
    constexpr Twips button = FindElement(kMainWindowElements, "cmdHelp")->geometry;
    const float X = static_cast<float>(button.Left) + static_cast<float>(button.Width);
    const float Y = static_cast<float>(button.Top) + static_cast<float>(button.Height);
    platform_->PopupHelpMenu(X, Y);
}

void MainForm::mnuHelpAbout_Click() {
    platform_->MsgBox(AboutText(), kAboutTitle);
}

void MainForm::mnuHelpVersion_Click() {
    platform_->MsgBox(VersionText(), kVersionTitle);
}

void MainForm::lblVersion_Click() {
    mnuHelpVersion_Click();
}

void MainForm::mnuHelpIPNotice_Click() {
    platform_->MsgBox(CopyrightText(), kCopyrightTitle);
}

void MainForm::mnuHelpGBPoints_Click() {
    // Filling the text brings the window into being (centred) when it is absent; a window
    // already open keeps its place and loses any edits.
    textwin_.SetScrText(GBPointsText());
    textwin_.SetScrTextVisible(true);
    textwin_.SetClrTextEnabled(true);
    textwin_.SetClrTextVisible(true);
    textwin_.Show();
}

} // namespace et::form
