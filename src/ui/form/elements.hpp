#pragma once
// The elements of the two windows as constant data: name, index, kind, container, caption,
// geometry in twips, font and colours. The view builds its widgets from these tables; the form
// logic keeps the changing part (texts, captions, selection, visibility, Tags) in its own state.
//
// Geometry is Left, Top, Width, Height in twips (1/1440 inch) relative to the client area of the
// element's container: the window when the container is empty, otherwise the frame or panel named.
// Containers come before the elements they hold.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "convert/pool_factors.hpp"

namespace et::form {

// The index of an element that belongs to no indexed group.
inline constexpr std::int16_t kNoIndex = -1;

enum class ElementKind : std::uint8_t {
    Frame,   // titled box grouping elements
    Panel,   // untitled container
    Line,    // separator line
    Option,  // option (radio) button of an indexed group, one selected per container
    Label,   // caption the code may replace
    TextBox, // editable text, one line unless multiLine
    Button,  // push button; "&" marks the accelerator
};

struct Twips {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

struct Font {
    std::string_view family{};
    double pointSize = 0.0;
    bool bold = false;
    bool underline = false;
};

inline constexpr Font kWindowFont{"MS Sans Serif", 8.25, false, false};
inline constexpr Font kSmallBoldFont{"MS Sans Serif", 8.25, true, false};
inline constexpr Font kLargeFont{"MS Sans Serif", 9.75, false, false};
inline constexpr Font kHeadingFont{"MS Sans Serif", 9.75, true, false};
inline constexpr Font kVersionFont{"Arial", 12.0, true, true};
inline constexpr Font kScrollTextFont{"Arial", 9.75, false, false};

enum class ColourKind : std::uint8_t {
    Default,    // whatever the toolkit gives that kind of element
    Rgb,        // red, green, blue below
    SystemMenu, // the system's menu colour
};

struct Colour {
    ColourKind kind = ColourKind::Default;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

inline constexpr Colour kDefaultColour{};
inline constexpr Colour kLightCyan{ColourKind::Rgb, 128, 255, 255};
inline constexpr Colour kLightGrey{ColourKind::Rgb, 192, 192, 192};
inline constexpr Colour kWhite{ColourKind::Rgb, 255, 255, 255};
inline constexpr Colour kBlack{ColourKind::Rgb, 0, 0, 0};
inline constexpr Colour kMenuColour{ColourKind::SystemMenu, 0, 0, 0};

struct Element {
    std::string_view name{};
    std::int16_t index = kNoIndex;
    ElementKind kind = ElementKind::Label;
    std::string_view container{}; // empty: the window itself
    std::string_view caption{};   // exact; "&" marks the accelerator
    Twips geometry{};
    Font font = kWindowFont;
    Colour background{};
    Colour foreground{};
    std::string_view toolTip{};
    std::string_view tag{};           // Tag text when the window opens
    bool visible = true;              // shown when the window opens
    bool selected = false;            // options: selected when the window opens
    bool readOnly = false;            // output-only text boxes
    bool multiLine = false;           // several lines, both scroll bars, no wrapping
    bool flat = false;                // flat border / flat button
    bool cancelButton = false;        // Esc presses it wherever the focus is
    std::int16_t tabIndex = kNoIndex; // place in the tab order where it matters
};

struct WindowInfo {
    std::string_view name;
    std::string_view title;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    Colour background{};
};

// The title of message boxes that give none of their own.
inline constexpr std::string_view kApplicationTitle = "Equivalent Performances";

inline constexpr WindowInfo kMainWindow{
    "frmPlivarn", "Vozared Odazodiv - Equivalent Times for Different Length Pools", 8385, 6360,
    kDefaultColour};

inline constexpr WindowInfo kTextWindow{"Textwin", "", 8130, 4800, kLightGrey};

// The help menu pops up under the Help button only; it is never a menu bar.
struct MenuItem {
    std::string_view name;
    std::string_view caption;
};
inline constexpr std::string_view kHelpMenuName = "mnuHelp";
inline constexpr std::string_view kHelpMenuCaption = "&Help";
inline constexpr std::array<MenuItem, 4> kHelpMenuItems = {{
    {"mnuHelpAbout", "&About this program"},
    {"mnuHelpGBPoints", "&GB Points"},
    {"mnuHelpVersion", "&Version"},
    {"mnuHelpIPNotice", "&Copyright"},
}};

// Captions of the converted-time columns, in box order; the spaces centre them over the boxes.
inline constexpr std::array<std::string_view, 9> kColumnCaptions = {
    "  50   metres", "33 1/3 metres", "  25   metres",   "  20   metres", "36 2/3 yards",
    "27 1/2 yards",  "33 1/3 yards",  "    25    yards", "  20   yards"};

// The event list: row (stroke) and column (distance) of every optEvent option, by index.
struct EventCell {
    std::int16_t row;
    std::int16_t column;
};
inline constexpr std::array<EventCell, 18> kEventCells = {{
    {0, 0},
    {0, 1},
    {0, 2},
    {0, 3},
    {0, 4},
    {0, 5}, // Free 50 .. 1500
    {1, 0},
    {1, 1},
    {1, 2}, // Back 50 .. 200
    {2, 0},
    {2, 1},
    {2, 2}, // Breast 50 .. 200
    {3, 0},
    {3, 1},
    {3, 2}, // Fly 50 .. 200
    {4, 1},
    {4, 2},
    {4, 3}, // I.M. 100 .. 400
}};
inline constexpr std::array<std::string_view, 6> kEventColumnCaptions = {"50",  "100", "200",
                                                                         "400", "800", "1500"};
// Row labels of the event list: the lblStroke index of each row (lblStroke 1 heads the picker).
inline constexpr std::array<std::int16_t, 5> kEventRowLabels = {0, 2, 3, 4, 5};
inline constexpr std::array<std::string_view, 5> kEventRowCaptions = {"Free", "Back", "Breast",
                                                                      "Fly", "I.M."};

// The hidden pickers: captions (with accelerators) and Tags by option index.
inline constexpr std::array<std::string_view, 5> kStrokePickerCaptions = {
    "&Free", "B&ack", "B&reast", "F&ly", "&I.M."};
inline constexpr std::array<std::string_view, 5> kStrokePickerTags = {"Free", "Back", "Breast",
                                                                      "Fly", "I.M."};
inline constexpr std::array<std::string_view, 6> kDistancePickerCaptions = {"50",  "100", "200",
                                                                            "400", "800", "1500"};

inline constexpr std::size_t kMainWindowElementCount = 83;

namespace detail {

constexpr std::string_view PoolCaption(std::int16_t option) {
    for (const et::PoolInfo& pool : et::kPools) {
        if (pool.option == option) {
            return pool.caption;
        }
    }
    return {};
}

constexpr std::size_t PoolBox(std::int16_t option) {
    for (std::size_t box = 0; box < et::kPools.size(); ++box) {
        if (et::kPools[box].option == option) {
            return box;
        }
    }
    return 0;
}

constexpr std::array<Element, kMainWindowElementCount> MakeMainWindowElements() {
    std::array<Element, kMainWindowElementCount> table{};
    std::size_t n = 0;
    auto add = [&table, &n](const Element& element) { table[n++] = element; };

    // Pool frame: options in box order down the frame, split by two lines after the metric pools
    // and after the 36 2/3 and 27 1/2 yards pools.
    add({.name = "fraPoolLen",
         .kind = ElementKind::Frame,
         .caption = "Pool Length",
         .geometry = {120, 240, 1575, 3015},
         .toolTip = "Select pool Length"});
    constexpr std::array<std::int32_t, 9> poolTops = {240,  480,  720,  960, 1440,
                                                      1680, 2160, 2400, 2640};
    for (std::int16_t i = 0; i < 9; ++i) {
        const std::string_view caption = PoolCaption(i);
        // The captions with a fraction need the wider option.
        const std::int32_t width = caption.find('/') != std::string_view::npos ? 1335 : 1215;
        add({.name = "optPoolLen",
             .index = i,
             .kind = ElementKind::Option,
             .container = "fraPoolLen",
             .caption = caption,
             .geometry = {120, poolTops[PoolBox(i)], width, 255}});
    }
    add({.name = "Picture2",
         .kind = ElementKind::Line,
         .container = "fraPoolLen",
         .geometry = {120, 1320, 1335, 15}});
    add({.name = "picsep1",
         .kind = ElementKind::Line,
         .container = "fraPoolLen",
         .geometry = {120, 2040, 1335, 15}});

    // Event list: a grid of distance columns, one row per stroke.
    add({.name = "fraEvent",
         .kind = ElementKind::Frame,
         .caption = "Event",
         .geometry = {1800, 840, 5295, 1575},
         .toolTip = "Select Stroke and Distance"});
    constexpr std::array<std::int32_t, 6> columnLefts = {840, 1560, 2280, 3000, 3720, 4440};
    constexpr std::array<std::int32_t, 5> rowTops = {240, 480, 720, 960, 1200};
    for (std::int16_t i = 0; i < 18; ++i) {
        const EventCell cell = kEventCells[static_cast<std::size_t>(i)];
        const auto column = static_cast<std::size_t>(cell.column);
        const auto row = static_cast<std::size_t>(cell.row);
        add({.name = "optEvent",
             .index = i,
             .kind = ElementKind::Option,
             .container = "fraEvent",
             .caption = kEventColumnCaptions[column],
             .geometry = {columnLefts[column], rowTops[row], 735, 255}});
    }
    for (std::size_t row = 0; row < kEventRowLabels.size(); ++row) {
        add({.name = "lblStroke",
             .index = kEventRowLabels[row],
             .kind = ElementKind::Label,
             .container = "fraEvent",
             .caption = kEventRowCaptions[row],
             .geometry = {120, rowTops[row], 675, 255},
             .font = kSmallBoldFont});
    }

    // Time entry.
    add({.name = "lblTime",
         .caption = "Time in 36 2/3 metres Pool",
         .geometry = {3240, 2640, 2400, 240},
         .font = kLargeFont,
         .background = kLightGrey});
    add({.name = "txtATime",
         .kind = ElementKind::TextBox,
         .geometry = {3840, 2880, 1200, 390},
         .font = kLargeFont,
         .background = kLightCyan,
         .toolTip = "Enter Time to format mm.ss.hh",
         .tabIndex = 0});

    // Converted times: three group headings over nine captioned boxes.
    add({.name = "fraConvTime",
         .kind = ElementKind::Frame,
         .caption = "Converted Times",
         .geometry = {120, 3360, 8055, 1695},
         .font = kSmallBoldFont});
    add({.name = "lblMetric",
         .container = "fraConvTime",
         .geometry = {120, 360, 3375, 240},
         .font = kHeadingFont,
         .background = kMenuColour});
    add({.name = "lblIntC",
         .container = "fraConvTime",
         .geometry = {3600, 360, 1695, 240},
         .font = kHeadingFont,
         .background = kMenuColour});
    add({.name = "lblImp",
         .container = "fraConvTime",
         .geometry = {5400, 360, 2535, 240},
         .font = kHeadingFont,
         .background = kMenuColour});
    constexpr std::array<std::int32_t, 9> boxLefts = {120,  960,  1800, 2640, 3600,
                                                      4440, 5400, 6240, 7080};
    for (std::int16_t i = 0; i < 9; ++i) {
        const auto box = static_cast<std::size_t>(i);
        add({.name = "Label1",
             .index = i,
             .container = "fraConvTime",
             .caption = kColumnCaptions[box],
             .geometry = {boxLefts[box], 600, 855, 495},
             .font = kSmallBoldFont,
             .background = kMenuColour});
    }
    for (std::int16_t i = 0; i < 9; ++i) {
        add({.name = "txtETime",
             .index = i,
             .kind = ElementKind::TextBox,
             .container = "fraConvTime",
             .geometry = {boxLefts[static_cast<std::size_t>(i)], 1080, 855, 405},
             .font = kLargeFont,
             .readOnly = true});
    }

    // Points, male left and female right.
    add({.name = "Frame1",
         .kind = ElementKind::Frame,
         .caption = "British Comparative Points (2004-2005",
         .geometry = {2400, 5160, 3495, 1095},
         .font = kSmallBoldFont});
    add({.name = "lblGBPntMale",
         .container = "Frame1",
         .caption = "Male",
         .geometry = {360, 240, 735, 240},
         .font = kSmallBoldFont});
    add({.name = "lblGBPntFemale",
         .container = "Frame1",
         .caption = "Female",
         .geometry = {2400, 240, 735, 240},
         .font = kSmallBoldFont});
    add({.name = "txtGBPnt",
         .index = 0,
         .kind = ElementKind::TextBox,
         .container = "Frame1",
         .geometry = {360, 480, 735, 405},
         .font = kLargeFont,
         .readOnly = true});
    add({.name = "txtGBPnt",
         .index = 1,
         .kind = ElementKind::TextBox,
         .container = "Frame1",
         .geometry = {2400, 480, 735, 405},
         .font = kLargeFont,
         .readOnly = true});

    // Buttons and the version label.
    add({.name = "CmdExit",
         .kind = ElementKind::Button,
         .caption = "&Done",
         .geometry = {7320, 1080, 840, 360},
         .font = kLargeFont});
    add({.name = "cmdHelp",
         .kind = ElementKind::Button,
         .caption = "&Help",
         .geometry = {7320, 1920, 855, 375}});
    add({.name = "lblVersion",
         .caption = "2004 Edition",
         .geometry = {3600, 360, 1695, 375},
         .font = kVersionFont,
         .background = kLightCyan});

    // The stroke and distance pickers: never shown, used by start-up only.
    add({.name = "picStdStroke",
         .kind = ElementKind::Panel,
         .geometry = {6240, 1200, 960, 1320},
         .visible = false});
    for (std::int16_t i = 0; i < 5; ++i) {
        const auto k = static_cast<std::size_t>(i);
        add({.name = "OptStroke",
             .index = i,
             .kind = ElementKind::Option,
             .container = "picStdStroke",
             .caption = kStrokePickerCaptions[k],
             .geometry = {60, 60 + 240 * i, 840, 240},
             .tag = kStrokePickerTags[k],
             .selected = i == 1});
    }
    add({.name = "picStdDist",
         .kind = ElementKind::Panel,
         .geometry = {5160, 1200, 945, 1440},
         .visible = false});
    for (std::int16_t i = 0; i < 6; ++i) {
        const auto k = static_cast<std::size_t>(i);
        add({.name = "OptDist",
             .index = i,
             .kind = ElementKind::Option,
             .container = "picStdDist",
             .caption = kDistancePickerCaptions[k],
             .geometry = {60, 60 + 225 * i, 825, 225},
             .tag = kDistancePickerCaptions[k],
             .selected = i == 0});
    }
    add({.name = "lblStroke",
         .index = 1,
         .caption = "Stroke",
         .geometry = {6240, 960, 960, 240},
         .background = kLightGrey,
         .visible = false});
    add({.name = "lblDistance",
         .caption = "Distance",
         .geometry = {5160, 960, 945, 240},
         .background = kLightGrey,
         .visible = false});

    if (n != table.size()) {
        throw "main window element count"; // stops the constant evaluation
    }
    return table;
}

} // namespace detail

inline constexpr std::array<Element, kMainWindowElementCount> kMainWindowElements =
    detail::MakeMainWindowElements();

inline constexpr std::array<Element, 2> kTextWindowElements = {{
    {.name = "ScrText",
     .kind = ElementKind::TextBox,
     .geometry = {120, 0, 7920, 4200},
     .font = kScrollTextFont,
     .background = kWhite,
     .foreground = kBlack,
     .visible = false,
     .multiLine = true,
     .flat = true,
     .tabIndex = 0},
    {.name = "cmdClrText",
     .kind = ElementKind::Button,
     .caption = "&Cancel",
     .geometry = {3480, 4320, 1080, 360},
     .background = kLightGrey,
     .visible = false,
     .flat = true,
     .cancelButton = true,
     .tabIndex = 1},
}};

// The element of a table with the given name and index (kNoIndex for ungrouped elements).
template <std::size_t N>
constexpr std::optional<Element> FindElement(const std::array<Element, N>& table,
                                             std::string_view name, std::int16_t index = kNoIndex) {
    for (const Element& element : table) {
        if (element.name == name && element.index == index) {
            return element;
        }
    }
    return std::nullopt;
}

} // namespace et::form
