#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>
#include <optional>

#include "test_classes.hpp"
#include "ui/form/help_texts.hpp"
#include "ui/qt/text_window.hpp"
#include "ui/qt/twips.hpp"

namespace et::qt::test {

namespace {

// What a message box showed, read while it was open.
struct BoxSeen {
    QString title;
    QString text;
    int buttons = 0;
    bool okButton = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modal = false;
    bool linesWhole = false; // the box is wide enough for its longest line
};

// A step that reads the message box and closes it with its OK button.
Watchdog::Step readBox(std::optional<BoxSeen>& seen) {
    return [&seen](QWidget& widget) {
        auto* box = qobject_cast<QMessageBox*>(&widget);
        if (box == nullptr) {
            widget.close();
            return;
        }
        seen = BoxSeen{box->windowTitle(),
                       box->text(),
                       static_cast<int>(box->buttons().size()),
                       box->button(QMessageBox::Ok) != nullptr,
                       box->icon(),
                       box->isModal()};
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            seen->linesWhole = label->width() >= label->fontMetrics().size(0, box->text()).width();
        }
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
        } else {
            box->reject();
        }
    };
}

QString shown(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Opens the text window through the help menu's "&GB Points".
std::size_t chooseGBPoints(Watchdog& watchdog, QPushButton& help) {
    return watchdog.drive([&help] { help.click(); },
                          {[](QWidget& menu) { QTest::keyClick(&menu, Qt::Key_G); }});
}

} // namespace

void HelpTest::menuDropsFromTheButton_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("click") << "click";
    QTest::newRow("Space") << "space";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Alt+H") << "alt+h";
}

// The menu's top right corner lies on the Help button's bottom right corner, each time, and
// dismissing it with Esc runs nothing.
void HelpTest::menuDropsFromTheButton() {
    QFETCH(QString, how);
    auto* help = element<QPushButton>(QStringLiteral("cmdHelp"));
    const std::function<void()> press = [&] {
        if (how == QLatin1String("click")) {
            QTest::mouseClick(help, Qt::LeftButton);
        } else if (how == QLatin1String("alt+h")) {
            QTest::keyClick(&window(), Qt::Key_H, Qt::AltModifier);
        } else {
            help->setFocus();
            QTest::keyClick(help, how == QLatin1String("space") ? Qt::Key_Space : Qt::Key_Return);
        }
    };
    const QPoint corner = help->mapToGlobal(QPoint(help->width(), help->height()));

    QList<QRect> places;
    QStringList items;
    QStringList spoken; // what a screen reader announces for each item
    for (int time = 0; time < 2; ++time) {
        // Offscreen, a closed popup leaves no window active; a desktop gives the focus back.
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTRY_COMPARE(QGuiApplication::focusWindow(), window().windowHandle());
        const auto steps =
            watchdog().drive(press, {[&](QWidget& popup) {
                                 places << popup.geometry();
                                 if (auto* menu = qobject_cast<QMenu*>(&popup)) {
                                     items.clear();
                                     for (QAction* action : menu->actions()) {
                                         items << action->text();
                                     }
                                     spoken.clear();
                                     QAccessibleInterface* list =
                                         QAccessible::queryAccessibleInterface(menu);
                                     for (int i = 0; i < list->childCount(); ++i) {
                                         spoken << list->child(i)->text(QAccessible::Name);
                                     }
                                     QVERIFY(menu->activeAction() == nullptr);
                                 }
                                 QTest::keyClick(&popup, Qt::Key_Escape);
                             }});
        QCOMPARE(steps, std::size_t{1});
    }
    QCOMPARE(items, (QStringList{"&About this program", "&GB Points", "&Version", "&Copyright"}));
    QCOMPARE(spoken, (QStringList{"About this program", "GB Points", "Version", "Copyright"}));
    QCOMPARE(places.size(), 2);
    QCOMPARE(places[0], places[1]);
    QCOMPARE(places[0].x() + places[0].width(), corner.x());
    QCOMPARE(places[0].y(), corner.y());
    // The corner in twips of the client area: (8175, 2295).
    const double dpi = window().layoutDpi();
    QCOMPARE(window().mapFromGlobal(corner),
             QPoint(twipsToPixels(8175.0, dpi), twipsToPixels(2295.0, dpi)));
    QVERIFY(window().textWindow() == nullptr);
}

void HelpTest::menuItemShowsItsBox_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("About") << int(Qt::Key_A) << "About Equivalent Performances"
                           << shown(et::form::AboutText());
    QTest::newRow("Version") << int(Qt::Key_V) << "About this version"
                             << shown(et::form::VersionText());
    QTest::newRow("Copyright") << int(Qt::Key_C) << "Copyright Notice"
                               << shown(et::form::CopyrightText());
}

void HelpTest::menuItemShowsItsBox() {
    QFETCH(int, key);
    QFETCH(QString, title);
    QFETCH(QString, text);

    std::optional<BoxSeen> seen;
    const auto steps = watchdog().drive(
        [this] { element<QPushButton>(QStringLiteral("cmdHelp"))->click(); },
        {[key](QWidget& menu) { QTest::keyClick(&menu, static_cast<Qt::Key>(key)); },
         readBox(seen)});
    QCOMPARE(steps, std::size_t{2});
    QVERIFY(seen.has_value());
    QCOMPARE(seen->title, title);
    QCOMPARE(seen->text, text);
    QCOMPARE(seen->buttons, 1);
    QVERIFY(seen->okButton);
    QCOMPARE(seen->icon, QMessageBox::NoIcon);
    QVERIFY(seen->modal);
    QVERIFY(seen->linesWhole);
}

// The "2004 Edition" label gives the Version box: same title, same text.
void HelpTest::versionLabelShowsTheVersionBox() {
    auto* label = element<QLabel>(QStringLiteral("lblVersion"));
    std::optional<BoxSeen> seen;
    const auto steps =
        watchdog().drive([label] { QTest::mouseClick(label, Qt::LeftButton); }, {readBox(seen)});
    QCOMPARE(steps, std::size_t{1});
    QVERIFY(seen.has_value());
    QCOMPARE(seen->title, QStringLiteral("About this version"));
    QCOMPARE(seen->text, shown(et::form::VersionText()));
    QVERIFY(seen->text.contains(QStringLiteral("\n                 GB POINTS AND BAG POINTS")));
}

// A box that no step expects is closed by the watchdog and reported, so the test fails instead
// of waiting forever.
void HelpTest::watchdogClosesAnUnexpectedBox() {
    QTest::mouseClick(element<QLabel>(QStringLiteral("lblVersion")), Qt::LeftButton);
    const QStringList unexpected = watchdog().takeUnexpected();
    QCOMPARE(unexpected.size(), 1);
    QVERIFY(unexpected.first().contains(QStringLiteral("About this version")));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void HelpTest::textWindowLifeCycle() {
    auto* help = element<QPushButton>(QStringLiteral("cmdHelp"));
    QCOMPARE(chooseGBPoints(watchdog(), *help), std::size_t{1});
    QPointer<TextWindow> text = window().textWindow();
    QVERIFY(text != nullptr);
    QVERIFY(text->isWindow() && text->parentWidget() == nullptr);
    QVERIFY(text->isVisible());
    // No title text; not an empty title either, which the desktop would fill with the program's
    // name.
    QVERIFY(!text->windowTitle().isEmpty() && text->windowTitle().trimmed().isEmpty());
    QCOMPARE(text->size(), twipsToPixels(QSizeF(8130, 4800), window().layoutDpi()));
    QCOMPARE(text->palette().color(QPalette::Window), QColor(192, 192, 192));
    QPlainTextEdit* box = text->scrText();
    QVERIFY(box->isVisible() && !box->isReadOnly());
    QCOMPARE(box->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(box->accessibleName(), QStringLiteral("GB points explanation"));
    QCOMPARE(box->toPlainText(), shown(et::form::GBPointsText()));
    QVERIFY(text->cancelButton()->isVisible() && text->cancelButton()->isEnabled());
    QCOMPARE(text->cancelButton()->accessibleName(), QStringLiteral("Cancel"));

    // Modeless: nothing blocks the main window, whose time box goes on converting.
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(text->windowModality(), Qt::NonModal);
    auto* time = element<QLineEdit>(QStringLiteral("txtATime"));
    QTest::keyClicks(time, QStringLiteral("60.00"));
    QCOMPARE(element<QLineEdit>(QStringLiteral("txtETime_2"))->text(), QStringLiteral(" 1.00.0"));
    QVERIFY(text->isVisible());

    // Centred on the screen at creation.
    const QRect screen = window().screen()->geometry();
    const QPoint centre = text->frameGeometry().center();
    QVERIFY2(qAbs(centre.x() - screen.center().x()) <= 1 &&
                 qAbs(centre.y() - screen.center().y()) <= 1,
             qPrintable(QStringLiteral("centre %1,%2").arg(centre.x()).arg(centre.y())));

    // The user moves it and types into it; a second "&GB Points" keeps the place and refills.
    const QPoint moved = text->pos() + QPoint(-37, 23);
    text->move(moved);
    QTest::keyClicks(box, QStringLiteral("scribble"));
    QVERIFY(box->toPlainText() != shown(et::form::GBPointsText()));
    QCOMPARE(chooseGBPoints(watchdog(), *help), std::size_t{1});
    QCOMPARE(window().textWindow(), text.data());
    QCOMPARE(text->pos(), moved);
    QCOMPARE(box->toPlainText(), shown(et::form::GBPointsText()));

    // Cancel destroys it; the next one is centred again.
    QTest::mouseClick(text->cancelButton(), Qt::LeftButton);
    QVERIFY(window().textWindow() == nullptr);
    QVERIFY(!window().form().TextWindow().IsOpen());
    QTRY_VERIFY(text.isNull());
    QCOMPARE(chooseGBPoints(watchdog(), *help), std::size_t{1});
    QVERIFY(window().textWindow() != nullptr);
    QVERIFY(qAbs(window().textWindow()->frameGeometry().center().x() - screen.center().x()) <= 1);
}

void HelpTest::escapeCancelsTheTextWindow_data() {
    QTest::addColumn<bool>("focusOnButton");
    QTest::newRow("in the text box") << false;
    QTest::newRow("on Cancel") << true;
}

void HelpTest::escapeCancelsTheTextWindow() {
    QFETCH(bool, focusOnButton);
    QCOMPARE(chooseGBPoints(watchdog(), *element<QPushButton>(QStringLiteral("cmdHelp"))),
             std::size_t{1});
    QPointer<TextWindow> text = window().textWindow();
    QVERIFY(QTest::qWaitForWindowActive(text.data()));
    QWidget* target = focusOnButton ? static_cast<QWidget*>(text->cancelButton()) : text->scrText();
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(window().textWindow() == nullptr);
    QTRY_VERIFY(text.isNull());
}

void HelpTest::closeBoxActsLikeCancel() {
    QCOMPARE(chooseGBPoints(watchdog(), *element<QPushButton>(QStringLiteral("cmdHelp"))),
             std::size_t{1});
    QPointer<TextWindow> text = window().textWindow();
    QVERIFY(text->close());
    QVERIFY(window().textWindow() == nullptr);
    QVERIFY(!window().form().TextWindow().IsOpen());
    QTRY_VERIFY(text.isNull());
}

// Closing the main window another way leaves the text window open until it is cancelled.
void HelpTest::textWindowOutlivesAClosedMainWindow() {
    QCOMPARE(chooseGBPoints(watchdog(), *element<QPushButton>(QStringLiteral("cmdHelp"))),
             std::size_t{1});
    QPointer<TextWindow> text = window().textWindow();
    QVERIFY(window().close());
    QVERIFY(!window().isVisible());
    QVERIFY(text != nullptr && text->isVisible());

    // Cancelled, it leaves no window shown, and the program ends with its last window.
    QTest::mouseClick(text->cancelButton(), Qt::LeftButton);
    QTRY_VERIFY(text.isNull());
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }
}

} // namespace et::qt::test
