#pragma once
// The window test classes; test_main.cpp runs them in turn.

#include <QObject>

#include "qt_fixture.hpp"

namespace et::qt::test {

// Twips to pixels: rounding, edges and scale.
class TwipsTest : public QObject {
    Q_OBJECT

private slots:
    void lengths_data();
    void lengths();
    void neighboursShareTheirEdge_data();
    void neighboursShareTheirEdge();
};

// The main window: its build from the element table, and each user action reaching the form.
class MainWindowTest : public WindowFixture {
    Q_OBJECT

private slots:
    void opensInItsFirstState();
    void widgetsStandWhereTheTableSays();
    void poolClickRunsItsHandler_data();
    void poolClickRunsItsHandler();
    void eventClickRunsItsHandler_data();
    void eventClickRunsItsHandler();
    void hiddenSelectedEventStaysSelected();
    void typingUpdatesEveryBoxAtEachKeystroke();
    void pastingAWholeTime();
    void badInputChangesNothing_data();
    void badInputChangesNothing();
    void accessibleNames_data();
    void accessibleNames();
    void timeBoxNameFollowsItsLabel();
    void optionsAreAnnouncedAsOptions();
    void doneClosesEveryWindow();
};

// The help button, its menu, the message boxes and the text window.
class HelpTest : public WindowFixture {
    Q_OBJECT

private slots:
    void menuDropsFromTheButton_data();
    void menuDropsFromTheButton();
    void menuItemShowsItsBox_data();
    void menuItemShowsItsBox();
    void versionLabelShowsTheVersionBox();
    void watchdogClosesAnUnexpectedBox();
    void textWindowLifeCycle();
    void escapeCancelsTheTextWindow_data();
    void escapeCancelsTheTextWindow();
    void closeBoxActsLikeCancel();
    void textWindowOutlivesAClosedMainWindow();
};

} // namespace et::qt::test
