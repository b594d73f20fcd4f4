// The Equivalent Times window program: sets up the application and opens the main window.
//
// Environment:
//   EQUIVTIMES_QUIT_AFTER_FIRST_FRAME=1  quit as soon as the main window's first frame has been
//                                        painted (start-up time measurements).

#include "ui/qt/first_frame.hpp"
#include "ui/qt/main_window.hpp"

#include <QApplication>
#include <QGuiApplication>
#include <QString>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("equivtimes"));
    // No application display name: Qt would append it to every window title on X11, and the main
    // window's title is exactly its own.
    QApplication::setOrganizationName(QStringLiteral("Equivalent Times"));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QApplication::setApplicationVersion(QStringLiteral(EQUIVTIMES_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.equivtimes.EquivTimes"));

    et::qt::MainWindow window;
    if (qEnvironmentVariable("EQUIVTIMES_QUIT_AFTER_FIRST_FRAME") == QLatin1String("1")) {
        et::qt::quitAfterFirstFrame(window);
    }
    window.show();
    return QApplication::exec();
}
