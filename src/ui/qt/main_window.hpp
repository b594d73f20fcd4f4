#pragma once
// The Qt view of the calculator's main window.
//
// The window's rules live in et::form::MainForm, which holds every element's state as plain data.
// This view only
//   1. builds one widget per element of kMainWindowElements (geometry in twips, fonts, colours),
//   2. forwards each user action to the form's entry point (an option click, an edit of the time
//      box, a button, the version label, a help menu item, the text window's Cancel), and
//   3. refreshes every widget from the form's state afterwards.
// It also serves as the form's Platform: message boxes, the help menu, the text window and
// ending the program are done here with Qt.

#include <QWidget>

#include <array>
#include <memory>

#include "ui/form/main_form.hpp"
#include "ui/form/platform.hpp"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace et::form {
struct Element;
} // namespace et::form

namespace et::qt {

class TextWindow;

class MainWindow : public QWidget, private et::form::Platform {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    const et::form::MainForm& form() const { return form_; }
    // The open text window, or nullptr while it is absent.
    TextWindow* textWindow() const { return textWindow_.get(); }
    // The logical DPI the window was laid out at.
    double layoutDpi() const { return dpi_; }

private:
    // et::form::Platform
    void MsgBox(std::string_view text, std::string_view title) override;
    void PopupHelpMenu(float x, float y) override;
    void EndProgram() override;
    et::form::TwipsSize ScreenSize() const override;
    et::form::TwipsSize TextWindowOuterSize() const override;
    void CreateTextWindow() override;
    void MoveTextWindow(float left, float top) override;
    void ShowTextWindow() override;
    void DestroyTextWindow() override;

    void buildWidgets();
    // The widget of one element, kept in its member when the window refers to it later.
    QWidget* buildElement(const et::form::Element& element, QWidget* parent);
    QRadioButton* buildOption(const et::form::Element& element, QWidget* parent);
    QLabel* buildLabel(const et::form::Element& element, QWidget* parent);
    QLineEdit* buildTextBox(const et::form::Element& element, QWidget* parent);
    QPushButton* buildButton(const et::form::Element& element, QWidget* parent);
    void buildHelpMenu();
    void connectActions();
    void setTabOrderFromTimeBox();
    // Shows the form's state in every widget; the single way the widgets change.
    void refresh();
    void refreshTextWindow();
    void timeTextEdited(const QString& text);
    void textWindowCancelled();

    et::form::MainForm form_;
    double dpi_ = 96.0;
    bool refreshing_ = false;

    std::array<QRadioButton*, 9> optPoolLen_{};
    std::array<QRadioButton*, 18> optEvent_{};
    std::array<QRadioButton*, 5> OptStroke_{};
    std::array<QRadioButton*, 6> OptDist_{};
    std::array<QButtonGroup*, 4> optionGroups_{};

    std::array<QLabel*, 6> lblStroke_{};
    QLabel* lblDistance_ = nullptr;
    QLabel* lblTime_ = nullptr;
    QLabel* lblMetric_ = nullptr;
    QLabel* lblIntC_ = nullptr;
    QLabel* lblImp_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    std::array<QLabel*, 9> Label1_{};
    QLabel* lblGBPntMale_ = nullptr;
    QLabel* lblGBPntFemale_ = nullptr;

    QLineEdit* txtATime_ = nullptr;
    std::array<QLineEdit*, 9> txtETime_{};
    std::array<QLineEdit*, 2> txtGBPnt_{};

    QPushButton* CmdExit_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QMenu* mnuHelp_ = nullptr;

    std::unique_ptr<TextWindow> textWindow_;
};

} // namespace et::qt
