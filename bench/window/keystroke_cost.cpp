// The cost of keystrokes in the time box through to every box updated and painted, set against
// the same keystrokes in a bare line edit with its repaint. Run under
//   valgrind --tool=callgrind --toggle-collect='*typeSwim*' keystroke_cost window|bare [rounds]
// so that only the typing is counted, not start-up.
//
//   keystroke_cost window   the calculator's window, "25 metres", Free 100
//   keystroke_cost bare     one QLineEdit in an otherwise empty window of the same size, with
//                           the time box's place, size, font and colours
//
// One round, uncounted, runs first: it proves that the keys reach the box (and, in the window,
// that the converted times follow) and leaves one-off costs such as glyph caches out of the count.
#include "ui/form/elements.hpp"
#include "ui/qt/element_look.hpp"
#include "ui/qt/main_window.hpp"
#include "ui/qt/twips.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

// The swim typed, one key at a time, then deleted again: every text on the way is evaluated.
constexpr const char* kKeys = "1.05.37";
// What the 25 metres box shows once the whole swim is typed in a 25 metres pool.
constexpr const char* kTwentyFiveMetreBox = " 1.05.4";

void pressKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
    // Paint everything the keystroke changed before the next key, as a person typing sees it.
    QApplication::processEvents();
}

void typeKeys(QWidget* target) {
    for (const char* c = kKeys; *c != '\0'; ++c) {
        pressKey(target, *c == '.' ? Qt::Key_Period : Qt::Key_0 + (*c - '0'),
                 QString(QChar::fromLatin1(*c)));
    }
}

void deleteKeys(QWidget* target) {
    for (std::size_t i = 0; i < std::strlen(kKeys); ++i) {
        pressKey(target, Qt::Key_Backspace, QString());
    }
}

// Counted by callgrind: keep it out of line and named.
__attribute__((noinline)) void typeSwim(QWidget* target, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        typeKeys(target);
        deleteKeys(target);
    }
}

// The bare line edit stands where the time box stands and looks like it, so that both runs
// repaint the same pixels for the same keys.
std::unique_ptr<QWidget> bareWindow(QLineEdit*& box) {
    auto window = std::make_unique<QWidget>();
    const double dpi = window->logicalDpiX() > 0 ? window->logicalDpiX() : 96.0;
    window->setFixedSize(et::qt::twipsToPixels(
        QSizeF(et::form::kMainWindow.clientWidth, et::form::kMainWindow.clientHeight), dpi));
    for (const et::form::Element& element : et::form::kMainWindowElements) {
        if (element.name == std::string_view("txtATime")) {
            box = new QLineEdit(window.get());
            box->setGeometry(et::qt::elementRect(element.geometry, dpi));
            box->setFont(et::qt::elementFont(element.font, dpi));
            et::qt::applyColours(*box, element, QPalette::Base, QPalette::Text);
        }
    }
    return window;
}

int fail(const char* what) {
    std::fprintf(stderr, "keystroke_cost: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool bare = argc >= 2 && std::strcmp(argv[1], "bare") == 0;
    if (argc < 2 || (!bare && std::strcmp(argv[1], "window") != 0)) {
        std::fprintf(stderr, "usage: keystroke_cost window|bare [rounds]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    if (rounds < 1) {
        return fail("rounds must be 1 or more");
    }
    QApplication app(argc, argv);

    std::unique_ptr<QWidget> window;
    QLineEdit* box = nullptr;
    QLineEdit* result = nullptr;
    if (bare) {
        window = bareWindow(box);
    } else {
        window = std::make_unique<et::qt::MainWindow>();
        box = window->findChild<QLineEdit*>(QStringLiteral("txtATime"));
        result = window->findChild<QLineEdit*>(QStringLiteral("txtETime_2"));
        if (result == nullptr) {
            return fail("no 25 metres box");
        }
    }
    if (box == nullptr) {
        return fail("no time box");
    }
    window->show();
    box->setFocus();
    QApplication::processEvents();

    typeKeys(box);
    if (box->text() != QLatin1String(kKeys)) {
        return fail("the keys did not reach the time box");
    }
    if (result != nullptr && result->text() != QLatin1String(kTwentyFiveMetreBox)) {
        return fail("the converted times did not follow the typing");
    }
    deleteKeys(box);
    if (!box->text().isEmpty()) {
        return fail("backspace did not empty the time box");
    }

    typeSwim(box, rounds);
    std::printf("%s: %d rounds of %zu keystrokes each way\n", argv[1], rounds, std::strlen(kKeys));
    return 0;
}
