#pragma once
// What the window logic needs of the toolkit. The Qt view implements it; the tests record it.

#include <string_view>

namespace et::form {

struct TwipsSize {
    double width = 0.0;
    double height = 0.0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box with an OK button only and no icon; returns when it is closed.
    virtual void MsgBox(std::string_view text, std::string_view title) = 0;

    // Pops up the help menu (kHelpMenuItems) with its top right corner at (x, y), twips of the
    // main window's client area. Choosing an item runs the matching handler of the MainForm
    // (MainForm::ChooseHelpMenuItem); dismissing it runs nothing.
    virtual void PopupHelpMenu(float x, float y) = 0;

    // Ends the program at once: every window closes.
    virtual void EndProgram() = 0;

    // The screen's size, and the text window's outer size (border and title bar included), twips.
    virtual TwipsSize ScreenSize() const = 0;
    virtual TwipsSize TextWindowOuterSize() const = 0;

    // The text window's life: created hidden, placed (top left corner of its outer frame, twips of
    // the screen; negative values are applied as they are), shown modeless with the state of
    // MainForm::TextWindow() applied (text, visibility, enabled) and raised if already shown,
    // and destroyed.
    virtual void CreateTextWindow() = 0;
    virtual void MoveTextWindow(float left, float top) = 0;
    virtual void ShowTextWindow() = 0;
    virtual void DestroyTextWindow() = 0;

protected:
    Platform() = default;
    Platform(const Platform&) = default;
    Platform& operator=(const Platform&) = default;
};

} // namespace et::form
