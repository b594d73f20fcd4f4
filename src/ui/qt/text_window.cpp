#include "ui/qt/text_window.hpp"

#include <QCloseEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include "ui/form/elements.hpp"
#include "ui/qt/element_look.hpp"
#include "ui/qt/twips.hpp"

namespace et::qt {

namespace {

const et::form::Element& textWindowElement(std::string_view name) {
    for (const auto& element : et::form::kTextWindowElements) {
        if (element.name == name) {
            return element;
        }
    }
    return et::form::kTextWindowElements.front();
}

} // namespace

TextWindow::TextWindow(double logicalDpi) : QWidget(nullptr, Qt::Window) {
    using et::form::kTextWindow;
    setObjectName(toQString(kTextWindow.name));
    // The window has no title. Qt would put the program's name on the desktop for an empty one,
    // so an untitled window gets a lone space: the title bar stays blank.
    const QString title = uiText(kTextWindow.title);
    setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
    setFixedSize(
        twipsToPixels(QSizeF(kTextWindow.clientWidth, kTextWindow.clientHeight), logicalDpi));
    setFont(elementFont(et::form::kWindowFont, logicalDpi));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, elementColour(kTextWindow.background));
    setPalette(palette);
    setAutoFillBackground(true);

    const auto& text = textWindowElement("ScrText");
    ScrText_ = new QPlainTextEdit(this);
    ScrText_->setObjectName(toQString(text.name));
    ScrText_->setGeometry(elementRect(text.geometry, logicalDpi));
    ScrText_->setFont(elementFont(text.font, logicalDpi));
    applyColours(*ScrText_, text, QPalette::Base, QPalette::Text);
    ScrText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    ScrText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (text.flat) {
        ScrText_->setFrameShape(QFrame::Box);
        ScrText_->setFrameShadow(QFrame::Plain);
    }
    ScrText_->setAccessibleName(tr("GB points explanation"));
    ScrText_->setVisible(text.visible);

    const auto& button = textWindowElement("cmdClrText");
    cmdClrText_ = new QPushButton(uiText(button.caption), this);
    cmdClrText_->setObjectName(toQString(button.name));
    cmdClrText_->setGeometry(elementRect(button.geometry, logicalDpi));
    cmdClrText_->setFont(elementFont(button.font, logicalDpi));
    applyColours(*cmdClrText_, button, QPalette::Button, QPalette::ButtonText);
    cmdClrText_->setAutoDefault(true);
    cmdClrText_->setAccessibleName(withoutAccelerator(cmdClrText_->text()));
    cmdClrText_->setVisible(button.visible);

    setTabOrder(ScrText_, cmdClrText_);

    // The window's cancel button: Esc presses it wherever the focus is.
    if (button.cancelButton) {
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        escape->setContext(Qt::WindowShortcut);
        connect(escape, &QShortcut::activated, cmdClrText_, &QPushButton::click);
    }
    connect(cmdClrText_, &QPushButton::clicked, this, &TextWindow::cancelRequested);
    connect(ScrText_, &QPlainTextEdit::textChanged, this,
            [this] { emit textEdited(ScrText_->toPlainText()); });
}

void TextWindow::closeEvent(QCloseEvent* event) {
    // The close box acts like Cancel; the owner destroys the window.
    emit cancelRequested();
    event->accept();
}

} // namespace et::qt
