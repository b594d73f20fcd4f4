#include "ui/qt/first_frame.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

namespace et::qt {

namespace {

// Watches the window's paint events; the first one queues the quit, so it runs after the paint
// has been flushed to the screen, and the filter removes itself.
class FirstFrameWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void quitAfterFirstFrame(QWidget& window) {
    window.installEventFilter(new FirstFrameWatcher(&window));
}

} // namespace et::qt
