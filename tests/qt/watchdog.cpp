#include "watchdog.hpp"

#include <QApplication>
#include <QDialog>
#include <QTest>

#include <utility>

namespace et::qt::test {

namespace {

QWidget* openPopupOrModal() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    return QApplication::activeModalWidget();
}

void closeWindow(QWidget& widget) {
    if (auto* dialog = qobject_cast<QDialog*>(&widget)) {
        dialog->reject();
    } else {
        widget.close();
    }
}

} // namespace

void useOffscreenPlatformUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

Watchdog::Watchdog() {
    timer_.setInterval(20);
    connect(&timer_, &QTimer::timeout, this, &Watchdog::tick);
    timer_.start();
}

std::size_t Watchdog::drive(const std::function<void()>& trigger, std::vector<Step> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    current_ = nullptr;
    trigger();
    // A button pressed by its accelerator clicks a moment later (animateClick); wait for it.
    (void)QTest::qWaitFor([this] { return next_ >= steps_.size() && current_.isNull(); },
                          static_cast<int>(kStepGraceMs));
    const std::size_t ran = next_;
    steps_.clear();
    next_ = 0;
    return ran;
}

QStringList Watchdog::takeUnexpected() {
    return std::exchange(unexpected_, {});
}

void Watchdog::giveUp(QWidget& shown, const QString& why) {
    unexpected_ << QStringLiteral("%1 %2 \"%3\"")
                       .arg(why, QString::fromLatin1(shown.metaObject()->className()),
                            shown.windowTitle());
    closeWindow(shown);
}

void Watchdog::tick() {
    if (busy_) {
        return;
    }
    QWidget* shown = openPopupOrModal();
    if (shown == nullptr || !shown->isVisible()) {
        current_ = nullptr;
        return;
    }
    if (shown == current_) {
        if (currentSince_.elapsed() > kStepGraceMs) {
            giveUp(*shown, QStringLiteral("left open:"));
        }
        return;
    }
    current_ = shown;
    currentSince_.start();
    busy_ = true;
    if (next_ < steps_.size()) {
        steps_[next_++](*shown);
    } else {
        giveUp(*shown, QStringLiteral("unexpected:"));
    }
    busy_ = false;
}

} // namespace et::qt::test
