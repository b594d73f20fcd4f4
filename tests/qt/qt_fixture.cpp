#include "qt_fixture.hpp"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "ui/qt/text_window.hpp"

namespace et::qt::test {

void WindowFixture::init() {
    window_ = std::make_unique<MainWindow>();
    window_->move(0, 0);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void WindowFixture::cleanup() {
    const QStringList unexpected = watchdog_.takeUnexpected();
    window_.reset();
    // Text windows left open (or closed and awaiting deletion) go with the test.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TextWindow*>(widget) != nullptr) {
            delete widget;
        }
    }
    QVERIFY2(unexpected.isEmpty(),
             qPrintable(QStringLiteral("watchdog: ") + unexpected.join(", ")));
}

} // namespace et::qt::test
