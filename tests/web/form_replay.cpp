// Replays a list of the window's actions through the form logic, exactly as the web page passes
// them on, and prints after each one what the window then shows: one JSON array a line.
//
//   form_replay < actions.txt
//
// Actions, one a line: "pool N", "event N" (option index), "time TEXT" (the time box's whole text
// after an edit), "help" (the Help button), "item NAME" (a help menu item), "version" (the
// "2004 Edition" label), "cancel" (the text window's Cancel), "edit TEXT" (the text window's
// whole text after an edit, "\n" written for its line breaks), "none" (nothing reaches the form).
//
// A line shows: the selected pool option and the shown pool options (a "1" or "0" per option),
// the same for the event options, the time label, the three group headings, the time box, the
// nine converted times, the male and female points, the message boxes raised ([title, text]
// each), whether the text window is open and its text.
#include <cstdio>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "web_form.hpp"

namespace {

using et::web::JsonString;

std::string Selected(std::span<const et::form::OptionState> options) {
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (options[i].Value) {
            return std::to_string(i);
        }
    }
    return "-1";
}

std::string Shown(std::span<const et::form::OptionState> options) {
    std::string shown;
    for (const auto& option : options) {
        shown += option.Visible ? '1' : '0';
    }
    return JsonString(shown);
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

int main() {
    et::web::WebForm web;
    std::string line;
    while (std::getline(std::cin, line)) {
        const std::size_t space = line.find(' ');
        const std::string verb = line.substr(0, space);
        const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);

        // The form's own platform records the message boxes; they are read back below.
        if (verb == "pool") {
            web.selectOption("optPoolLen", std::stoi(argument));
        } else if (verb == "event") {
            web.selectOption("optEvent", std::stoi(argument));
        } else if (verb == "time") {
            web.setTimeText(argument);
        } else if (verb == "help") {
            web.clickHelp();
        } else if (verb == "item") {
            web.chooseHelpItem(argument);
        } else if (verb == "version") {
            web.clickVersion();
        } else if (verb == "cancel") {
            web.cancelTextWindow();
        } else if (verb == "edit") {
            web.editTextWindow(Unescape(argument));
        } else if (verb != "none") {
            std::cerr << "form_replay: unknown action: " << line << '\n';
            return 2;
        }

        const auto& state = web.form().State();
        const auto& textwin = web.form().TextWindow();
        std::string out = "[" + Selected(state.optPoolLen) + "," + Shown(state.optPoolLen) + "," +
                          Selected(state.optEvent) + "," + Shown(state.optEvent);
        for (const auto* text :
             {&state.lblTime.Caption, &state.lblMetric.Caption, &state.lblIntC.Caption,
              &state.lblImp.Caption, &state.txtATime.Text}) {
            out += "," + JsonString(*text);
        }
        for (const auto& box : state.txtETime) {
            out += "," + JsonString(box.Text);
        }
        for (const auto& box : state.txtGBPnt) {
            out += "," + JsonString(box.Text);
        }
        out += ",[";
        const auto& messages = web.platform().messages;
        for (std::size_t i = 0; i < messages.size(); ++i) {
            out += (i > 0 ? ",[" : "[") + JsonString(messages[i].title) + "," +
                   JsonString(messages[i].text) + "]";
        }
        out += "]," + std::string(textwin.IsOpen() ? "true" : "false") + "," +
               JsonString(textwin.IsOpen() ? textwin.State().ScrText : "") + "]";
        web.platform().messages.clear();
        std::cout << out << '\n';
    }
    return 0;
}
