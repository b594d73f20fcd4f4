#pragma once
// A watchdog for modal windows and popup menus in the Qt tests of both windows.
//
// Every message box and popup menu that opens during a test goes to the next step the test gave
// to Watchdog::drive(). One that no step expects is recorded and closed at once, so that the
// test fails in its cleanup instead of hanging in the box's event loop.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <vector>

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

} // namespace et::qt::test
