#pragma once
// Shared fixture of the window tests: the offscreen platform, a fresh main window per test, and a
// watchdog for modal windows and popup menus.
//
// Every message box and popup menu that opens during a test goes to the next step the test gave
// to Watchdog::drive(). One that no step expects is recorded and closed at once, and the test
// fails in cleanup() instead of hanging in the box's event loop.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "ui/qt/main_window.hpp"

namespace et::qt::test {

// Selects the offscreen platform unless the environment already chose one; call before the
// QApplication is made.
void useOffscreenPlatformUnlessSet();

class Watchdog : public QObject {
public:
    using Step = std::function<void(QWidget&)>;

    Watchdog();

    // Runs trigger. Each popup menu or modal window that opens meanwhile is handed to the next
    // step; any beyond the steps are unexpected: recorded and closed. Returns how many steps ran.
    std::size_t drive(const std::function<void()>& trigger, std::vector<Step> steps);

    // A step is given this long to close its window before the watchdog closes it as stuck.
    static constexpr qint64 kStepGraceMs = 3000;

    // Descriptions of the unexpected windows since the last call.
    QStringList takeUnexpected();

private:
    void tick();
    void giveUp(QWidget& shown, const QString& why);

    QTimer timer_;
    // The window being handled; a popup menu is reused, so a new showing is told from the old one
    // by the gap between them.
    QPointer<QWidget> current_;
    QElapsedTimer currentSince_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    bool busy_ = false;
    QStringList unexpected_;
};

// Base of the window test classes: init() opens a fresh, active main window, cleanup() fails the
// test if the watchdog had to close anything and then closes every window.
class WindowFixture : public QObject {
    Q_OBJECT

protected:
    MainWindow& window() { return *window_; }
    Watchdog& watchdog() { return watchdog_; }

    template <typename T> T* element(const QString& objectName) {
        return window_->findChild<T*>(objectName);
    }

private slots:
    void init();
    void cleanup();

private:
    Watchdog watchdog_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace et::qt::test
