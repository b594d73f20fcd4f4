#pragma once
// Shared fixture of the window tests: the offscreen platform, a fresh main window per test, and a
// watchdog for modal windows and popup menus (watchdog.hpp).

#include <QObject>
#include <QString>

#include <memory>

#include "ui/qt/main_window.hpp"
#include "watchdog.hpp"

namespace et::qt::test {

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
