#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>

#include "support/fake_platform.hpp"
#include "test_classes.hpp"
#include "ui/form/elements.hpp"
#include "ui/form/main_form.hpp"
#include "ui/qt/element_look.hpp"
#include "ui/qt/text_window.hpp"
#include "ui/qt/twips.hpp"

namespace et::qt::test {

namespace {

using et::form::OptionGroup;

QString nameOf(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// The eleven output boxes, converted times then male and female points.
QStringList outputBoxes() {
    QStringList names;
    for (int i = 0; i < 9; ++i) {
        names << nameOf("txtETime", i);
    }
    names << nameOf("txtGBPnt", 0) << nameOf("txtGBPnt", 1);
    return names;
}

QStringList outputTexts(const et::form::MainWindowState& state) {
    QStringList texts;
    for (const auto& box : state.txtETime) {
        texts << QString::fromStdString(box.Text);
    }
    for (const auto& box : state.txtGBPnt) {
        texts << QString::fromStdString(box.Text);
    }
    return texts;
}

} // namespace

void MainWindowTest::opensInItsFirstState() {
    MainWindow& w = window();
    QCOMPARE(w.windowTitle(),
             QStringLiteral("Vozared Odazodiv - Equivalent Times for Different Length Pools"));
    const QSize client = twipsToPixels(QSizeF(8385, 6360), w.layoutDpi());
    QCOMPARE(w.size(), client);
    QCOMPARE(w.minimumSize(), client);
    QCOMPARE(w.maximumSize(), client);

    QVERIFY(element<QRadioButton>(nameOf("optPoolLen", 1))->isChecked()); // 25 metres
    QVERIFY(element<QRadioButton>(nameOf("optEvent", 1))->isChecked());   // Free 100
    QCOMPARE(element<QLabel>(QStringLiteral("lblTime"))->text(),
             QStringLiteral("Time in 25 metres pool"));
    QCOMPARE(element<QLabel>(QStringLiteral("lblMetric"))->text(), QStringLiteral("100m Free"));
    QCOMPARE(element<QLabel>(QStringLiteral("lblIntC"))->text(), QStringLiteral("110yds Free"));
    QCOMPARE(element<QLabel>(QStringLiteral("lblImp"))->text(), QStringLiteral("100yds Free"));
    for (const QString& name : outputBoxes()) {
        auto* box = element<QLineEdit>(name);
        QVERIFY2(box->text().isEmpty(), qPrintable(name));
        QVERIFY2(box->isReadOnly(), qPrintable(name));
    }
    // The pickers and their headings are never seen.
    for (const char* hidden : {"picStdStroke", "picStdDist", "lblStroke_1", "lblDistance"}) {
        QVERIFY2(!element<QWidget>(QLatin1String(hidden))->isVisible(), hidden);
    }

    auto* time = element<QLineEdit>(QStringLiteral("txtATime"));
    QVERIFY(!time->isReadOnly());
    QCOMPARE(time->palette().color(QPalette::Base), QColor(128, 255, 255));
    QCOMPARE(time->toolTip(), QStringLiteral("Enter Time to format mm.ss.hh"));
    QCOMPARE(QApplication::focusWidget(), time);
    // First in the tab order: the first element that Tab reaches from the window itself.
    QWidget* first = w.nextInFocusChain();
    while (first != &w && !((first->focusPolicy() & Qt::TabFocus) && first->isVisible())) {
        first = first->nextInFocusChain();
    }
    QCOMPARE(first, time);
    QVERIFY(!w.windowIcon().isNull());

    QCOMPARE(element<QGroupBox>(QStringLiteral("fraPoolLen"))->title(),
             QStringLiteral("Pool Length"));
    QCOMPARE(element<QGroupBox>(QStringLiteral("Frame1"))->title(),
             QStringLiteral("British Comparative Points (2004-2005"));
    QCOMPARE(element<QGroupBox>(QStringLiteral("fraEvent"))->toolTip(),
             QStringLiteral("Select Stroke and Distance"));
    auto* version = element<QLabel>(QStringLiteral("lblVersion"));
    QVERIFY(version->font().bold() && version->font().underline());
    QCOMPARE(version->palette().color(QPalette::Window), QColor(128, 255, 255));
}

// Every element of the table stands in its container at its twips geometry, in its font size.
void MainWindowTest::widgetsStandWhereTheTableSays() {
    const double dpi = window().layoutDpi();
    for (const auto& e : et::form::kMainWindowElements) {
        QString name = toQString(e.name);
        if (e.index != et::form::kNoIndex) {
            name = nameOf(std::string(e.name).c_str(), e.index);
        }
        auto* widget = element<QWidget>(name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        const QString container =
            e.container.empty() ? QStringLiteral("frmPlivarn") : toQString(e.container);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->geometry(), twipsToPixels(e.geometry.Left, e.geometry.Top,
                                                   e.geometry.Width, e.geometry.Height, dpi));
        QCOMPARE(widget->font().pixelSize(), pointsToPixels(e.font.pointSize, dpi));
        QCOMPARE(widget->font().bold(), e.font.bold);
    }
}

void MainWindowTest::poolClickRunsItsHandler_data() {
    QTest::addColumn<int>("pool");
    QTest::addColumn<QString>("timeLabel");
    QTest::addColumn<int>("poolType");
    QTest::addColumn<int>("lengthCode");
    QTest::addColumn<QList<int>>("hiddenEvents");

    const QList<int> fifties = {0, 6, 9, 12, 15};
    const QList<int> fiftiesAnd1500 = {0, 5, 6, 9, 12, 15};
    QTest::newRow("20 metres") << 0 << "Time in 20 metres pool" << 1 << 4 << fifties;
    QTest::newRow("50 metres") << 3 << "Time in 50 metres pool" << 1 << 1 << QList<int>{15};
    QTest::newRow("36 2/3 yards") << 5 << "Time in 36 2/3 yards pool" << 2 << 2 << fifties;
    QTest::newRow("20 yards") << 6 << "Time in 20 yards pool" << 3 << 4 << fiftiesAnd1500;
    QTest::newRow("33 1/3 yards") << 8 << "Time in 33 1/3 yards pool" << 3 << 2 << fiftiesAnd1500;
}

void MainWindowTest::poolClickRunsItsHandler() {
    QFETCH(int, pool);
    QFETCH(QString, timeLabel);
    QFETCH(int, poolType);
    QFETCH(int, lengthCode);
    QFETCH(QList<int>, hiddenEvents);

    auto* option = element<QRadioButton>(nameOf("optPoolLen", pool));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));

    QCOMPARE(window().form().State().SelPoolType, poolType);
    QCOMPARE(window().form().State().SelPoolLenCode, lengthCode);
    QCOMPARE(element<QLabel>(QStringLiteral("lblTime"))->text(), timeLabel);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(element<QRadioButton>(nameOf("optPoolLen", i))->isChecked(), i == pool);
    }
    for (int i = 0; i < 18; ++i) {
        const bool hidden = hiddenEvents.contains(i);
        QVERIFY2(element<QRadioButton>(nameOf("optEvent", i))->isVisible() == !hidden,
                 qPrintable(nameOf("optEvent", i)));
    }
}

void MainWindowTest::eventClickRunsItsHandler_data() {
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("headings");

    QTest::newRow("Back 50") << 6 << 13 << QStringList{"50m Back", "55yds Back", "50yds Back"};
    QTest::newRow("Free 1500") << 5 << 6
                               << QStringList{"1500m Free", "1650yds Free", "1650yds Free"};
    QTest::newRow("I.M. 400") << 17 << 17 << QStringList{"400m IM", "440yds IM", "400yds IM"};
}

void MainWindowTest::eventClickRunsItsHandler() {
    QFETCH(int, event);
    QFETCH(int, code);
    QFETCH(QStringList, headings);

    auto* option = element<QRadioButton>(nameOf("optEvent", event));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));

    QCOMPARE(window().form().State().SelEvent, code);
    const QStringList shown = {element<QLabel>(QStringLiteral("lblMetric"))->text(),
                               element<QLabel>(QStringLiteral("lblIntC"))->text(),
                               element<QLabel>(QStringLiteral("lblImp"))->text()};
    QCOMPARE(shown, headings);
    for (int i = 0; i < 18; ++i) {
        QCOMPARE(element<QRadioButton>(nameOf("optEvent", i))->isChecked(), i == event);
    }
    // Clicking the selected option again keeps it selected (Qt would otherwise toggle it off).
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    QVERIFY(option->isChecked());
}

// A pool that cannot offer the selected event hides its option but keeps it selected and
// recalculates it for the new pool.
void MainWindowTest::hiddenSelectedEventStaysSelected() {
    element<QRadioButton>(nameOf("optEvent", 0))->click(); // Free 50
    QTest::keyClicks(element<QLineEdit>(QStringLiteral("txtATime")), QStringLiteral("25.00"));
    const QString in25 = element<QLineEdit>(nameOf("txtETime", 0))->text();
    QVERIFY(!in25.isEmpty());

    element<QRadioButton>(nameOf("optPoolLen", 0))->click(); // 20 metres
    auto* free50 = element<QRadioButton>(nameOf("optEvent", 0));
    QVERIFY(!free50->isVisible());
    QVERIFY(free50->isChecked());
    QCOMPARE(window().form().State().SelEvent, 1);
    QVERIFY(element<QLineEdit>(nameOf("txtETime", 0))->text() != in25);

    // Back to a pool that offers it: shown again, still the one selected.
    element<QRadioButton>(nameOf("optPoolLen", 1))->click();
    QVERIFY(free50->isVisible());
    QVERIFY(free50->isChecked());
}

// Each keystroke reaches the form and all eleven boxes show what the form computed for the text
// so far: a window logic driven headless with the same choices is the reference.
void MainWindowTest::typingUpdatesEveryBoxAtEachKeystroke() {
    et::test::FakePlatform platform;
    et::form::MainForm reference(platform);
    reference.Form_Load();
    reference.SelectOption(OptionGroup::optPoolLen, 8); // 33 1/3 yards
    reference.SelectOption(OptionGroup::optEvent, 14);  // Fly 200

    element<QRadioButton>(nameOf("optPoolLen", 8))->click();
    element<QRadioButton>(nameOf("optEvent", 14))->click();
    auto* time = element<QLineEdit>(QStringLiteral("txtATime"));
    const QString typed = QStringLiteral("2.05.37");
    for (qsizetype n = 1; n <= typed.size(); ++n) {
        QTest::keyClick(time, typed.at(n - 1).toLatin1());
        reference.SetTimeText(typed.left(n).toStdString());
        QStringList shown;
        for (const QString& name : outputBoxes()) {
            shown << element<QLineEdit>(name)->text();
        }
        QCOMPARE(shown, outputTexts(reference.State()));
    }
    for (const QString& name : outputBoxes()) {
        QVERIFY2(!element<QLineEdit>(name)->text().trimmed().isEmpty(), qPrintable(name));
    }
    // The box of the pool swum in shows the swim itself, to a tenth.
    QCOMPARE(element<QLineEdit>(nameOf("txtETime", 6))->text().trimmed(), QStringLiteral("2.05.4"));
    QVERIFY(platform.messages.empty());
}

void MainWindowTest::pastingAWholeTime() {
    QApplication::clipboard()->setText(QStringLiteral("1:01.50"));
    auto* time = element<QLineEdit>(QStringLiteral("txtATime"));
    QTest::keySequence(time, QKeySequence::Paste);
    QCOMPARE(time->text(), QStringLiteral("1:01.50"));
    QCOMPARE(window().form().State().txtATime.Text, std::string("1:01.50"));
    // 25 metres, Free 100: the 25-metre box shows the swim, every other box is filled too.
    QCOMPARE(element<QLineEdit>(nameOf("txtETime", 2))->text().trimmed(), QStringLiteral("1.01.5"));
    QCOMPARE(outputTexts(window().form().State()), [this] {
        QStringList shown;
        for (const QString& name : outputBoxes()) {
            shown << element<QLineEdit>(name)->text();
        }
        return shown;
    }());
}

// Whatever lands in the time box that is not a valid time above 10 seconds leaves every output
// box as it was, brings up no box and leaves the window working.
void MainWindowTest::badInputChangesNothing_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typed"); // typed key by key, otherwise pasted whole

    QTest::newRow("letters typed") << "abc" << true;
    QTest::newRow("letters after a time") << "60.0x" << false;
    QTest::newRow("a thousand digits") << QString(1000, QLatin1Char('9')) << false;
    QTest::newRow("a thousand letters") << QString(1000, QLatin1Char('z')) << false;
    QTest::newRow("a thousand separators") << QString(1000, QLatin1Char('.')) << false;
    QTest::newRow("control characters") << QStringLiteral("\x01\x02\x1b\x7f") << false;
    QTest::newRow("a NUL inside a time") << QString::fromUtf16(u"60\u0000.00", 6) << false;
    QTest::newRow("a tab inside a time") << QStringLiteral("6\t0.00") << false;
    QTest::newRow("a line break inside a time") << QStringLiteral("6\n0.00") << false;
    QTest::newRow("fullwidth digits") << QString::fromUtf16(u"\uff16\uff10.\uff10\uff10") << false;
    QTest::newRow("Arabic-Indic digits")
        << QString::fromUtf16(u"\u0666\u0660.\u0660\u0660") << false;
    QTest::newRow("accented letters typed") << QString::fromUtf16(u"\u00e9\u00fc") << true;
    QTest::newRow("an emoji") << QString::fromUtf16(u"\U0001F3CA") << false;
    QTest::newRow("a lone surrogate") << QString(QChar(0xd83c)) << false;
    QTest::newRow("ten seconds exactly") << "10.00" << false;
    QTest::newRow("over 45 minutes") << "45.00.01" << false;
}

void MainWindowTest::badInputChangesNothing() {
    QFETCH(QString, text);
    QFETCH(bool, typed);

    auto* time = element<QLineEdit>(QStringLiteral("txtATime"));
    QTest::keyClicks(time, QStringLiteral("60.00"));
    QStringList before;
    for (const QString& name : outputBoxes()) {
        before << element<QLineEdit>(name)->text();
    }
    QVERIFY(!before.first().isEmpty());

    const auto boxes = watchdog().drive(
        [&] {
            time->selectAll();
            if (typed) {
                // Key by key as a keyboard layout delivers them, beyond ASCII too.
                for (const QChar c : text) {
                    QTest::sendKeyEvent(QTest::Click, time, Qt::Key_unknown, QString(c),
                                        Qt::NoModifier);
                }
            } else {
                QApplication::clipboard()->setText(text);
                QTest::keySequence(time, QKeySequence::Paste);
            }
        },
        {});
    QCOMPARE(boxes, std::size_t{0});
    // The text reached the window's handler as the box holds it.
    QVERIFY(!time->text().isEmpty());
    QCOMPARE(window().form().State().txtATime.Text, time->text().toStdString());
    QStringList after;
    for (const QString& name : outputBoxes()) {
        after << element<QLineEdit>(name)->text();
    }
    QCOMPARE(after, before);

    // The window still answers: a valid time is converted again.
    time->selectAll();
    QTest::keyClicks(time, QStringLiteral("1:05.00"));
    QCOMPARE(element<QLineEdit>(nameOf("txtETime", 2))->text().trimmed(), QStringLiteral("1.05.0"));
}

void MainWindowTest::accessibleNames_data() {
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("accessibleName");

    QTest::newRow("pool") << "optPoolLen_8"
                          << "33 1/3 yards";
    QTest::newRow("event Free 50") << "optEvent_0"
                                   << "Free 50";
    QTest::newRow("event Back 50") << "optEvent_6"
                                   << "Back 50";
    QTest::newRow("event I.M. 200") << "optEvent_16"
                                    << "I.M. 200";
    QTest::newRow("time box") << "txtATime"
                              << "Time in 25 metres pool";
    const char* pools[] = {"50 metres",    "33 1/3 metres", "25 metres",
                           "20 metres",    "36 2/3 yards",  "27 1/2 yards",
                           "33 1/3 yards", "25 yards",      "20 yards"};
    for (int i = 0; i < 9; ++i) {
        QTest::newRow(qPrintable(nameOf("txtETime", i)))
            << nameOf("txtETime", i) << QStringLiteral("Converted time in ") + pools[i];
    }
    QTest::newRow("male") << "txtGBPnt_0"
                          << "Male points";
    QTest::newRow("female") << "txtGBPnt_1"
                            << "Female points";
    QTest::newRow("Done") << "CmdExit"
                          << "Done";
    QTest::newRow("Help") << "cmdHelp"
                          << "Help";
}

void MainWindowTest::accessibleNames() {
    QFETCH(QString, objectName);
    QFETCH(QString, accessibleName);
    auto* widget = element<QWidget>(objectName);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->accessibleName(), accessibleName);
}

void MainWindowTest::timeBoxNameFollowsItsLabel() {
    element<QRadioButton>(nameOf("optPoolLen", 4))->click();
    QCOMPARE(element<QLineEdit>(QStringLiteral("txtATime"))->accessibleName(),
             QStringLiteral("Time in 27 1/2 yards pool"));
}

// A screen reader hears one choice among options in each group, never a row of check boxes, and
// hears which option is chosen, before and after a click.
void MainWindowTest::optionsAreAnnouncedAsOptions() {
    const auto announced = [this](const QString& name) {
        auto* option = element<QRadioButton>(name);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(option);
        QVERIFY2(spoken != nullptr, qPrintable(name));
        QCOMPARE(spoken->role(), QAccessible::RadioButton);
        QVERIFY2(spoken->state().checkable, qPrintable(name));
        QCOMPARE(spoken->state().checked, option->isChecked());
    };
    int options = 0;
    for (const auto& e : et::form::kMainWindowElements) {
        if (e.kind == et::form::ElementKind::Option) {
            ++options;
            announced(nameOf(std::string(e.name).c_str(), e.index));
        }
    }
    QCOMPARE(options, 9 + 18 + 5 + 6);

    // Choosing still leaves exactly one option of the group chosen.
    element<QRadioButton>(nameOf("optPoolLen", 7))->click();
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(element<QRadioButton>(nameOf("optPoolLen", i))->isChecked(), i == 7);
        announced(nameOf("optPoolLen", i));
    }
    element<QRadioButton>(nameOf("optPoolLen", 7))->click(); // a chosen option stays chosen
    QVERIFY(element<QRadioButton>(nameOf("optPoolLen", 7))->isChecked());
    QCOMPARE(QString::fromStdString(window().form().State().lblTime.Caption),
             QStringLiteral("Time in 25 yards pool"));
}

void MainWindowTest::doneClosesEveryWindow() {
    // Open the text window first: "&Done" takes it down too.
    const auto steps =
        watchdog().drive([this] { element<QPushButton>(QStringLiteral("cmdHelp"))->click(); },
                         {[](QWidget& menu) { QTest::keyClick(&menu, Qt::Key_G); }});
    QCOMPARE(steps, std::size_t{1});
    QPointer<TextWindow> text = window().textWindow();
    QVERIFY(text != nullptr && text->isVisible());

    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QTRY_COMPARE(QGuiApplication::focusWindow(), window().windowHandle());
    QTest::keyClick(&window(), Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(!window().isVisible());
    QVERIFY(text.isNull() || !text->isVisible());
    QTRY_VERIFY(text.isNull());
}

} // namespace et::qt::test
