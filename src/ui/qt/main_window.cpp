#include "ui/qt/main_window.hpp"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include <functional>
#include <map>
#include <span>
#include <string>

#include "convert/pool_factors.hpp"
#include "ui/form/elements.hpp"
#include "ui/qt/element_look.hpp"
#include "ui/qt/resources.hpp"
#include "ui/qt/text_window.hpp"
#include "ui/qt/twips.hpp"

namespace et::qt {

namespace {

using et::form::Element;
using et::form::ElementKind;
using et::form::OptionGroup;

// The version label answers a click; Qt's label does not.
class ClickableLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            onClick) {
            onClick();
        }
    }
};

// A titled frame whose border runs through the middle of its title, so that elements placed near
// its top (the first pool option at 240 twips) stand inside the border, not on it.
class TitledFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        // An etched border: a dark line with a light one beside it.
        const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(border);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(border.translated(1, 1));

        const QString caption = title();
        if (caption.isEmpty()) {
            return;
        }
        const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
        const QRect band(metrics.averageCharWidth(), 0,
                         metrics.horizontalAdvance(caption) + 2 * gap, metrics.height());
        painter.fillRect(band, palette().brush(QPalette::Window));
        style()->drawItemText(&painter, band, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), caption, QPalette::WindowText);
    }
};

QString objectNameOf(const Element& element) {
    QString name = toQString(element.name);
    if (element.index != et::form::kNoIndex) {
        name += QLatin1Char('_') + QString::number(element.index);
    }
    return name;
}

std::size_t at(std::int16_t index) {
    return static_cast<std::size_t>(index);
}

void setTextIfChanged(QLineEdit& box, const QString& text) {
    if (box.text() != text) {
        box.setText(text);
    }
}

void setCaptionIfChanged(QLabel& label, const QString& caption) {
    if (label.text() != caption) {
        label.setText(caption);
    }
}

// Shows an option group's state: selection, visibility and captions. The group is made
// non-exclusive while it is written so that any state the form holds, even none selected, can be
// shown exactly.
void showOptions(QButtonGroup& group, std::span<QRadioButton* const> buttons,
                 std::span<const et::form::OptionState> states) {
    group.setExclusive(false);
    for (std::size_t i = 0; i < buttons.size() && i < states.size(); ++i) {
        QRadioButton& button = *buttons[i];
        const auto& state = states[i];
        button.setChecked(state.Value);
        if (button.isHidden() == state.Visible) {
            button.setVisible(state.Visible);
        }
        const QString caption = uiText(state.Caption);
        if (button.text() != caption) {
            button.setText(caption);
        }
    }
    group.setExclusive(true);
}

// A thin sunken rule between the groups of pools.
QFrame* makeLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(QPalette::Dark);
    return line;
}

// An element's place, font, colours, tool tip and visibility, as the form gives them.
void placeAndDress(QWidget& widget, const Element& element, double dpi) {
    widget.setObjectName(objectNameOf(element));
    widget.setGeometry(elementRect(element.geometry, dpi));
    widget.setFont(elementFont(element.font, dpi));
    switch (element.kind) {
    case ElementKind::TextBox:
        applyColours(widget, element, QPalette::Base, QPalette::Text);
        break;
    case ElementKind::Button:
        applyColours(widget, element, QPalette::Button, QPalette::ButtonText);
        break;
    default:
        applyColours(widget, element, QPalette::Window, QPalette::WindowText);
        break;
    }
    if (!element.toolTip.empty()) {
        widget.setToolTip(uiText(element.toolTip));
    }
    if (!element.visible) {
        widget.hide();
    }
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), form_(static_cast<et::form::Platform&>(*this)) {
    dpi_ = logicalDpiX() > 0 ? static_cast<double>(logicalDpiX()) : 96.0;

    setObjectName(toQString(et::form::kMainWindow.name));
    setWindowTitle(uiText(et::form::kMainWindow.title));
    setWindowIcon(applicationIcon());
    setFixedSize(twipsToPixels(
        QSizeF(et::form::kMainWindow.clientWidth, et::form::kMainWindow.clientHeight), dpi_));
    setFont(elementFont(et::form::kWindowFont, dpi_));

    buildWidgets();
    buildHelpMenu();
    setTabOrderFromTimeBox();

    form_.Form_Load();
    refresh();
    connectActions();
    txtATime_->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWidgets() {
    std::map<std::string_view, QWidget*> containers;
    for (const Element& element : et::form::kMainWindowElements) {
        QWidget* parent = this;
        if (!element.container.empty()) {
            parent = containers.at(element.container);
        }
        QWidget* widget = buildElement(element, parent);
        if (element.kind == ElementKind::Frame || element.kind == ElementKind::Panel) {
            containers[element.name] = widget;
        }
        placeAndDress(*widget, element, dpi_);
    }
}

QWidget* MainWindow::buildElement(const Element& element, QWidget* parent) {
    switch (element.kind) {
    case ElementKind::Frame:
        return new TitledFrame(uiText(element.caption), parent);
    case ElementKind::Panel:
        return new QWidget(parent);
    case ElementKind::Line:
        return makeLine(parent);
    case ElementKind::Option:
        return buildOption(element, parent);
    case ElementKind::Label:
        return buildLabel(element, parent);
    case ElementKind::TextBox:
        return buildTextBox(element, parent);
    case ElementKind::Button:
        return buildButton(element, parent);
    }
    return nullptr;
}

QRadioButton* MainWindow::buildOption(const Element& element, QWidget* parent) {
    // Left auto-exclusive, as a radio button comes: the button group alone decides the
    // selection, and a screen reader announces an option, not a check box.
    auto* option = new QRadioButton(uiText(element.caption), parent);
    const auto group = et::form::OptionGroupNamed(element.name);
    if (!group) {
        return option;
    }
    const auto g = static_cast<std::size_t>(*group);
    if (optionGroups_[g] == nullptr) {
        optionGroups_[g] = new QButtonGroup(this);
    }
    optionGroups_[g]->addButton(option, element.index);
    switch (*group) {
    case OptionGroup::optPoolLen:
        optPoolLen_.at(at(element.index)) = option;
        option->setAccessibleName(uiText(element.caption));
        break;
    case OptionGroup::optEvent: {
        const auto row = et::form::kEventCells.at(at(element.index)).row;
        option->setAccessibleName(uiText(et::form::kEventRowCaptions.at(at(row))) +
                                  QLatin1Char(' ') + uiText(element.caption));
        optEvent_.at(at(element.index)) = option;
        break;
    }
    case OptionGroup::OptStroke:
        OptStroke_.at(at(element.index)) = option;
        option->setAccessibleName(withoutAccelerator(uiText(element.caption)));
        break;
    case OptionGroup::OptDist:
        OptDist_.at(at(element.index)) = option;
        option->setAccessibleName(uiText(element.caption));
        break;
    }
    return option;
}

QLabel* MainWindow::buildLabel(const Element& element, QWidget* parent) {
    auto* label = element.name == "lblVersion" ? new ClickableLabel(parent) : new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(uiText(element.caption));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    const std::string_view name = element.name;
    if (name == "lblStroke") {
        lblStroke_.at(at(element.index)) = label;
    } else if (name == "Label1") {
        Label1_.at(at(element.index)) = label;
    } else if (name == "lblDistance") {
        lblDistance_ = label;
    } else if (name == "lblTime") {
        lblTime_ = label;
    } else if (name == "lblMetric") {
        lblMetric_ = label;
    } else if (name == "lblIntC") {
        lblIntC_ = label;
    } else if (name == "lblImp") {
        lblImp_ = label;
    } else if (name == "lblVersion") {
        lblVersion_ = label;
    } else if (name == "lblGBPntMale") {
        lblGBPntMale_ = label;
    } else if (name == "lblGBPntFemale") {
        lblGBPntFemale_ = label;
    }
    return label;
}

QLineEdit* MainWindow::buildTextBox(const Element& element, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(element.readOnly);
    // An opaque box repaints alone when its figure changes, not the frame and the
    // caption behind it: that keeps a keystroke cheap.
    box->setAutoFillBackground(true);
    if (element.name == "txtATime") {
        txtATime_ = box;
    } else if (element.name == "txtETime") {
        txtETime_.at(at(element.index)) = box;
        // The boxes run in pool order; each is named after the pool of its column.
        box->setAccessibleName(
            tr("Converted time in %1").arg(uiText(et::kPools.at(at(element.index)).caption)));
    } else if (element.name == "txtGBPnt") {
        txtGBPnt_.at(at(element.index)) = box;
        box->setAccessibleName(element.index == 0 ? tr("Male points") : tr("Female points"));
    }
    return box;
}

QPushButton* MainWindow::buildButton(const Element& element, QWidget* parent) {
    auto* button = new QPushButton(uiText(element.caption), parent);
    // Enter presses the button that has the focus, as Space does.
    button->setAutoDefault(true);
    button->setAccessibleName(withoutAccelerator(button->text()));
    if (element.name == "CmdExit") {
        CmdExit_ = button;
    } else if (element.name == "cmdHelp") {
        cmdHelp_ = button;
    }
    return button;
}

void MainWindow::buildHelpMenu() {
    mnuHelp_ = new QMenu(this);
    mnuHelp_->setObjectName(toQString(et::form::kHelpMenuName));
    mnuHelp_->setTitle(uiText(et::form::kHelpMenuCaption));
    for (const auto& item : et::form::kHelpMenuItems) {
        QAction* action = mnuHelp_->addAction(uiText(item.caption));
        action->setObjectName(toQString(item.name));
        action->setData(toQString(item.name));
        // No default item: the menu opens with nothing highlighted.
    }
}

void MainWindow::setTabOrderFromTimeBox() {
    // The time box comes first; the rest follow in the order they were built.
    QWidget* previous = txtATime_;
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (widget == txtATime_ || widget->parentWidget() == nullptr ||
            (widget->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        setTabOrder(previous, widget);
        previous = widget;
    }
}

void MainWindow::connectActions() {
    constexpr std::array<OptionGroup, 4> groups = {OptionGroup::optPoolLen, OptionGroup::optEvent,
                                                   OptionGroup::OptStroke, OptionGroup::OptDist};
    for (const OptionGroup group : groups) {
        QButtonGroup* buttons = optionGroups_.at(static_cast<std::size_t>(group));
        connect(buttons, &QButtonGroup::idClicked, this, [this, group](int id) {
            form_.SelectOption(group, static_cast<std::int16_t>(id));
            refresh();
        });
    }
    connect(txtATime_, &QLineEdit::textChanged, this, &MainWindow::timeTextEdited);
    connect(CmdExit_, &QPushButton::clicked, this, [this] { form_.CmdExit_Click(); });
    connect(cmdHelp_, &QPushButton::clicked, this, [this] {
        form_.cmdHelp_Click();
        refresh();
    });
    static_cast<ClickableLabel*>(lblVersion_)->onClick = [this] {
        form_.lblVersion_Click();
        refresh();
    };
}

void MainWindow::timeTextEdited(const QString& text) {
    if (refreshing_) {
        return;
    }
    form_.SetTimeText(text.toStdString());
    refresh();
}

void MainWindow::refresh() {
    if (refreshing_) {
        return;
    }
    refreshing_ = true;
    const auto& state = form_.State();

    showOptions(*optionGroups_[0], optPoolLen_, state.optPoolLen);
    showOptions(*optionGroups_[1], optEvent_, state.optEvent);
    showOptions(*optionGroups_[2], OptStroke_, state.OptStroke);
    showOptions(*optionGroups_[3], OptDist_, state.OptDist);

    for (std::size_t i = 0; i < lblStroke_.size(); ++i) {
        if (lblStroke_[i] != nullptr) {
            setCaptionIfChanged(*lblStroke_[i], uiText(state.lblStroke[i].Caption));
        }
    }
    for (std::size_t i = 0; i < Label1_.size(); ++i) {
        setCaptionIfChanged(*Label1_[i], uiText(state.Label1[i].Caption));
    }
    setCaptionIfChanged(*lblDistance_, uiText(state.lblDistance.Caption));
    setCaptionIfChanged(*lblTime_, uiText(state.lblTime.Caption));
    setCaptionIfChanged(*lblMetric_, uiText(state.lblMetric.Caption));
    setCaptionIfChanged(*lblIntC_, uiText(state.lblIntC.Caption));
    setCaptionIfChanged(*lblImp_, uiText(state.lblImp.Caption));
    setCaptionIfChanged(*lblVersion_, uiText(state.lblVersion.Caption));
    setCaptionIfChanged(*lblGBPntMale_, uiText(state.lblGBPntMale.Caption));
    setCaptionIfChanged(*lblGBPntFemale_, uiText(state.lblGBPntFemale.Caption));

    // A screen reader names the time box after the label above it.
    txtATime_->setAccessibleName(lblTime_->text());
    setTextIfChanged(*txtATime_, toQString(state.txtATime.Text));
    for (std::size_t i = 0; i < txtETime_.size(); ++i) {
        setTextIfChanged(*txtETime_[i], toQString(state.txtETime[i].Text));
    }
    for (std::size_t i = 0; i < txtGBPnt_.size(); ++i) {
        setTextIfChanged(*txtGBPnt_[i], toQString(state.txtGBPnt[i].Text));
    }
    refreshing_ = false;
    refreshTextWindow();
}

void MainWindow::refreshTextWindow() {
    if (!textWindow_ || refreshing_) {
        return;
    }
    refreshing_ = true;
    const auto& state = form_.TextWindow().State();
    QPlainTextEdit& text = *textWindow_->scrText();
    const QString shown = toDisplayText(state.ScrText);
    if (text.toPlainText() != shown) {
        // A fresh copy starts at its first line, scrolled fully left.
        text.setPlainText(shown);
    }
    text.setVisible(state.ScrTextVisible);
    textWindow_->cancelButton()->setVisible(state.cmdClrTextVisible);
    textWindow_->cancelButton()->setEnabled(state.cmdClrTextEnabled);
    refreshing_ = false;
}

void MainWindow::textWindowCancelled() {
    form_.TextWindow().cmdClrText_Click();
    refresh();
}

// --- et::form::Platform ---

void MainWindow::MsgBox(std::string_view text, std::string_view title) {
    // The window behind the box shows what the handler has done so far.
    refresh();
    const QString caption = uiText(title.empty() ? et::form::kApplicationTitle : title);
    QMessageBox box(QMessageBox::NoIcon, caption, toDisplayText(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);
    // The texts are laid out in lines of their own: give the text its natural width (within the
    // screen) so that the box does not wrap a line inside a sentence.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        label->ensurePolished();
        const int natural = label->fontMetrics().size(0, label->text()).width() + 2;
        const int room = screen()->availableGeometry().width() * 3 / 4;
        label->setMinimumWidth(qMin(natural, room));
    }
    box.exec();
}

void MainWindow::PopupHelpMenu(float x, float y) {
    // (x, y) is where the menu's top right corner goes: below the button, flush with its right
    // edge, the menu extending to the left.
    const QPoint corner = mapToGlobal(twipsToPixels(x, y, dpi_));
    mnuHelp_->ensurePolished();
    const QPoint topLeft(corner.x() - mnuHelp_->sizeHint().width(), corner.y());
    const QAction* chosen = mnuHelp_->exec(topLeft);
    if (chosen != nullptr) {
        form_.ChooseHelpMenuItem(chosen->data().toString().toStdString());
    }
}

void MainWindow::EndProgram() {
    if (textWindow_) {
        TextWindow* window = textWindow_.release();
        window->disconnect(this);
        window->hide();
        window->deleteLater();
    }
    close();
    QCoreApplication::quit();
}

et::form::TwipsSize MainWindow::ScreenSize() const {
    const QSize size = screen()->geometry().size();
    return {pixelsToTwips(size.width(), dpi_), pixelsToTwips(size.height(), dpi_)};
}

et::form::TwipsSize MainWindow::TextWindowOuterSize() const {
    if (!textWindow_) {
        return {};
    }
    QSize outer = textWindow_->frameGeometry().size();
    if (outer == textWindow_->size()) {
        // Not yet framed by the window manager: take this window's border and title bar.
        outer += frameGeometry().size() - size();
    }
    return {pixelsToTwips(outer.width(), dpi_), pixelsToTwips(outer.height(), dpi_)};
}

void MainWindow::CreateTextWindow() {
    textWindow_ = std::make_unique<TextWindow>(dpi_);
    TextWindow* window = textWindow_.get();
    connect(window, &TextWindow::cancelRequested, this, [this, window] {
        if (textWindow_.get() == window) {
            textWindowCancelled();
        }
    });
    connect(window, &TextWindow::textEdited, this, [this, window](const QString& text) {
        if (textWindow_.get() == window && !refreshing_) {
            form_.TextWindow().ScrText_Change(fromDisplayText(text));
        }
    });
}

void MainWindow::MoveTextWindow(float left, float top) {
    if (!textWindow_) {
        return;
    }
    const QPoint origin = screen()->geometry().topLeft();
    textWindow_->move(origin +
                      twipsToPixels(static_cast<double>(left), static_cast<double>(top), dpi_));
}

void MainWindow::ShowTextWindow() {
    if (!textWindow_) {
        return;
    }
    refreshTextWindow();
    textWindow_->show();
    textWindow_->raise();
    textWindow_->activateWindow();
    if (textWindow_->scrText()->isVisible() && !textWindow_->scrText()->hasFocus()) {
        textWindow_->scrText()->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::DestroyTextWindow() {
    if (!textWindow_) {
        return;
    }
    // The window may be destroying itself from its own Cancel button: let Qt finish that first.
    TextWindow* window = textWindow_.release();
    window->disconnect(this);
    window->close();
    window->deleteLater();
}

} // namespace et::qt
