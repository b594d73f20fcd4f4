// The entries window's wiring, offscreen: the meet library's rows and verdicts reach the table,
// the filter, search, sort and course choice show what they should, save and export write what
// the command line writes, a cancelled or failed load loses nothing, and closing asks for
// unsaved work.

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPdfWriter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <functional>
#include <memory>

#include "entries/entries_window.hpp"
#include "entries/report_filter.hpp"
#include "entries/report_model.hpp"
#include "support/private_home.hpp"
#include "watchdog.hpp"

namespace et::entries::test {

using et::qt::test::Watchdog;

namespace {

QString data(const char* name) {
    return QStringLiteral(ENTRIES_TEST_DATA "/") + QLatin1String(name);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot read)");
}

// Runs equivtimes-cli entries with the arguments; true when it read the meet (status 0 or 1).
bool runCli(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(EQUIVTIMES_CLI), QStringList{QStringLiteral("entries")} + arguments);
    return cli.waitForFinished(60000) && cli.exitStatus() == QProcess::NormalExit &&
           cli.exitCode() <= 1;
}

// A meet of many entries, for loads long enough to cancel and to watch progress.
void writeBigMeet(const QString& path, int clubs, int athletes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\">"
                     "<CONSTRUCTOR name=\"Generated\" version=\"1\"/><MEETS>"
                     "<MEET name=\"Big Meet\" city=\"Hull\" course=\"SCM\"><SESSIONS>"
                     "<SESSION number=\"1\" date=\"2026-12-12\" course=\"SCM\"><EVENTS>"
                     "<EVENT eventid=\"1\" number=\"1\"><SWIMSTYLE distance=\"100\" "
                     "relaycount=\"1\" stroke=\"FREE\"/></EVENT>"
                     "<EVENT eventid=\"2\" number=\"2\"><SWIMSTYLE distance=\"200\" "
                     "relaycount=\"1\" stroke=\"BACK\"/></EVENT>"
                     "</EVENTS></SESSION></SESSIONS><CLUBS>";
    for (int c = 0; c < clubs; ++c) {
        xml += "<CLUB name=\"Club " + QByteArray::number(c) + "\"><ATHLETES>";
        for (int a = 0; a < athletes; ++a) {
            const QByteArray id = QByteArray::number(c * athletes + a);
            xml += "<ATHLETE athleteid=\"" + id + "\" firstname=\"A\" lastname=\"S" + id +
                   "\" gender=\"F\" birthdate=\"2010-01-01\"><ENTRIES>"
                   "<ENTRY eventid=\"1\" entrytime=\"00:01:0" +
                   QByteArray::number(a % 10) +
                   ".50\" entrycourse=\"LCM\"/><ENTRY eventid=\"2\" entrytime=\"00:02:3" +
                   QByteArray::number(c % 10) + ".10\" entrycourse=\"SCY\"/></ENTRIES></ATHLETE>";
        }
        xml += "</ATHLETES></CLUB>";
    }
    xml += "</CLUBS></MEET></MEETS></LENEX>\n";
    QVERIFY(file.write(xml) == xml.size());
}

// A message box's text, read by a watchdog step, which then presses one of its buttons.
Watchdog::Step answerBox(QString& text, QMessageBox::StandardButton press = QMessageBox::Ok) {
    return [&text, press](QWidget& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        if (box == nullptr) {
            text = QStringLiteral("(not a message box: %1)").arg(shown.metaObject()->className());
            shown.close();
            return;
        }
        text = box->text();
        box->button(press)->click();
    };
}

QStringList column(const QAbstractItemModel& model, int col) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row) {
        values << model.index(row, col).data().toString();
    }
    return values;
}

} // namespace

class EntriesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheReportRowsAndVerdicts();
    void filterSearchAndSort_data();
    void filterSearchAndSort();
    void showsOneVerdict_data();
    void showsOneVerdict();
    void verdictAndReasonInViewAtTheOpeningSize();
    void courseOverride_data();
    void courseOverride();
    void addedQualifyingTimes_data();
    void addedQualifyingTimes();
    void swimmersTimesAndTheCourseUsed();
    void saveAndExportWriteWhatTheCommandLineWrites();
    void neverSavesOverTheOpenedMeet();
    void opensAnSdifFileAndSavesItsCopyInItsDialect();
    void cancelDuringALongLoadLeavesAnEmptyUsableWindow();
    void longLoadReportsProgress();
    void badFileKeepsThePreviousMeet_data();
    void badFileKeepsThePreviousMeet();
    void closingOffersToSaveUnsavedWork_data();
    void closingOffersToSaveUnsavedWork();
    void dropOpensAndRemembersTheFile();
    void openFromTheKeyboard();
    void printsOneClubAPage_data();
    void printsOneClubAPage();
    void feesPerClub();
    void everyControlHasAnAccessibleName();

private:
    // Opens a meet and waits for the load to end, whatever its outcome.
    bool load(const QString& path);
    bool waitForLoad(const std::function<void()>& start);
    template <typename T> T* element(const QString& name) { return window_->findChild<T*>(name); }

    Watchdog watchdog_;
    std::unique_ptr<EntriesWindow> window_;
    std::unique_ptr<QTemporaryDir> scratch_;
};

void EntriesWindowTest::init() {
    scratch_ = std::make_unique<QTemporaryDir>();
    QSettings().clear();
    window_ = std::make_unique<EntriesWindow>();
    window_->move(0, 0);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void EntriesWindowTest::cleanup() {
    const QStringList unexpected = watchdog_.takeUnexpected();
    window_.reset();
    QVERIFY2(unexpected.isEmpty(),
             qPrintable(QStringLiteral("watchdog: ") + unexpected.join(", ")));
}

bool EntriesWindowTest::waitForLoad(const std::function<void()>& start) {
    QSignalSpy finished(window_.get(), &EntriesWindow::loadFinished);
    start();
    // A start that began no load (a dialog cancelled, a drop refused) fails now, not at the wait's
    // end.
    return finished.count() > 0 || (window_->busy() && finished.wait(120000));
}

bool EntriesWindowTest::load(const QString& path) {
    return waitForLoad([&] { window_->openMeet(path); });
}

void EntriesWindowTest::showsTheReportRowsAndVerdicts() {
    QVERIFY(load(data("winter-open.lef")));
    struct Expected {
        const char* swimmer;
        const char* event;
        const char* converted;
        const char* verdict;
    };
    // nullptr: the library's wording, not checked here.
    const std::vector<Expected> expected = {
        {"Smith, Tom", "100 Free", "", "meets"},       {"Smith, Tom", "200 IM", "2.18.5", "meets"},
        {"Jones, Amy", "100 Free", "1.00.6", "meets"}, {"Jones, Amy", "200 IM", "", "no time"},
        {"Brown, Bea", "100 Free", "", "misses"},      {"Brown, Bea", nullptr, "", "error"},
        {nullptr, nullptr, "", "not converted"},
    };
    const QTableView& table = window_->table();
    QCOMPARE(table.model()->rowCount(), static_cast<int>(expected.size()));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&window_->table());
    QVERIFY(accessible != nullptr && accessible->tableInterface() != nullptr);
    QAccessibleTableInterface* cells = accessible->tableInterface();
    for (int row = 0; row < static_cast<int>(expected.size()); ++row) {
        const Expected& want = expected[static_cast<std::size_t>(row)];
        const auto cell = [&](int col) { return table.model()->index(row, col); };
        if (want.swimmer != nullptr) {
            QCOMPARE(cell(ReportModel::Swimmer).data().toString(), QString::fromUtf8(want.swimmer));
        }
        if (want.event != nullptr) {
            QCOMPARE(cell(ReportModel::Event).data().toString(), QString::fromUtf8(want.event));
        }
        QCOMPARE(cell(ReportModel::Converted).data().toString(), QString::fromUtf8(want.converted));
        QCOMPARE(cell(ReportModel::Verdict).data().toString(), QString::fromUtf8(want.verdict));
        // The verdict also has its icon, and a screen reader reads the cell's text.
        QVERIFY(!cell(ReportModel::Verdict).data(Qt::DecorationRole).value<QIcon>().isNull());
        QAccessibleInterface* spoken = cells->cellAt(row, ReportModel::Verdict);
        QVERIFY(spoken != nullptr);
        QCOMPARE(spoken->text(QAccessible::Name), QString::fromUtf8(want.verdict));
    }
    QCOMPARE(element<QLabel>(QStringLiteral("meetName"))->text(), QStringLiteral("Winter Open"));
    const QString place = element<QLabel>(QStringLiteral("meetPlace"))->text();
    QVERIFY2(place.contains(QStringLiteral("2026-12-12")) &&
                 place.contains(QStringLiteral("Leeds")) &&
                 place.contains(QStringLiteral("25 metres (SCM)")),
             qPrintable(place));
    QCOMPARE(element<QLabel>(QStringLiteral("counts"))->text(),
             QStringLiteral("Entries: 7 read, 2 converted, 3 meeting, 1 missing, 1 not converted, "
                            "1 errors, 0 ineligible, 0 withdrawn; 7 shown"));
    QCOMPARE(table.model()->headerData(ReportModel::Converted, Qt::Horizontal).toString(),
             QStringLiteral("Converted"));
}

void EntriesWindowTest::filterSearchAndSort_data() {
    QTest::addColumn<int>("show");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("readColumn");
    QTest::addColumn<QStringList>("expected");
    const int all = static_cast<int>(ReportFilter::Show::All);
    const int verdict = ReportModel::Verdict;
    QTest::newRow("all, in the file's order")
        << all << "" << -1 << 0 << verdict
        << QStringList{"meets", "meets", "meets", "no time", "misses", "error", "not converted"};
    QTest::newRow("misses") << static_cast<int>(ReportFilter::Show::Misses) << "" << -1 << 0
                            << static_cast<int>(ReportModel::Swimmer) << QStringList{"Brown, Bea"};
    QTest::newRow("not converted") << static_cast<int>(ReportFilter::Show::NotConverted) << "" << -1
                                   << 0 << verdict << QStringList{"not converted"};
    QTest::newRow("errors") << static_cast<int>(ReportFilter::Show::Errors) << "" << -1 << 0
                            << static_cast<int>(ReportModel::Swimmer) << QStringList{"Brown, Bea"};
    QTest::newRow("swimmer, any case")
        << all << "jONES" << -1 << 0 << verdict << QStringList{"meets", "no time"};
    QTest::newRow("club") << all << " york " << -1 << 0 << verdict
                          << QStringList{"misses", "error", "not converted"};
    QTest::newRow("misses of another club") << static_cast<int>(ReportFilter::Show::Misses)
                                            << "Leeds" << -1 << 0 << verdict << QStringList{};
    QTest::newRow("converted, fastest first, blanks last")
        << all << "" << static_cast<int>(ReportModel::Converted) << 0
        << static_cast<int>(ReportModel::Converted)
        << QStringList{"1.00.6", "2.18.5", "", "", "", "", ""};
    QTest::newRow("entry time, slowest first, no time at the top")
        << all << "leeds" << static_cast<int>(ReportModel::EntryTime) << 1
        << static_cast<int>(ReportModel::EntryTime)
        << QStringList{"NT", "2:05.00", "1:02.00", "58.50"};
    QTest::newRow("swimmer, alphabetical")
        << all << "Leeds" << static_cast<int>(ReportModel::Swimmer) << 0
        << static_cast<int>(ReportModel::Swimmer)
        << QStringList{"Jones, Amy", "Jones, Amy", "Smith, Tom", "Smith, Tom"};
}

void EntriesWindowTest::filterSearchAndSort() {
    QFETCH(int, show);
    QFETCH(QString, search);
    QFETCH(int, sortColumn);
    QFETCH(int, order);
    QFETCH(int, readColumn);
    QFETCH(QStringList, expected);
    QVERIFY(load(data("winter-open.lef")));
    auto* showBox = element<QComboBox>(QStringLiteral("show"));
    showBox->setCurrentIndex(showBox->findData(show));
    QTest::keyClicks(element<QLineEdit>(QStringLiteral("search")), search);
    if (sortColumn >= 0) {
        window_->table().sortByColumn(sortColumn, static_cast<Qt::SortOrder>(order));
    }
    QCOMPARE(column(*window_->table().model(), readColumn), expected);
    QVERIFY(element<QLabel>(QStringLiteral("counts"))
                ->text()
                .endsWith(QStringLiteral("; %1 shown").arg(expected.size())));
}

void EntriesWindowTest::showsOneVerdict_data() {
    QTest::addColumn<int>("show");
    QTest::addColumn<QStringList>("swimmers");
    using S = ReportFilter::Show;
    QTest::newRow("all") << static_cast<int>(S::All)
                         << QStringList{"Meets",        "Misses",       "NoStandard",
                                        "NoTime",       "NotConverted", "Error",
                                        "Ineligible 1", "Withdrawn",    "Ineligible 2"};
    QTest::newRow("misses") << static_cast<int>(S::Misses) << QStringList{"Misses"};
    QTest::newRow("not converted")
        << static_cast<int>(S::NotConverted) << QStringList{"NotConverted"};
    QTest::newRow("errors") << static_cast<int>(S::Errors) << QStringList{"Error"};
    QTest::newRow("ineligible") << static_cast<int>(S::Ineligible)
                                << QStringList{"Ineligible 1", "Ineligible 2"};
    QTest::newRow("withdrawn") << static_cast<int>(S::Withdrawn) << QStringList{"Withdrawn"};
}

void EntriesWindowTest::showsOneVerdict() {
    QFETCH(int, show);
    QFETCH(QStringList, swimmers);
    // One row of each verdict, each swimmer named after it, and a second ineligible one.
    using V = et::meet::Verdict;
    std::vector<et::meet::ReportRow> rows;
    const std::vector<std::pair<V, const char*>> verdicts = {{V::Meets, "Meets"},
                                                             {V::Misses, "Misses"},
                                                             {V::NoStandard, "NoStandard"},
                                                             {V::NoTime, "NoTime"},
                                                             {V::NotConverted, "NotConverted"},
                                                             {V::Error, "Error"},
                                                             {V::Ineligible, "Ineligible 1"},
                                                             {V::Withdrawn, "Withdrawn"},
                                                             {V::Ineligible, "Ineligible 2"}};
    for (const auto& [verdict, name] : verdicts) {
        et::meet::ReportRow row;
        row.athlete = name;
        row.verdict = verdict;
        rows.push_back(row);
    }
    window_->model().setRows(rows);
    auto* showBox = element<QComboBox>(QStringLiteral("show"));
    const int index = showBox->findData(show);
    QVERIFY(index >= 0);
    showBox->setCurrentIndex(index);
    QCOMPARE(column(*window_->table().model(), ReportModel::Swimmer), swimmers);
    // The word of the verdict and its icon are the verdict's own.
    for (int row = 0; row < window_->table().model()->rowCount(); ++row) {
        const QModelIndex cell = window_->table().model()->index(row, ReportModel::Verdict);
        const auto verdict = static_cast<V>(cell.data(ReportModel::VerdictRole).toInt());
        QCOMPARE(cell.data().toString(), VerdictLabel(verdict));
        QVERIFY(!cell.data(Qt::DecorationRole).value<QIcon>().isNull());
    }
}

void EntriesWindowTest::verdictAndReasonInViewAtTheOpeningSize() {
    // Long clubs' and swimmers' names, as a national meet has them, and a long reason.
    const QString path = scratch_->filePath(QStringLiteral("long-names.lef"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray xml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LENEX version=\"3.0\">"
            "<CONSTRUCTOR name=\"Generated\" version=\"1\"/><MEETS>"
            "<MEET name=\"National Trials\" city=\"Hull\" course=\"LCM\"><SESSIONS>"
            "<SESSION number=\"1\" date=\"2026-12-12\" course=\"LCM\"><EVENTS>"
            "<EVENT eventid=\"1\" number=\"1\"><SWIMSTYLE distance=\"1500\" relaycount=\"1\" "
            "stroke=\"FREE\"/></EVENT></EVENTS></SESSION></SESSIONS><CLUBS>"
            "<CLUB name=\"Open Water and Pool Swimmers of the Mereford Lakes and "
            "Rivers\"><ATHLETES>";
        for (int a = 0; a < 30; ++a) {
            xml += "<ATHLETE athleteid=\"" + QByteArray::number(a) +
                   "\" firstname=\"Alexandra-Josephine Mary\" lastname=\"Fitzwilliam-Worthington" +
                   QByteArray::number(a) +
                   "\" gender=\"F\" birthdate=\"2010-01-01\"><ENTRIES><ENTRY eventid=\"1\" "
                   "entrytime=\"00:17:32.55\" entrycourse=\"SCY\" status=\"EXH\"/>"
                   "</ENTRIES></ATHLETE>";
        }
        xml += "</ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>\n";
        QVERIFY(file.write(xml) == xml.size());
    }
    QVERIFY(load(path));
    QVERIFY(!window_->model().row(0).reason.empty());
    const QHeaderView& header = *window_->table().horizontalHeader();
    const int width = window_->table().viewport()->width();
    const int letter = window_->table().fontMetrics().horizontalAdvance(QLatin1Char('n'));
    // Every column up to the verdict whole in view, and at least the start of the reason.
    for (int column = 0; column <= ReportModel::Verdict; ++column) {
        QVERIFY2(
            header.sectionViewportPosition(column) + header.sectionSize(column) <= width,
            qPrintable(QStringLiteral("column %1 ends at %2 of %3")
                           .arg(column)
                           .arg(header.sectionViewportPosition(column) + header.sectionSize(column))
                           .arg(width)));
    }
    QVERIFY(header.sectionViewportPosition(ReportModel::Reason) + letter * 20 <= width);
    // A name cut by its column is whole on hovering.
    QCOMPARE(window_->table().model()->index(0, ReportModel::Club).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Open Water and Pool Swimmers of the Mereford Lakes and Rivers"));
}

void EntriesWindowTest::courseOverride_data() {
    QTest::addColumn<QString>("course");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("convertedLongCourseSwim");
    // Amy Jones's 100 Free of 1:02.00 swum in a 50 metre pool, as the calculator converts it.
    QTest::newRow("as in the file") << ""
                                    << "25 metres (SCM)"
                                    << "1.00.6";
    QTest::newRow("50 metres") << "LCM"
                               << "50 metres (LCM)"
                               << "";
    QTest::newRow("25 yards") << "SCY"
                              << "25 yards (SCY)"
                              << "55.1";
    QTest::newRow("20 metres") << "SCM20"
                               << "20 metres (SCM20)"
                               << "1.00.0";
}

void EntriesWindowTest::courseOverride() {
    QFETCH(QString, course);
    QFETCH(QString, caption);
    QFETCH(QString, convertedLongCourseSwim);
    QVERIFY(load(data("winter-open.lef")));
    auto* courseBox = element<QComboBox>(QStringLiteral("course"));
    const int index = courseBox->findData(course);
    QVERIFY(index >= 0);
    if (!course.isEmpty()) {
        // Chosen as a user does, from the list; the check runs again on the worker.
        QVERIFY(waitForLoad([&] {
            courseBox->setCurrentIndex(index);
            emit courseBox->activated(index);
        }));
    }
    QCOMPARE(window_->course(), course);
    QCOMPARE(courseBox->currentData().toString(), course);
    QVERIFY(element<QLabel>(QStringLiteral("meetPlace"))->text().contains(caption));
    QCOMPARE(window_->table().model()->index(2, ReportModel::Converted).data().toString(),
             convertedLongCourseSwim);
    // The whole report is the command line's for the same course.
    const QString mine = scratch_->filePath(QStringLiteral("window.csv"));
    const QString theirs = scratch_->filePath(QStringLiteral("cli.csv"));
    QVERIFY(window_->exportReportTo(mine));
    QStringList arguments{data("winter-open.lef"), QStringLiteral("--report"), theirs};
    if (!course.isEmpty()) {
        arguments << QStringLiteral("--course") << course;
    }
    QVERIFY(runCli(arguments));
    QCOMPARE(readAll(mine), readAll(theirs));
}

void EntriesWindowTest::addedQualifyingTimes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QString>("message");
    // Amy Jones's converted 1.00.6 meets the faster regional time as well as the county one.
    QTest::newRow("a faster list") << data("regional.lef") << "Regional (1:01.00)"
                                   << "";
    QTest::newRow("the same list in a table") << data("regional.csv") << "Regional (1:01.00)"
                                              << "";
    QTest::newRow("a broken file") << data("broken.lef") << "County (1:05.00)"
                                   << "broken.lef:6:";
    QTest::newRow("a bad row in a table") << data("bad-times.csv") << "County (1:05.00)"
                                          << "bad-times.csv:3: time '2:1O.00' is no swim time";
}

void EntriesWindowTest::addedQualifyingTimes() {
    QFETCH(QString, file);
    QFETCH(QString, standard);
    QFETCH(QString, message);
    QVERIFY(load(data("winter-open.lef")));
    QString text;
    std::vector<Watchdog::Step> boxes;
    if (!message.isEmpty()) {
        boxes.push_back(answerBox(text));
    }
    QCOMPARE(
        watchdog_.drive([&] { QVERIFY(waitForLoad([&] { window_->addStandards(file); })); }, boxes),
        boxes.size());
    QVERIFY2(text.contains(message), qPrintable(text));
    QCOMPARE(window_->table().model()->index(2, ReportModel::Standard).data().toString(), standard);
    QCOMPARE(window_->model().rowCount(), 7);
    if (message.isEmpty()) {
        const QString mine = scratch_->filePath(QStringLiteral("window.csv"));
        const QString theirs = scratch_->filePath(QStringLiteral("cli.csv"));
        QVERIFY(window_->exportReportTo(mine));
        QVERIFY(runCli({data("winter-open.lef"), QStringLiteral("--standards"), file,
                        QStringLiteral("--report"), theirs}));
        QCOMPARE(readAll(mine), readAll(theirs));
    }
}

void EntriesWindowTest::swimmersTimesAndTheCourseUsed() {
    // Anna's 800 Free was swum in a 50 metre pool, as its MEETINFO says; her 50 Fly qualified
    // with 29.80 in a 50 metre pool, which misses the 29.00 that her entry time would meet.
    QVERIFY(load(data("masters.lef")));
    const QAbstractItemModel& model = *window_->table().model();
    const std::vector<std::vector<std::pair<int, QString>>> expected = {
        {{ReportModel::EntryTime, "10:05.00"},
         {ReportModel::EntryCourse, "LCM"},
         {ReportModel::Converted, "9.55.4"},
         {ReportModel::Qualifying, ""},
         {ReportModel::Standard, "Masters (10:10.00)"},
         {ReportModel::Verdict, "meets"}},
        {{ReportModel::EntryTime, "29.00"},
         {ReportModel::EntryCourse, "SCM"},
         {ReportModel::Converted, ""},
         {ReportModel::Qualifying, "29.80 (LCM)"},
         {ReportModel::Standard, "Masters (29.00)"},
         {ReportModel::Verdict, "misses"}},
    };
    QCOMPARE(model.rowCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < model.rowCount(); ++row) {
        for (const auto& [column, text] : expected[static_cast<std::size_t>(row)]) {
            QCOMPARE(model.index(row, column).data().toString(), text);
        }
    }
    // The exported report keeps the times as Lenex writes them, as the command line does.
    const QString mine = scratch_->filePath(QStringLiteral("window.csv"));
    const QString theirs = scratch_->filePath(QStringLiteral("cli.csv"));
    QVERIFY(window_->exportReportTo(mine));
    QVERIFY(runCli({data("masters.lef"), QStringLiteral("--report"), theirs}));
    QCOMPARE(readAll(mine), readAll(theirs));
    QVERIFY(readAll(mine).contains(",00:00:29.80,LCM,00:00:29.80,LCM,"));
}

void EntriesWindowTest::saveAndExportWriteWhatTheCommandLineWrites() {
    const QString opened = data("winter-open.lef");
    QVERIFY(load(opened));
    QVERIFY(window_->hasUnsavedWork());
    const QString meet = scratch_->filePath(QStringLiteral("window.lef"));
    const QString report = scratch_->filePath(QStringLiteral("window.csv"));
    QVERIFY(window_->saveConvertedMeetTo(meet));
    QVERIFY(!window_->hasUnsavedWork());
    QVERIFY(window_->exportReportTo(report));
    const QString cliMeet = scratch_->filePath(QStringLiteral("cli.lef"));
    const QString cliReport = scratch_->filePath(QStringLiteral("cli.csv"));
    QVERIFY(runCli({opened, QStringLiteral("--report"), cliReport, QStringLiteral("-o"), cliMeet}));
    QCOMPARE(readAll(meet), readAll(cliMeet));
    QCOMPARE(readAll(report), readAll(cliReport));
    QVERIFY(readAll(meet).contains("entrytime=\"00:01:00.60\""));
}

void EntriesWindowTest::neverSavesOverTheOpenedMeet() {
    const QString opened = scratch_->filePath(QStringLiteral("meet.lef"));
    QVERIFY(QFile::copy(data("winter-open.lef"), opened));
    QVERIFY(load(opened));
    QString text;
    bool saved = true;
    QCOMPARE(
        watchdog_.drive([&] { saved = window_->saveConvertedMeetTo(opened); }, {answerBox(text)}),
        std::size_t{1});
    QVERIFY(!saved);
    QVERIFY2(text.contains(QStringLiteral("meet.lef")), qPrintable(text));
    QCOMPARE(readAll(opened), readAll(data("winter-open.lef")));
    QVERIFY(window_->hasUnsavedWork());
}

void EntriesWindowTest::opensAnSdifFileAndSavesItsCopyInItsDialect() {
    const QString golden = QStringLiteral(ENTRIES_TEST_DATA "/../../meet/golden/");
    const QString opened = golden + QStringLiteral("sdif-lakeside.sd3");
    QVERIFY(load(opened));
    QCOMPARE(window_->model().rowCount(), 6);
    QVERIFY(window_->hasUnsavedWork());
    // A Lenex name is refused: the copy is written in the dialect read.
    QString text;
    bool saved = true;
    const QString asLenex = scratch_->filePath(QStringLiteral("window.lef"));
    QCOMPARE(
        watchdog_.drive([&] { saved = window_->saveConvertedMeetTo(asLenex); }, {answerBox(text)}),
        std::size_t{1});
    QVERIFY(!saved);
    QVERIFY2(text.contains(QStringLiteral(".cl2 or .sd3")), qPrintable(text));
    const QString mine = scratch_->filePath(QStringLiteral("window.SD3"));
    const QString theirs = scratch_->filePath(QStringLiteral("cli.sd3"));
    QVERIFY(window_->saveConvertedMeetTo(mine));
    QVERIFY(runCli({opened, QStringLiteral("--report"), QStringLiteral("/dev/null"),
                    QStringLiteral("-o"), theirs}));
    QCOMPARE(readAll(mine), readAll(theirs));
    // A results file holds nothing to check; the meet open stays.
    QCOMPARE(watchdog_.drive([&] { load(golden + QStringLiteral("sdif-results.cl2")); },
                             {answerBox(text)}),
             std::size_t{1});
    QVERIFY2(text.contains(QStringLiteral("3 results of 2 swimmers and no entries")),
             qPrintable(text));
    QCOMPARE(window_->model().rowCount(), 6);
}

void EntriesWindowTest::cancelDuringALongLoadLeavesAnEmptyUsableWindow() {
    const QString big = scratch_->filePath(QStringLiteral("big.lef"));
    writeBigMeet(big, 50, 400);
    QVERIFY(waitForLoad([&] {
        window_->openMeet(big);
        QVERIFY(window_->busy());
        QVERIFY(element<QProgressBar>(QStringLiteral("progress"))->isVisible());
        QTest::mouseClick(element<QPushButton>(QStringLiteral("cancel")), Qt::LeftButton);
    }));
    QVERIFY(!window_->busy());
    QCOMPARE(window_->model().rowCount(), 0);
    QVERIFY(window_->meetPath().isEmpty());
    QVERIFY(!window_->hasUnsavedWork());
    QVERIFY(!element<QProgressBar>(QStringLiteral("progress"))->isVisible());
    QCOMPARE(element<QLabel>(QStringLiteral("meetName"))->text(), QStringLiteral("No meet open"));
    QVERIFY(!element<QAction>(QStringLiteral("Save converted meet as"))->isEnabled());
    QVERIFY(element<QAction>(QStringLiteral("Open"))->isEnabled());
    QVERIFY(window_->recentFiles().isEmpty());
    // Still usable: the next meet opens as ever.
    QVERIFY(load(data("winter-open.lef")));
    QCOMPARE(window_->model().rowCount(), 7);
}

void EntriesWindowTest::longLoadReportsProgress() {
    const QString big = scratch_->filePath(QStringLiteral("big.lef"));
    writeBigMeet(big, 20, 250);
    QProgressBar* bar = element<QProgressBar>(QStringLiteral("progress"));
    // Every step the bar shows while the entries are checked, in percent.
    QList<int> shown;
    const QMetaObject::Connection watch =
        connect(bar, &QProgressBar::valueChanged, this, [&](int value) {
            if (bar->maximum() == 100) {
                shown << value;
            }
        });
    const bool loaded = load(big);
    disconnect(watch);
    QVERIFY(loaded);
    QVERIFY(!shown.isEmpty());
    QCOMPARE(window_->model().rowCount(), 20 * 250 * 2);
    QVERIFY(!bar->isVisible());
}

void EntriesWindowTest::badFileKeepsThePreviousMeet_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("where");
    QTest::newRow("malformed XML") << data("broken.lef") << "broken.lef:6:";
    QTest::newRow("not a meet file") << data("not-lenex.lef") << "not-lenex.lef";
    QTest::newRow("missing") << data("no-such-meet.lxf") << "no-such-meet.lxf";
}

void EntriesWindowTest::badFileKeepsThePreviousMeet() {
    QFETCH(QString, file);
    QFETCH(QString, where);
    QVERIFY(load(data("winter-open.lef")));
    QString text;
    QCOMPARE(watchdog_.drive([&] { QVERIFY(load(file)); }, {answerBox(text)}), std::size_t{1});
    QVERIFY2(text.contains(where), qPrintable(text));
    QCOMPARE(window_->meetPath(), data("winter-open.lef"));
    QCOMPARE(window_->model().rowCount(), 7);
    QCOMPARE(element<QLabel>(QStringLiteral("meetName"))->text(), QStringLiteral("Winter Open"));
    QVERIFY(element<QAction>(QStringLiteral("Save converted meet as"))->isEnabled());
}

void EntriesWindowTest::closingOffersToSaveUnsavedWork_data() {
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("closes");
    QTest::newRow("discard") << static_cast<int>(QMessageBox::Discard) << true;
    QTest::newRow("cancel") << static_cast<int>(QMessageBox::Cancel) << false;
}

void EntriesWindowTest::closingOffersToSaveUnsavedWork() {
    QFETCH(int, press);
    QFETCH(bool, closes);
    QVERIFY(load(data("winter-open.lef")));
    QString text;
    QCOMPARE(watchdog_.drive([&] { window_->close(); },
                             {answerBox(text, static_cast<QMessageBox::StandardButton>(press))}),
             std::size_t{1});
    QVERIFY2(text.contains(QStringLiteral("not been saved")), qPrintable(text));
    QCOMPARE(window_->isVisible(), !closes);
}

void EntriesWindowTest::dropOpensAndRemembersTheFile() {
    auto mime = std::make_unique<QMimeData>();
    mime->setUrls({QUrl::fromLocalFile(data("winter-open.lef"))});
    QVERIFY(waitForLoad([&] {
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, mime.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, mime.get(), Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(window_.get(), &drop);
    }));
    QCOMPARE(window_->model().rowCount(), 7);
    QCOMPARE(window_->recentFiles(), QStringList{data("winter-open.lef")});
    // The File menu offers it again, numbered for the keyboard.
    bool listed = false;
    for (QMenu* menu : window_->findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            listed = listed || action->text() == QStringLiteral("&1 ") + data("winter-open.lef");
        }
    }
    QVERIFY(listed);
}

void EntriesWindowTest::openFromTheKeyboard() {
    const std::size_t steps = watchdog_.drive(
        [&] {
            QVERIFY(waitForLoad(
                [&] { QTest::keyClick(window_.get(), Qt::Key_O, Qt::ControlModifier); }));
        },
        {[](QWidget& shown) {
            auto* dialog = qobject_cast<QFileDialog*>(&shown);
            if (dialog == nullptr) {
                shown.close();
                return;
            }
            // The name typed into the dialog's file name box. selectFile() would leave the box
            // alone once the dialog is active and the box has the keyboard, which depends on
            // how soon the platform activates the dialog.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name != nullptr);
            name->setText(data("winter-open.lef"));
            static_cast<QDialog*>(dialog)->accept(); // as the Open button does
        }});
    QCOMPARE(steps, std::size_t{1});
    QCOMPARE(window_->meetPath(), data("winter-open.lef"));
    QCOMPARE(window_->model().rowCount(), 7);
    // After the load the keyboard is in the table, and Ctrl+F goes to the search box.
    // (The offscreen platform gives the window back its activation only when asked.)
    QCOMPARE(window_->focusWidget(), &window_->table());
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(element<QLineEdit>(QStringLiteral("search"))->hasFocus());
}

void EntriesWindowTest::printsOneClubAPage_data() {
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("meet");
    QTest::newRow("every entry, two clubs")
        << static_cast<int>(ReportFilter::Show::All) << 2 << "winter-open.lef";
    QTest::newRow("the misses, one club")
        << static_cast<int>(ReportFilter::Show::Misses) << 1 << "winter-open.lef";
    QTest::newRow("every entry and its fees, two clubs")
        << static_cast<int>(ReportFilter::Show::All) << 2 << "fees.lef";
}

void EntriesWindowTest::printsOneClubAPage() {
    QFETCH(int, show);
    QFETCH(int, pages);
    QFETCH(QString, meet);
    QVERIFY(load(data(qPrintable(meet))));
    auto* showBox = element<QComboBox>(QStringLiteral("show"));
    showBox->setCurrentIndex(showBox->findData(show));
    const QString pdf = scratch_->filePath(QStringLiteral("report.pdf"));
    {
        QPdfWriter writer(pdf);
        QCOMPARE(window_->printTo(writer), pages);
    }
    const QByteArray bytes = readAll(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    // Each page object of the file, not the page tree (/Type /Pages).
    int pageObjects = 0;
    auto objects = QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))
                       .globalMatch(QString::fromLatin1(bytes));
    for (; objects.hasNext(); objects.next()) {
        ++pageObjects;
    }
    QCOMPARE(pageObjects, pages);
}

void EntriesWindowTest::feesPerClub() {
    // Hull's accepted entries: two 100 Free (8.00), a 200 IM (10.00), a relay (16.00), the club
    // fee (25.00) and two swimmers (1.50); Ben's 200 IM (a women's event) and Cara's withdrawn
    // 100 Free cost nothing. Selby's miss costs nothing either.
    QVERIFY(load(data("fees.lef")));
    const QAbstractItemModel& fees = window_->fees();
    struct Club {
        QString name;
        QString total;
        QStringList lines; // what, count, each, amount
    };
    const std::vector<Club> expected = {
        {"Hull Tritons",
         "70.00",
         {"100 Free 2 8.00 16.00", "200 IM 1 10.00 10.00", "4x50 Free 1 16.00 16.00",
          "club fee 1 25.00 25.00", "swimmer fee 2 1.50 3.00"}},
        {"Selby Seals",
         "34.50",
         {"100 Free 1 8.00 8.00", "club fee 1 25.00 25.00", "swimmer fee 1 1.50 1.50"}},
    };
    QCOMPARE(fees.rowCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < fees.rowCount(); ++row) {
        const Club& want = expected[static_cast<std::size_t>(row)];
        const auto cell = [&](int column) { return fees.index(row, column).data().toString(); };
        QCOMPARE(cell(0), want.name);
        QCOMPARE(cell(6), want.total);
        QCOMPARE(cell(7), QStringLiteral("GBP"));
        const QModelIndex club = fees.index(row, 0);
        QStringList lines;
        for (int line = 0; line < fees.rowCount(club); ++line) {
            QStringList fields;
            for (const int column : {0, 4, 5, 6}) {
                fields << fees.index(line, column, club).data().toString();
            }
            lines << fields.join(QLatin1Char(' '));
        }
        QCOMPARE(lines, want.lines);
    }
    // The export is the command line's fees CSV.
    const QString mine = scratch_->filePath(QStringLiteral("window-fees.csv"));
    const QString theirs = scratch_->filePath(QStringLiteral("cli-fees.csv"));
    QVERIFY(window_->exportFeesTo(mine));
    QVERIFY(runCli({data("fees.lef"), QStringLiteral("--report"),
                    scratch_->filePath(QStringLiteral("report.csv")), QStringLiteral("--fees"),
                    theirs}));
    QCOMPARE(readAll(mine), readAll(theirs));
    QVERIFY(readAll(mine).contains("Hull Tritons,4,2,1,70.00,GBP"));
    // The counts count the entry the rules refuse and the withdrawn one.
    QVERIFY2(element<QLabel>(QStringLiteral("counts"))
                 ->text()
                 .contains(QStringLiteral("0 errors, 1 ineligible, 1 withdrawn;")),
             qPrintable(element<QLabel>(QStringLiteral("counts"))->text()));
}

void EntriesWindowTest::everyControlHasAnAccessibleName() {
    QStringList nameless;
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QComboBox*>(widget) != nullptr ||
                             qobject_cast<QLineEdit*>(widget) != nullptr ||
                             qobject_cast<QAbstractButton*>(widget) != nullptr ||
                             qobject_cast<QTableView*>(widget) != nullptr ||
                             qobject_cast<QProgressBar*>(widget) != nullptr;
        // Parts that Qt builds inside a control (the search box's clear button, the table's
        // corner button, the menu bar's overflow button) are spoken as part of it.
        bool part = false;
        for (QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget()) {
            part = part || qobject_cast<QLineEdit*>(up) != nullptr ||
                   qobject_cast<QAbstractItemView*>(up) != nullptr ||
                   qobject_cast<QComboBox*>(up) != nullptr ||
                   qobject_cast<QMenuBar*>(up) != nullptr;
        }
        if (control && !part &&
            QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty()) {
            nameless << widget->metaObject()->className() + QStringLiteral(" ") +
                            widget->objectName();
        }
    }
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(QStringLiteral(", "))));
}

} // namespace et::entries::test

int main(int argc, char* argv[]) {
    // Recent files and the file dialog's last folder go to a home of the test's own.
    const et::test::PrivateHome home;
    et::qt::test::useOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setOrganizationName(QStringLiteral("Equivalent Times tests"));
    QApplication::setApplicationName(QStringLiteral("test_entries"));
    et::entries::test::EntriesWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "entries_window_test.moc"
