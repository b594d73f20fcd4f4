#pragma once
// A main window on a recording platform, opened as the program opens it.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "support/fake_platform.hpp"
#include "ui/form/main_form.hpp"

namespace et::form {

class OpenWindow : public ::testing::Test {
protected:
    void SetUp() override { form.Form_Load(); }

    // The user's pool, by its caption, and event, by option index.
    void PickPool(std::int16_t option) { form.SelectOption(OptionGroup::optPoolLen, option); }
    void PickEvent(std::int16_t option) { form.SelectOption(OptionGroup::optEvent, option); }
    void Type(const std::string& text) { form.SetTimeText(text); }

    const MainWindowState& S() const { return form.State(); }
    std::array<std::string, 9> Boxes() const {
        std::array<std::string, 9> texts;
        for (std::size_t n = 0; n < texts.size(); ++n) {
            texts[n] = S().txtETime[n].Text;
        }
        return texts;
    }
    std::array<std::string, 2> Points() const {
        return {S().txtGBPnt[0].Text, S().txtGBPnt[1].Text};
    }

    test::FakePlatform platform;
    MainForm form{platform};
};

} // namespace et::form
