// Runs the window test classes in one process on one QApplication.

#include <QApplication>
#include <QTest>

#include "qt_fixture.hpp"
#include "support/private_home.hpp"
#include "test_classes.hpp"

int main(int argc, char* argv[]) {
    // Nothing Qt remembers in the home folder is shared with other tests or the user.
    const et::test::PrivateHome home;
    et::qt::test::useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    // The tests close windows freely; the application must outlive them.
    QApplication::setQuitOnLastWindowClosed(false);

    int failures = 0;
    {
        et::qt::test::TwipsTest twips;
        failures += QTest::qExec(&twips, argc, argv);
    }
    {
        et::qt::test::MainWindowTest mainWindow;
        failures += QTest::qExec(&mainWindow, argc, argv);
    }
    {
        et::qt::test::HelpTest help;
        failures += QTest::qExec(&help, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
