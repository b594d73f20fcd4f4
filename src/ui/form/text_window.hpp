#pragma once
// Textwin, the modeless window with the points explanation: absent or open, one for the program.

#include <string>

#include "ui/form/platform.hpp"

namespace et::form {

// What the view shows of an open text window.
struct TextwinState {
    float Top = 0.0F;  // of the outer frame, twips of the screen
    float Left = 0.0F; // likewise
    std::string ScrText;
    bool ScrTextVisible = false;
    bool cmdClrTextVisible = false;
    bool cmdClrTextEnabled = true;
};

class Textwin {
public:
    explicit Textwin(Platform& platform);

    bool IsOpen() const { return open_; }
    const TextwinState& State() const { return state_; }

    // Creates the window when it is absent (which runs Form_Load); does nothing when open.
    void Load();
    // Centres the window on the screen: Top first, then Left.
    void Form_Load();
    // Closes and destroys the window; its text and any edits go with it.
    void cmdClrText_Click();

    // Program-side changes; each loads the window first when it is absent.
    void SetScrText(std::string text);
    void SetScrTextVisible(bool visible);
    void SetClrTextVisible(bool visible);
    void SetClrTextEnabled(bool enabled);
    // Shows the window modeless (raising it when it is already shown).
    void Show();

    // The user edited the text box: the view reports the new text.
    void ScrText_Change(std::string text);

private:
    Platform* platform_;
    bool open_ = false;
    TextwinState state_;
};

} // namespace et::form
