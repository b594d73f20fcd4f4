#pragma once
// A Platform that records what the window logic asks of the toolkit, for the form tests.

#include <string>
#include <string_view>
#include <vector>

#include "ui/form/platform.hpp"

namespace et::test {

class FakePlatform : public et::form::Platform {
public:
    struct Message {
        std::string text;
        std::string title;
    };
    struct Point {
        float x;
        float y;
    };

    // Every message box, in order; each is taken as closed with OK at once.
    std::vector<Message> messages;
    std::vector<Point> menuPopups;
    std::vector<Point> textWindowMoves; // left, top
    int endProgramCalls = 0;
    int createTextWindowCalls = 0;
    int showTextWindowCalls = 0;
    int destroyTextWindowCalls = 0;
    bool textWindowExists = false;

    et::form::TwipsSize screen{19200.0, 14400.0};
    et::form::TwipsSize textWindowOuter{8250.0, 5280.0};

    void MsgBox(std::string_view text, std::string_view title) override {
        messages.push_back({std::string(text), std::string(title)});
    }
    void PopupHelpMenu(float x, float y) override { menuPopups.push_back({x, y}); }
    void EndProgram() override {
        ++endProgramCalls;
        textWindowExists = false;
    }
    et::form::TwipsSize ScreenSize() const override { return screen; }
    et::form::TwipsSize TextWindowOuterSize() const override { return textWindowOuter; }
    void CreateTextWindow() override {
        ++createTextWindowCalls;
        textWindowExists = true;
    }
    void MoveTextWindow(float left, float top) override { textWindowMoves.push_back({left, top}); }
    void ShowTextWindow() override { ++showTextWindowCalls; }
    void DestroyTextWindow() override {
        ++destroyTextWindowCalls;
        textWindowExists = false;
    }
};

} // namespace et::test
