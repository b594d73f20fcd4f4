#include "web_form.hpp"

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

std::string WebForm::view() {
    const et::form::MainWindowState& state = form_.State();
    JsonObject texts;
    for (std::size_t i = 0; i < state.lblStroke.size(); ++i) {
        texts.text(ElementId("lblStroke", static_cast<std::int16_t>(i)),
                   state.lblStroke[i].Caption);
    }
    for (std::size_t i = 0; i < state.Label1.size(); ++i) {
        texts.text(ElementId("Label1", static_cast<std::int16_t>(i)), state.Label1[i].Caption);
    }
    texts.text("lblDistance", state.lblDistance.Caption)
        .text("lblTime", state.lblTime.Caption)
        .text("lblMetric", state.lblMetric.Caption)
        .text("lblIntC", state.lblIntC.Caption)
        .text("lblImp", state.lblImp.Caption)
        .text("lblVersion", state.lblVersion.Caption)
        .text("lblGBPntMale", state.lblGBPntMale.Caption)
        .text("lblGBPntFemale", state.lblGBPntFemale.Caption)
        .text("txtATime", state.txtATime.Text);
    for (std::size_t i = 0; i < state.txtETime.size(); ++i) {
        texts.text(ElementId("txtETime", static_cast<std::int16_t>(i)), state.txtETime[i].Text);
    }
    for (std::size_t i = 0; i < state.txtGBPnt.size(); ++i) {
        texts.text(ElementId("txtGBPnt", static_cast<std::int16_t>(i)), state.txtGBPnt[i].Text);
    }

    JsonObject options;
    options.raw("optPoolLen", Options(state.optPoolLen))
        .raw("optEvent", Options(state.optEvent))
        .raw("OptStroke", Options(state.OptStroke))
        .raw("OptDist", Options(state.OptDist));

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

    const std::string messages =
        JsonArray(platform_.messages, [](const PagePlatform::Message& message) {
            return "[" + JsonString(message.text) + "," + JsonString(message.title) + "]";
        });
    // The menu's top right corner, in CSS pixels of the window's client area.
    const std::string menu =
        platform_.menuRequested
            ? "[" + Number(static_cast<double>(platform_.menuX) / kTwipsPerPixel) + "," +
                  Number(static_cast<double>(platform_.menuY) / kTwipsPerPixel) + "]"
            : "null";
    platform_.messages.clear();
    platform_.menuRequested = false;

    return JsonObject()
        .raw("texts", texts.done())
        .raw("options", options.done())
        .raw("textwin", textwin)
        .raw("messages", messages)
        .raw("menu", menu)
        .done();
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
