#include "web_form.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

#include "convert/pool_factors.hpp"
#include "ui/form/elements.hpp"

namespace et::web {
namespace {

using et::form::Element;
using et::form::ElementKind;

// The page lays the window out in CSS pixels of 1/96 inch: 15 twips each.
constexpr double kTwipsPerPixel = 1440.0 / 96.0;

std::string Number(double value) {
    std::array<char, 32> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.9g", value);
    return std::string(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}

// The DOM id of an element: its name, and "_index" for a member of an indexed group.
std::string ElementId(std::string_view name, std::int16_t index) {
    std::string id(name);
    if (index != et::form::kNoIndex) {
        id += '_';
        id += std::to_string(index);
    }
    return id;
}

std::string_view KindName(ElementKind kind) {
    switch (kind) {
    case ElementKind::Frame:
        return "frame";
    case ElementKind::Panel:
        return "panel";
    case ElementKind::Line:
        return "line";
    case ElementKind::Option:
        return "option";
    case ElementKind::Label:
        return "label";
    case ElementKind::TextBox:
        return "textbox";
    case ElementKind::Button:
        return "button";
    }
    return "label";
}

// Appends "key":value pairs, comma-separated.
class JsonObject {
public:
    JsonObject& raw(std::string_view key, std::string_view value) {
        out_ += first_ ? "{" : ",";
        first_ = false;
        out_ += JsonString(key);
        out_ += ':';
        out_ += value;
        return *this;
    }
    JsonObject& text(std::string_view key, std::string_view value) {
        return raw(key, JsonString(value));
    }
    std::string done() {
        if (first_) {
            out_ += '{';
        }
        out_ += '}';
        return std::move(out_);
    }

private:
    std::string out_;
    bool first_ = true;
};

template <typename Range, typename Write> std::string JsonArray(const Range& items, Write write) {
    std::string out = "[";
    bool first = true;
    for (const auto& item : items) {
        if (!first) {
            out += ',';
        }
        first = false;
        out += write(item);
    }
    out += ']';
    return out;
}

std::string Options(std::span<const et::form::OptionState> options) {
    return JsonArray(options, [](const et::form::OptionState& option) {
        return "[" + Bool(option.Value) + "," + Bool(option.Visible) + "," +
               JsonString(option.Caption) + "]";
    });
}

std::string ElementJson(const Element& element) {
    JsonObject object;
    object.text("id", ElementId(element.name, element.index))
        .text("name", element.name)
        .raw("index", std::to_string(element.index))
        .text("kind", KindName(element.kind))
        .text("container", element.container.empty()
                               ? std::string()
                               : ElementId(element.container, et::form::kNoIndex))
        .text("caption", element.caption)
        .text("toolTip", element.toolTip)
        .raw("visible", Bool(element.visible))
        .raw("readOnly", Bool(element.readOnly))
        .raw("multiLine", Bool(element.multiLine))
        .raw("cancelButton", Bool(element.cancelButton))
        .raw("geometry", "[" + std::to_string(element.geometry.Left) + "," +
                             std::to_string(element.geometry.Top) + "," +
                             std::to_string(element.geometry.Width) + "," +
                             std::to_string(element.geometry.Height) + "]");
    return object.done();
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 8> escaped{};
                std::snprintf(escaped.data(), escaped.size(), "\\u%04x",
                              static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += escaped.data();
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

void PagePlatform::MsgBox(std::string_view text, std::string_view title) {
    messages.push_back(
        {std::string(text), std::string(title.empty() ? et::form::kApplicationTitle : title)});
}

void PagePlatform::PopupHelpMenu(float x, float y) {
    menuRequested = true;
    menuX = x;
    menuY = y;
}

WebForm::WebForm() : form_(platform_) {
    form_.Form_Load();
}

void WebForm::selectOption(const std::string& group, int index) {
    const auto named = et::form::OptionGroupNamed(group);
    if (named && index >= 0 && index < 100) {
        form_.SelectOption(*named, static_cast<std::int16_t>(index));
    }
}

void WebForm::setTimeText(const std::string& text) {
    form_.SetTimeText(text);
}

void WebForm::clickHelp() {
    form_.cmdHelp_Click();
}

void WebForm::clickVersion() {
    form_.lblVersion_Click();
}

bool WebForm::chooseHelpItem(const std::string& name) {
    return form_.ChooseHelpMenuItem(name);
}

void WebForm::cancelTextWindow() {
    form_.TextWindow().cmdClrText_Click();
}

void WebForm::editTextWindow(const std::string& text) {
    form_.TextWindow().ScrText_Change(text);
}

void WebForm::setSizes(double screenWidth, double screenHeight, double textWidth,
                       double textHeight) {
    platform_.SetSizes({screenWidth * kTwipsPerPixel, screenHeight * kTwipsPerPixel},
                       {textWidth * kTwipsPerPixel, textHeight * kTwipsPerPixel});
}

namespace {

// Every caption and text of the main window that the page shows, in a fixed order.
template <typename Visit>
void ForEachShownText(const et::form::MainWindowState& state, Visit visit) {
    const auto group = [&visit](std::string_view name, const auto& items, auto member) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            visit(name, static_cast<std::int16_t>(i), items[i].*member);
        }
    };
    using et::form::LabelState;
    using et::form::TextBoxState;
    group("lblStroke", state.lblStroke, &LabelState::Caption);
    group("Label1", state.Label1, &LabelState::Caption);
    const std::pair<std::string_view, const std::string*> single[] = {
        {"lblDistance", &state.lblDistance.Caption},
        {"lblTime", &state.lblTime.Caption},
        {"lblMetric", &state.lblMetric.Caption},
        {"lblIntC", &state.lblIntC.Caption},
        {"lblImp", &state.lblImp.Caption},
        {"lblVersion", &state.lblVersion.Caption},
        {"lblGBPntMale", &state.lblGBPntMale.Caption},
        {"lblGBPntFemale", &state.lblGBPntFemale.Caption},
        {"txtATime", &state.txtATime.Text},
    };
    for (const auto& [name, text] : single) {
        visit(name, et::form::kNoIndex, *text);
    }
    group("txtETime", state.txtETime, &TextBoxState::Text);
    group("txtGBPnt", state.txtGBPnt, &TextBoxState::Text);
}

} // namespace

std::string WebForm::view() {
    const et::form::MainWindowState& state = form_.State();
    // Only what changed since the last view goes to the page: a keystroke's answer stays small.
    JsonObject texts;
    std::size_t n = 0;
    ForEachShownText(state,
                     [&](std::string_view name, std::int16_t index, const std::string& text) {
                         if (n == sentTexts_.size()) {
                             sentTexts_.emplace_back();
                         } else if (sentTexts_[n] == text && sentAny_) {
                             ++n;
                             return;
                         }
                         texts.text(ElementId(name, index), text);
                         sentTexts_[n++] = text;
                     });

    JsonObject options;
    const std::array<std::pair<std::string_view, std::span<const et::form::OptionState>>, 4>
        groups = {{{"optPoolLen", state.optPoolLen},
                   {"optEvent", state.optEvent},
                   {"OptStroke", state.OptStroke},
                   {"OptDist", state.OptDist}}};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const auto& [name, shown] = groups[g];
        std::vector<et::form::OptionState>& sent = sentOptions_[g];
        const bool same = sentAny_ && std::equal(shown.begin(), shown.end(), sent.begin(),
                                                 sent.end(), [](const auto& a, const auto& b) {
                                                     return a.Value == b.Value &&
                                                            a.Visible == b.Visible &&
                                                            a.Caption == b.Caption;
                                                 });
        if (!same) {
            options.raw(name, Options(shown));
            sent.assign(shown.begin(), shown.end());
        }
    }

    std::string textwin = "null";
    const et::form::Textwin& window = form_.TextWindow();
    if (window.IsOpen()) {
        const et::form::TextwinState& w = window.State();
        textwin = JsonObject()
                      .raw("left", Number(static_cast<double>(w.Left) / kTwipsPerPixel))
                      .raw("top", Number(static_cast<double>(w.Top) / kTwipsPerPixel))
                      .text("ScrText", w.ScrText)
                      .raw("ScrTextVisible", Bool(w.ScrTextVisible))
                      .raw("cmdClrTextVisible", Bool(w.cmdClrTextVisible))
                      .raw("cmdClrTextEnabled", Bool(w.cmdClrTextEnabled))
                      .raw("shows", std::to_string(platform_.textWindowShows_))
                      .done();
    }

    JsonObject view;
    view.raw("texts", texts.done()).raw("options", options.done());
    if (!sentAny_ || textwin != sentTextwin_) {
        view.raw("textwin", textwin);
        sentTextwin_ = std::move(textwin);
    }
    if (!platform_.messages.empty()) {
        view.raw("messages",
                 JsonArray(platform_.messages, [](const PagePlatform::Message& message) {
                     return "[" + JsonString(message.text) + "," + JsonString(message.title) + "]";
                 }));
        platform_.messages.clear();
    }
    if (platform_.menuRequested) {
        // The menu's top right corner, in CSS pixels of the window's client area.
        view.raw("menu", "[" + Number(static_cast<double>(platform_.menuX) / kTwipsPerPixel) + "," +
                             Number(static_cast<double>(platform_.menuY) / kTwipsPerPixel) + "]");
        platform_.menuRequested = false;
    }
    sentAny_ = true;
    return view.done();
}

std::string WebForm::elements() {
    const auto& window = et::form::kMainWindow;
    const auto& textWindow = et::form::kTextWindow;
    std::array<std::string_view, 9> boxPools{};
    for (std::size_t box = 0; box < et::kPools.size(); ++box) {
        boxPools[box] = et::kPools[box].caption;
    }
    return JsonObject()
        .text("title", window.title)
        .text("applicationTitle", et::form::kApplicationTitle)
        .raw("clientSize", "[" + std::to_string(window.clientWidth) + "," +
                               std::to_string(window.clientHeight) + "]")
        .raw("main", JsonArray(et::form::kMainWindowElements, ElementJson))
        .text("textWindowTitle", textWindow.title)
        .raw("textWindow", JsonArray(et::form::kTextWindowElements, ElementJson))
        .text("helpMenuCaption", et::form::kHelpMenuCaption)
        .raw("helpMenu", JsonArray(et::form::kHelpMenuItems,
                                   [](const et::form::MenuItem& item) {
                                       return "[" + JsonString(item.name) + "," +
                                              JsonString(item.caption) + "]";
                                   }))
        .raw("boxPools",
             JsonArray(boxPools, [](std::string_view caption) { return JsonString(caption); }))
        .raw("eventRows", JsonArray(et::form::kEventRowCaptions,
                                    [](std::string_view caption) { return JsonString(caption); }))
        .raw("eventCells", JsonArray(et::form::kEventCells,
                                     [](const et::form::EventCell& cell) {
                                         return "[" + std::to_string(cell.row) + "," +
                                                std::to_string(cell.column) + "]";
                                     }))
        .done();
}

} // namespace et::web
