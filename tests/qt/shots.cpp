// Drives the window through a sample swim and saves pictures of everything it shows: the main
// window before and after typing, the help menu, each message box and the text window.
//
//   equivtimes_shots OUTDIR [--hold]
//
// With --hold the program stops at two points (the swim typed; the text window open) and waits
// for OUTDIR/hold-main or OUTDIR/hold-text, which it creates, to be deleted, so that a screen
// grabber can photograph the real display meanwhile.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "ui/qt/main_window.hpp"
#include "ui/qt/resources.hpp"
#include "ui/qt/text_window.hpp"

namespace {

void save(QWidget& widget, const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
    }
}

// Waits until the file has been removed by whoever photographs the screen.
void holdFor(const QDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile marker(path);
    if (!marker.open(QIODevice::WriteOnly)) {
        return;
    }
    marker.close();
    while (QFile::exists(path)) {
        QTest::qWait(50);
    }
}

// Runs trigger; each popup menu or modal window that opens meanwhile is handed to the next step.
void drive(const std::function<void()>& trigger,
           const std::vector<std::function<void(QWidget&)>>& steps) {
    std::size_t next = 0;
    const QWidget* last = nullptr;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* shown = QApplication::activePopupWidget();
        if (shown == nullptr) {
            shown = QApplication::activeModalWidget();
        }
        if (shown == nullptr || shown == last || !shown->isVisible() || next >= steps.size()) {
            return;
        }
        last = shown;
        QTest::qWait(50); // let it paint
        steps[next++](*shown);
    });
    poll.start();
    trigger();
    poll.stop();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(et::qt::applicationIcon());
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: equivtimes_shots OUTDIR [--hold]\n";
        return 2;
    }
    QDir dir(args.at(1));
    dir.mkpath(QStringLiteral("."));
    const bool hold = args.contains(QStringLiteral("--hold"));

    et::qt::MainWindow window;
    window.move(20, 20);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    save(window, dir, QStringLiteral("main-start"));

    window.findChild<QRadioButton*>(QStringLiteral("optPoolLen_8"))->click();
    window.findChild<QRadioButton*>(QStringLiteral("optEvent_14"))->click();
    QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("txtATime")),
                     QStringLiteral("2.05.37"));
    save(window, dir, QStringLiteral("main-swim"));
    if (hold) {
        holdFor(dir, QStringLiteral("hold-main"));
    }

    auto* help = window.findChild<QPushButton*>(QStringLiteral("cmdHelp"));
    const std::array<std::pair<char, QString>, 3> boxes = {
        {{'A', QStringLiteral("box-about")},
         {'V', QStringLiteral("box-version")},
         {'C', QStringLiteral("box-copyright")}}};
    bool menuSaved = false;
    for (const auto& [key, name] : boxes) {
        drive([help] { help->click(); }, {[&, key = key](QWidget& menu) {
                                              if (!menuSaved) {
                                                  save(menu, dir, QStringLiteral("help-menu"));
                                                  menuSaved = true;
                                              }
                                              QTest::keyClick(&menu, key);
                                          },
                                          [&, name = name](QWidget& box) {
                                              save(box, dir, name);
                                              box.close();
                                          }});
    }

    drive([help] { help->click(); }, {[](QWidget& menu) { QTest::keyClick(&menu, 'G'); }});
    if (et::qt::TextWindow* text = window.textWindow()) {
        if (!QTest::qWaitForWindowExposed(text)) {
            return 1;
        }
        save(*text, dir, QStringLiteral("text-window"));
        if (hold) {
            holdFor(dir, QStringLiteral("hold-text"));
        }
    }
    return 0;
}
