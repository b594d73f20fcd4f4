#pragma once
// The entries window: a meet file's entries checked against the qualifying times, for the entry
// secretary. The meet library reads the file, converts and checks every entry and writes the
// converted meet; this window only asks it, on a worker thread, and shows its report rows in a
// sortable, filtered table with the meet's heading and counts above and below, and beside it
// (a tab of its own) what the accepted entries cost each club, as the invitation states its fees.
//
// Every action of the menus is also a method, so that the menus only add their file dialogs:
// openMeet, addStandards, setCourse, saveConvertedMeetTo, exportReportTo, exportFeesTo and
// printTo.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/fees.hpp"
#include "entries/meet_loader.hpp"

class QAbstractItemModel;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPagedPaintDevice;
class QProgressBar;
class QPushButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTreeView;
class QVBoxLayout;
class QWidget;

namespace et::entries {

class ReportFilter;
class ReportModel;

class EntriesWindow : public QMainWindow {
    Q_OBJECT

public:
    // The nine pools the course can be set to, by Lenex code, in the calculator's box order.
    static const std::vector<std::string>& CourseCodes();

    explicit EntriesWindow(QWidget* parent = nullptr);
    ~EntriesWindow() override;

    EntriesWindow(const EntriesWindow&) = delete;
    EntriesWindow& operator=(const EntriesWindow&) = delete;

    // Reads and checks a meet file, with further standards files. The meet open until then stays
    // open if this one cannot be read or the reading is cancelled.
    void openMeet(const QString& path, const QStringList& standards = {});
    // Adds the time standard lists of another Lenex file to the open meet and checks it again.
    void addStandards(const QString& path);
    // Checks the open meet again in another course (a Lenex code), or as its file says (empty).
    void setCourse(const QString& lenexCode);
    // Writes the converted meet or the report; on failure shows why and returns false.
    bool saveConvertedMeetTo(const QString& path);
    bool exportReportTo(const QString& path);
    // Writes the fees of every club as CSV, as equivtimes-cli entries --fees does.
    bool exportFeesTo(const QString& path);
    // Prints the rows the table shows, grouped by club, each club's pages ending with its fees;
    // returns the number of pages.
    int printTo(QPagedPaintDevice& device);

    void cancelLoad();
    bool busy() const;
    QString meetPath() const { return meetPath_; }
    QString course() const;
    bool hasUnsavedWork() const { return unsaved_; }
    QStringList recentFiles() const;

    ReportModel& model() { return *model_; }
    ReportFilter& filter() { return *filter_; }
    QTableView& table() { return *table_; }
    // A row a club (club, entries, swimmers, relays, amount: its total, currency), under each
    // the lines of its fees (what, count, each, amount).
    QAbstractItemModel& fees();
    QTabWidget& tabs() { return *tabs_; }

signals:
    // A load, a new course or added standards ended: applied, cancelled or refused with a box.
    void loadFinished();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Job { Open, Standards, Course };

    void buildWidgets();
    // The steps of buildWidgets, top to bottom: the meet's name and place, the course, show and
    // search choices (each builder returns its label), the entries table, the fees per club, and
    // the lines of counts and progress below.
    void buildHeading(QWidget* central, QVBoxLayout& layout);
    void buildChoices(QWidget* central, QVBoxLayout& layout);
    QLabel* buildCourseChoice(QWidget* central);
    QLabel* buildShowChoice(QWidget* central);
    QLabel* buildSearch(QWidget* central);
    void buildEntriesTable(QWidget* central);
    QWidget* buildFeesPage(QWidget* central);
    void buildStatusLines(QWidget* central, QVBoxLayout& layout);
    void buildMenus();
    void startJob(Job job, LoadRequest request);
    void jobFinished();
    void applyOutcome(LoadOutcome outcome);
    void showProgress(qulonglong done, qulonglong total);
    // Columns as wide as their contents, but the verdict and the start of its reason in view.
    void fitColumns();
    void refreshBusy();
    void refreshHeading();
    void refreshCounts();
    void refreshFees();
    void refreshCourseList();
    void refreshRecentMenu();
    void rememberRecent(const QString& path);
    void showError(const QString& message);
    // The actions of the File menu that ask for a file name first.
    void chooseAndOpen();
    void chooseAndAddStandards();
    bool chooseAndSaveConvertedMeet();
    void chooseAndExportReport();
    void chooseAndExportFees();
    QString chooseCsv(const QString& title, const QString& suffix);
    // Writes an export, never onto the open meet (ontoMeet says so, %1 the name); false on failure,
    // after telling why.
    bool writeExport(const QString& path, const std::string& bytes, const QString& ontoMeet);
    void chooseAndPrint();
    QString suggestedName(const QString& suffix) const;

    MeetLoader loader_;
    Job job_ = Job::Open;
    LoadRequest running_;
    QPointer<QWidget> focusBefore_;

    // The open meet, as the last check that ran to its end left it.
    QString meetPath_;
    std::vector<std::string> standardsPaths_;
    std::optional<std::string> courseOverride_;
    std::shared_ptr<const et::formats::MeetFile> meet_;
    std::shared_ptr<const et::meet::CheckResult> result_;
    et::meet::MeetFees fees_;
    et::meet::MeetHeading heading_;
    bool unsaved_ = false;

    ReportModel* model_ = nullptr;
    ReportFilter* filter_ = nullptr;

    QLabel* meetName_ = nullptr;
    QLabel* meetPlace_ = nullptr;
    QComboBox* course_ = nullptr;
    QComboBox* show_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableView* table_ = nullptr;
    QTreeView* feesView_ = nullptr;
    QStandardItemModel* feesModel_ = nullptr;
    QLabel* feesProblems_ = nullptr;
    QLabel* counts_ = nullptr;
    QWidget* progressRow_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* progressText_ = nullptr;
    QPushButton* cancel_ = nullptr;

    QAction* openAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* standardsAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* exportAction_ = nullptr;
    QAction* exportFeesAction_ = nullptr;
    QAction* printAction_ = nullptr;
};

} // namespace et::entries
