#pragma once
// The calculator window for a web page: the main window's form logic behind a handful of calls
// that take and give plain values (numbers and UTF-8 text), so that the page's script stays a
// thin view. The page forwards each user action here and then shows View(), a JSON text of
// everything the window shows; message boxes, the help menu and the text window come back in it
// as requests for the page to carry out.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form/main_form.hpp"
#include "ui/form/platform.hpp"

namespace et::web {

// What the form asks of the page, kept until the page reads the view.
class PagePlatform : public et::form::Platform {
public:
    struct Message {
        std::string text;
        std::string title;
    };

    void MsgBox(std::string_view text, std::string_view title) override;
    void PopupHelpMenu(float x, float y) override;
    // A page is closed by its browser: the page offers no "&Done".
    void EndProgram() override {}
    et::form::TwipsSize ScreenSize() const override { return screen_; }
    et::form::TwipsSize TextWindowOuterSize() const override { return textWindowOuter_; }
    void CreateTextWindow() override {}
    void MoveTextWindow(float /*left*/, float /*top*/) override {}
    void ShowTextWindow() override { ++textWindowShows_; }
    void DestroyTextWindow() override {}

    void SetSizes(et::form::TwipsSize screen, et::form::TwipsSize textWindowOuter) {
        screen_ = screen;
        textWindowOuter_ = textWindowOuter;
    }

    std::vector<Message> messages;
    bool menuRequested = false;
    float menuX = 0.0F;
    float menuY = 0.0F;
    // Counts ShowTextWindow calls: each one raises the window and gives its text the focus.
    std::uint32_t textWindowShows_ = 0;

private:
    et::form::TwipsSize screen_{19200.0, 14400.0};
    et::form::TwipsSize textWindowOuter_{8130.0, 4800.0};
};

class WebForm {
public:
    // The window after its start-up handler.
    WebForm();
    WebForm(const WebForm&) = delete;
    WebForm& operator=(const WebForm&) = delete;

    // --- The page's actions, each a handler of the window ---

    // A click on option `index` of "optPoolLen", "optEvent", "OptStroke" or "OptDist".
    void selectOption(const std::string& group, int index);
    // The time box's text after an edit (typing, pasting, deleting).
    void setTimeText(const std::string& text);
    void clickHelp();
    void clickVersion();
    // A help menu item chosen by name ("mnuHelpAbout", ...); false for an unknown name.
    bool chooseHelpItem(const std::string& name);
    // The text window's Cancel (button, Esc or close box), and an edit of its text.
    void cancelTextWindow();
    void editTextWindow(const std::string& text);
    // The page's viewport and the text window's outer size, in pixels of 1/96 inch; the text
    // window is centred from these when it opens.
    void setSizes(double screenWidth, double screenHeight, double textWidth, double textHeight);

    // What the window shows, as JSON: {"texts": {id: text}, "options": {group: [[selected,
    // shown, caption]...]}, "textwin": null or its state, "messages": [[text, title]...],
    // "menu": [x, y]}. The first call gives everything; each later one only what changed since
    // (a key left out is unchanged). Requests (message boxes, the menu) are handed over once.
    std::string view();

    // The fixed parts as JSON: window title, elements with captions, kinds, containers, tool
    // tips and geometry, the help menu, the pool captions of the converted-time boxes.
    static std::string elements();

    const et::form::MainForm& form() const { return form_; }
    PagePlatform& platform() { return platform_; }

private:
    PagePlatform platform_;
    et::form::MainForm form_;
    // What the page was last sent.
    bool sentAny_ = false;
    std::vector<std::string> sentTexts_;
    std::array<std::vector<et::form::OptionState>, 4> sentOptions_;
    std::string sentTextwin_;
};

// A text as a JSON string literal, quotes included.
std::string JsonString(std::string_view text);

} // namespace et::web
