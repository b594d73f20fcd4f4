#pragma once
// Textwin: the modeless window with the GB points explanation. A plain top-level widget built
// from kTextWindowElements; the form decides what it shows and when it goes.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace et::qt {

class TextWindow : public QWidget {
    Q_OBJECT

public:
    explicit TextWindow(double logicalDpi);

    QPlainTextEdit* scrText() const { return ScrText_; }
    QPushButton* cancelButton() const { return cmdClrText_; }

signals:
    // "&Cancel", Esc, or the title bar's close box.
    void cancelRequested();
    // The user changed the text in the box.
    void textEdited(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* ScrText_ = nullptr;
    QPushButton* cmdClrText_ = nullptr;
};

} // namespace et::qt
