// The Equivalent Times entries program: sets up the application, reads the command line and
// opens the entries window, with the meet file named there if any.

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QString>
#include <QTextStream>

#include "entries/entries_window.hpp"
#include "lenex/lenex_entries.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("equivtimes-entries"));
    QApplication::setOrganizationName(QStringLiteral("Equivalent Times"));
    QApplication::setOrganizationDomain(QStringLiteral("example.org"));
    QApplication::setApplicationVersion(QStringLiteral(EQUIVTIMES_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.equivtimes.EquivTimes.Entries"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Checks a Lenex meet's entries against its qualifying times, each entry "
                       "converted to the pool of its event."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption standards(QStringLiteral("standards"),
                                       QStringLiteral("Adds the qualifying times of FILE."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption course(
        QStringLiteral("course"),
        QStringLiteral("Checks the meet in the course CODE (LCM, SCM, "
                       "SCY, SCM33, SCM20, SCY20, SCY27, SCY33, SCY36)."),
        QStringLiteral("CODE"));
    parser.addOption(standards);
    parser.addOption(course);
    parser.addPositionalArgument(QStringLiteral("MEETFILE"),
                                 QStringLiteral("A Lenex meet file (.lef or .lxf) to open."),
                                 QStringLiteral("[MEETFILE]"));
    parser.process(app);

    const QStringList meets = parser.positionalArguments();
    const QString code = parser.value(course);
    if (meets.size() > 1 || (!code.isEmpty() && !et::meet::IsKnownCourse(code.toStdString()))) {
        QTextStream(stderr) << (meets.size() > 1 ? QStringLiteral("Give one meet file.\n")
                                                 : QStringLiteral("Unknown course: %1\n").arg(code))
                            << parser.helpText();
        return 2;
    }

    et::entries::EntriesWindow window;
    if (!code.isEmpty()) {
        window.setCourse(code);
    }
    window.show();
    if (!meets.isEmpty()) {
        window.openMeet(meets.first(), parser.values(standards));
    }
    return QApplication::exec();
}
