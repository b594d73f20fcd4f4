#include "entries/entries_window.hpp"

#include "lenex/converted_meet.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "convert/pool_factors.hpp"
#include "entries/report_filter.hpp"
#include "entries/report_model.hpp"
#include "entries/report_print.hpp"
#include "io/whole_file.hpp"

namespace et::entries {

namespace {

constexpr int kRecentFiles = 8;
const char* const kRecentKey = "recentFiles";
const char* const kMeetFilter =
    QT_TRANSLATE_NOOP("et::entries::EntriesWindow",
                      "Meet files (*.lxf *.lef *.cl2 *.CL2 *.sd3 *.SD3 *.zip *.ZIP);;"
                      "Lenex meet files (*.lxf *.lef);;"
                      "SDIF files (*.cl2 *.CL2 *.sd3 *.SD3 *.zip *.ZIP);;All files (*)");
const char* const kStandardsFilter =
    QT_TRANSLATE_NOOP("et::entries::EntriesWindow",
                      "Qualifying times (*.lxf *.lef *.csv);;Lenex meet files (*.lxf *.lef);;"
                      "CSV tables (*.csv);;All files (*)");

QString fromStd(const std::string& value) {
    return QString::fromStdString(value);
}

std::string toStd(const QString& value) {
    return value.toStdString();
}

// The calculator's caption of a Lenex course, "25 metres (SCM)"; the code alone for a course
// that is not one of the nine pools (open water, 16 metres).
QString courseCaption(const std::string& code) {
    const std::vector<std::string>& codes = EntriesWindow::CourseCodes();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == code) {
            const std::string_view caption = et::kPools[i].caption;
            return QStringLiteral("%1 (%2)").arg(
                QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                fromStd(code));
        }
    }
    return fromStd(code);
}

} // namespace

const std::vector<std::string>& EntriesWindow::CourseCodes() {
    // Lenex's names of the calculator's nine pools, in the order of et::kPools.
    static const std::vector<std::string> codes = {"LCM",   "SCM33", "SCM", "SCM20", "SCY36",
                                                   "SCY27", "SCY33", "SCY", "SCY20"};
    return codes;
}

EntriesWindow::EntriesWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(tr("Equivalent Times entries[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/entries.png")));
    setAcceptDrops(true);
    model_ = new ReportModel(this);
    filter_ = new ReportFilter(this);
    filter_->setSourceModel(model_);
    buildWidgets();
    buildMenus();
    connect(&loader_, &MeetLoader::progressed, this, &EntriesWindow::showProgress);
    connect(&loader_, &MeetLoader::finished, this, &EntriesWindow::jobFinished);
    refreshHeading();
    refreshCounts();
    refreshBusy();
    resize(1100, 640);
}

EntriesWindow::~EntriesWindow() = default;

void EntriesWindow::buildWidgets() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    buildHeading(central, *layout);
    buildChoices(central, *layout);
    buildEntriesTable(central);
    QWidget* feesPage = buildFeesPage(central);

    // The entries and the fees per club, a tab each below the meet's heading and choices.
    tabs_ = new QTabWidget(central);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setDocumentMode(true);
    tabs_->addTab(table_, tr("E&ntries"));
    tabs_->addTab(feesPage, tr("Fees per c&lub"));
    layout->addWidget(tabs_, 1);

    buildStatusLines(central, *layout);
    setCentralWidget(central);
    setTabOrder(course_, show_);
    setTabOrder(show_, search_);
    setTabOrder(search_, table_);
    setTabOrder(table_, cancel_);
}

void EntriesWindow::buildHeading(QWidget* central, QVBoxLayout& layout) {
    meetName_ = new QLabel(central);
    meetName_->setObjectName(QStringLiteral("meetName"));
    meetName_->setAccessibleName(tr("Meet"));
    meetName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont nameFont = meetName_->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    nameFont.setBold(true);
    meetName_->setFont(nameFont);
    meetPlace_ = new QLabel(central);
    meetPlace_->setObjectName(QStringLiteral("meetPlace"));
    meetPlace_->setAccessibleName(tr("Date and place"));
    layout.addWidget(meetName_);
    layout.addWidget(meetPlace_);
}

void EntriesWindow::buildChoices(QWidget* central, QVBoxLayout& layout) {
    auto* controls = new QHBoxLayout;
    QLabel* courseLabel = buildCourseChoice(central);
    QLabel* showLabel = buildShowChoice(central);
    QLabel* searchLabel = buildSearch(central);
    controls->addWidget(courseLabel);
    controls->addWidget(course_);
    controls->addSpacing(16);
    controls->addWidget(showLabel);
    controls->addWidget(show_);
    controls->addSpacing(16);
    controls->addWidget(searchLabel);
    controls->addWidget(search_, 1);
    layout.addLayout(controls);
}

QLabel* EntriesWindow::buildCourseChoice(QWidget* central) {
    auto* courseLabel = new QLabel(tr("&Course:"), central);
    course_ = new QComboBox(central);
    course_->setObjectName(QStringLiteral("course"));
    course_->setAccessibleName(tr("Course"));
    course_->setAccessibleDescription(tr("The pool length the entries are checked in"));
    course_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    courseLabel->setBuddy(course_);
    refreshCourseList();
    connect(course_, &QComboBox::activated, this,
            [this](int index) { setCourse(course_->itemData(index).toString()); });
    return courseLabel;
}

QLabel* EntriesWindow::buildShowChoice(QWidget* central) {
    auto* showLabel = new QLabel(tr("S&how:"), central);
    show_ = new QComboBox(central);
    show_->setObjectName(QStringLiteral("show"));
    show_->setAccessibleName(tr("Show"));
    show_->setAccessibleDescription(tr("Which verdicts the table shows"));
    show_->addItem(tr("All entries"), static_cast<int>(ReportFilter::Show::All));
    show_->addItem(tr("Misses"), static_cast<int>(ReportFilter::Show::Misses));
    show_->addItem(tr("Not converted"), static_cast<int>(ReportFilter::Show::NotConverted));
    show_->addItem(tr("Errors"), static_cast<int>(ReportFilter::Show::Errors));
    show_->addItem(tr("Ineligible"), static_cast<int>(ReportFilter::Show::Ineligible));
    show_->addItem(tr("Withdrawn"), static_cast<int>(ReportFilter::Show::Withdrawn));
    showLabel->setBuddy(show_);
    connect(show_, &QComboBox::currentIndexChanged, this, [this](int index) {
        filter_->setShow(static_cast<ReportFilter::Show>(show_->itemData(index).toInt()));
        refreshCounts();
    });
    return showLabel;
}

QLabel* EntriesWindow::buildSearch(QWidget* central) {
    auto* searchLabel = new QLabel(tr("S&earch:"), central);
    search_ = new QLineEdit(central);
    search_->setObjectName(QStringLiteral("search"));
    search_->setAccessibleName(tr("Search"));
    search_->setAccessibleDescription(
        tr("Shows the entries whose swimmer or club holds this text"));
    search_->setPlaceholderText(tr("Swimmer or club"));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->setSearch(text);
        refreshCounts();
    });
    auto* findShortcut = new QShortcut(QKeySequence::Find, this);
    connect(findShortcut, &QShortcut::activated, this, [this] {
        search_->setFocus(Qt::ShortcutFocusReason);
        search_->selectAll();
    });
    return searchLabel;
}

void EntriesWindow::buildEntriesTable(QWidget* central) {
    table_ = new QTableView(central);
    table_->setObjectName(QStringLiteral("entries"));
    table_->setAccessibleName(tr("Entries"));
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder); // the report's order until a header is clicked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Rows the height of one line of text at any scale, so that a big meet scrolls smoothly.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    // Columns as wide as their contents, measured over the first thousand rows at most.
    table_->horizontalHeader()->setResizeContentsPrecision(1000);
    fitColumns();
}

QWidget* EntriesWindow::buildFeesPage(QWidget* central) {
    feesModel_ = new QStandardItemModel(this);
    feesModel_->setHorizontalHeaderLabels({tr("Club"), tr("Entries"), tr("Swimmers"), tr("Relays"),
                                           tr("Count"), tr("Each"), tr("Amount"), tr("Currency")});
    auto* feesPage = new QWidget(central);
    auto* feesLayout = new QVBoxLayout(feesPage);
    feesLayout->setContentsMargins(0, 0, 0, 0);
    feesView_ = new QTreeView(feesPage);
    feesView_->setObjectName(QStringLiteral("fees"));
    feesView_->setAccessibleName(tr("Fees"));
    feesView_->setAccessibleDescription(
        tr("What the accepted entries cost each club, with the lines of its fees"));
    feesView_->setModel(feesModel_);
    feesView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    feesView_->setAlternatingRowColors(true);
    feesView_->setUniformRowHeights(true);
    feesProblems_ = new QLabel(feesPage);
    feesProblems_->setObjectName(QStringLiteral("feesProblems"));
    feesProblems_->setWordWrap(true);
    feesProblems_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    feesLayout->addWidget(feesView_, 1);
    feesLayout->addWidget(feesProblems_);
    return feesPage;
}

void EntriesWindow::buildStatusLines(QWidget* central, QVBoxLayout& layout) {
    counts_ = new QLabel(central);
    counts_->setObjectName(QStringLiteral("counts"));
    counts_->setAccessibleName(tr("Counts"));
    counts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout.addWidget(counts_);

    progressRow_ = new QWidget(central);
    auto* progressLayout = new QHBoxLayout(progressRow_);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressText_ = new QLabel(progressRow_);
    progressText_->setObjectName(QStringLiteral("progressText"));
    progress_ = new QProgressBar(progressRow_);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setAccessibleName(tr("Progress"));
    cancel_ = new QPushButton(tr("Cancel"), progressRow_);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAccessibleName(tr("Cancel"));
    cancel_->setAccessibleDescription(tr("Stops reading the meet"));
    connect(cancel_, &QPushButton::clicked, this, &EntriesWindow::cancelLoad);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &EntriesWindow::cancelLoad);
    progressLayout->addWidget(progressText_);
    progressLayout->addWidget(progress_, 1);
    progressLayout->addWidget(cancel_);
    layout.addWidget(progressRow_);
}

void EntriesWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    openAction_ = file->addAction(tr("&Open..."), this, &EntriesWindow::chooseAndOpen);
    openAction_->setShortcut(QKeySequence::Open);
    recentMenu_ = file->addMenu(tr("Open &Recent"));
    refreshRecentMenu();
    standardsAction_ = file->addAction(tr("&Add qualifying times..."), this,
                                       &EntriesWindow::chooseAndAddStandards);
    file->addSeparator();
    saveAction_ = file->addAction(tr("&Save converted meet as..."), this,
                                  [this] { (void)chooseAndSaveConvertedMeet(); });
    saveAction_->setShortcut(QKeySequence::Save);
    exportAction_ =
        file->addAction(tr("&Export report..."), this, &EntriesWindow::chooseAndExportReport);
    exportAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportFeesAction_ =
        file->addAction(tr("Export &fees..."), this, &EntriesWindow::chooseAndExportFees);
    printAction_ =
        file->addAction(tr("&Print / Export PDF..."), this, &EntriesWindow::chooseAndPrint);
    printAction_->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    for (QAction* action : file->actions()) {
        action->setObjectName(
            action->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    }
}

void EntriesWindow::refreshCourseList() {
    course_->clear();
    const QString fileCourse = meet_ ? courseCaption(heading_.course) : QString();
    course_->addItem(fileCourse.isEmpty() ? tr("As in the file")
                                          : tr("As in the file: %1").arg(fileCourse),
                     QString());
    for (const std::string& code : CourseCodes()) {
        course_->addItem(courseCaption(code), fromStd(code));
    }
    const int current = courseOverride_ ? course_->findData(fromStd(*courseOverride_)) : 0;
    course_->setCurrentIndex(current < 0 ? 0 : current);
}

QString EntriesWindow::course() const {
    return courseOverride_ ? fromStd(*courseOverride_) : QString();
}

bool EntriesWindow::busy() const {
    return loader_.busy();
}

void EntriesWindow::openMeet(const QString& path, const QStringList& standards) {
    if (busy()) {
        return;
    }
    LoadRequest request;
    request.meetPath = toStd(path);
    for (const QString& file : standards) {
        request.standardsPaths.push_back(toStd(file));
    }
    request.courseOverride = courseOverride_;
    startJob(Job::Open, std::move(request));
}

void EntriesWindow::addStandards(const QString& path) {
    if (busy() || !meet_) {
        return;
    }
    LoadRequest request;
    request.meetPath = toStd(meetPath_);
    request.standardsPaths = standardsPaths_;
    request.standardsPaths.push_back(toStd(path));
    request.courseOverride = courseOverride_;
    startJob(Job::Standards, std::move(request));
}

void EntriesWindow::setCourse(const QString& lenexCode) {
    std::optional<std::string> wanted;
    if (!lenexCode.isEmpty()) {
        wanted = toStd(lenexCode);
    }
    if (busy() || wanted == courseOverride_) {
        refreshCourseList();
        return;
    }
    if (!meet_) {
        // Nothing open yet: the course applies to the next meet opened.
        courseOverride_ = wanted;
        refreshCourseList();
        return;
    }
    LoadRequest request;
    request.meetPath = toStd(meetPath_);
    request.standardsPaths = standardsPaths_;
    request.meet = meet_;
    request.courseOverride = wanted;
    startJob(Job::Course, std::move(request));
}

void EntriesWindow::startJob(Job job, LoadRequest request) {
    job_ = job;
    running_ = request;
    progress_->setRange(0, 0); // reading the file: no measure of it until the entries are walked
    progressText_->setText(
        job == Job::Course
            ? tr("Checking the entries...")
            : tr("Reading %1...").arg(QFileInfo(fromStd(request.meetPath)).fileName()));
    focusBefore_ = QApplication::focusWidget();
    loader_.start(std::move(request));
    refreshBusy();
    cancel_->setFocus(Qt::OtherFocusReason);
}

void EntriesWindow::cancelLoad() {
    loader_.cancel();
}

void EntriesWindow::showProgress(qulonglong done, qulonglong total) {
    if (!busy() || total == 0) {
        return;
    }
    progressText_->setText(tr("Checking entries..."));
    // Percent, so that any number of entries fits the bar's int range.
    progress_->setRange(0, 100);
    progress_->setValue(static_cast<int>(done * 100 / total));
}

void EntriesWindow::jobFinished() {
    LoadOutcome outcome = loader_.takeOutcome();
    const bool opened = job_ == Job::Open && outcome.error.empty() && !outcome.cancelled;
    refreshBusy();
    refreshCourseList();
    // The keyboard goes to the new meet's entries, or back where it was before the work began.
    QWidget* focus = focusBefore_;
    if (opened || focus == nullptr || !focus->isEnabled() || !focus->isVisible()) {
        focus = table_;
    }
    focus->setFocus(Qt::OtherFocusReason);
    if (!outcome.error.empty()) {
        showError(fromStd(outcome.error));
    } else if (!outcome.cancelled) {
        applyOutcome(std::move(outcome));
        refreshCourseList();
    }
    emit loadFinished();
}

void EntriesWindow::applyOutcome(LoadOutcome outcome) {
    meetPath_ = fromStd(running_.meetPath);
    standardsPaths_ = running_.standardsPaths;
    courseOverride_ = running_.courseOverride;
    meet_ = std::move(outcome.meet);
    heading_ = std::move(outcome.heading);
    auto result = std::make_shared<et::meet::CheckResult>(std::move(outcome.result));
    result_ = result;
    model_->setRows(result->rows);
    fitColumns();
    fees_ = meet_->Fees(*result_);
    refreshFees();
    unsaved_ = result_->counts.converted > 0;
    setWindowModified(unsaved_);
    setWindowTitle(tr("%1[*] - Equivalent Times entries").arg(QFileInfo(meetPath_).fileName()));
    if (job_ == Job::Open) {
        rememberRecent(meetPath_);
    }
    refreshHeading();
    refreshCounts();
}

void EntriesWindow::fitColumns() {
    table_->resizeColumnsToContents();
    QHeaderView* header = table_->horizontalHeader();
    const int letter = table_->fontMetrics().horizontalAdvance(QLatin1Char('n'));
    // A long name or club is cut (and shown whole on hovering) rather than pushing the verdict
    // out of view.
    for (const int column : {ReportModel::Swimmer, ReportModel::Club}) {
        header->resizeSection(column, std::min(header->sectionSize(column), letter * 26));
    }
    // The reason takes what the window leaves beside the columns before it, down to a width
    // that still shows the start of a sentence; the standard and the club follow.
    int before = 0;
    for (int column = 0; column < ReportModel::Reason; ++column) {
        before += header->sectionSize(column);
    }
    const int room = table_->viewport()->width() - before;
    if (header->sectionSize(ReportModel::Reason) > room) {
        header->resizeSection(ReportModel::Reason, std::max(room, letter * 24));
    }
}

void EntriesWindow::refreshBusy() {
    const bool running = busy();
    progressRow_->setVisible(running);
    cancel_->setEnabled(running);
    openAction_->setEnabled(!running);
    recentMenu_->setEnabled(!running);
    course_->setEnabled(!running);
    const bool open = meet_ != nullptr && !running;
    standardsAction_->setEnabled(open);
    saveAction_->setEnabled(open);
    exportAction_->setEnabled(open);
    exportFeesAction_->setEnabled(open);
    printAction_->setEnabled(open);
}

void EntriesWindow::refreshHeading() {
    if (!meet_) {
        meetName_->setText(tr("No meet open"));
        meetPlace_->setText(tr("Open a meet file (File > Open, or drop it here) to check its "
                               "entries."));
        return;
    }
    meetName_->setText(heading_.name.empty() ? QFileInfo(meetPath_).fileName()
                                             : fromStd(heading_.name));
    QStringList place;
    if (!heading_.date.empty()) {
        place << fromStd(heading_.date);
    }
    if (!heading_.city.empty()) {
        place << fromStd(heading_.city);
    }
    const QString checkedIn =
        courseOverride_ ? courseCaption(*courseOverride_) : courseCaption(heading_.course);
    if (!checkedIn.isEmpty()) {
        place << tr("checked in %1").arg(checkedIn);
    }
    if (!standardsPaths_.empty()) {
        QStringList names;
        for (const std::string& path : standardsPaths_) {
            names << QFileInfo(fromStd(path)).fileName();
        }
        place << tr("qualifying times added from %1").arg(names.join(QStringLiteral(", ")));
    }
    meetPlace_->setText(place.join(QStringLiteral(" \u00b7 ")));
}

void EntriesWindow::refreshCounts() {
    if (!result_) {
        counts_->setText(tr("No entries"));
        return;
    }
    const et::meet::Counts& c = result_->counts;
    const auto n = [](std::size_t value) { return QString::number(value); };
    // The command line's summary with the entries the meet's rules refuse and the withdrawn, and
    // how many of the entries the table shows.
    counts_->setText(tr("Entries: %1 read, %2 converted, %3 meeting, %4 missing, %5 not converted, "
                        "%6 errors, %7 ineligible, %8 withdrawn; %9 shown")
                         .arg(n(c.read), n(c.converted), n(c.meeting), n(c.missing),
                              n(c.notConverted), n(c.errors), n(c.ineligible), n(c.withdrawn),
                              QString::number(filter_->rowCount())));
}

QAbstractItemModel& EntriesWindow::fees() {
    return *feesModel_;
}

void EntriesWindow::refreshFees() {
    feesModel_->removeRows(0, feesModel_->rowCount());
    const auto item = [](const QString& text, bool number = false) {
        auto* cell = new QStandardItem(text);
        if (number) {
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        return cell;
    };
    const auto money = [&](long cents) { return item(fromStd(et::meet::MoneyText(cents)), true); };
    const auto count = [&](std::size_t n) { return item(QString::number(n), true); };
    for (const et::meet::ClubFees& club : fees_.clubs) {
        QList<QStandardItem*> row = {item(fromStd(club.club)),
                                     count(club.entries),
                                     count(club.swimmers),
                                     count(club.relays),
                                     item({}),
                                     item({}),
                                     money(club.total),
                                     item(fromStd(club.currency))};
        QFont bold = row.front()->font();
        bold.setBold(true);
        row.front()->setFont(bold);
        row[6]->setFont(bold);
        for (const et::meet::FeeLine& line : club.lines) {
            row.front()->appendRow({item(fromStd(line.what)), item({}), item({}), item({}),
                                    count(line.count), money(line.each), money(line.amount),
                                    item({})});
        }
        feesModel_->appendRow(row);
    }
    feesView_->expandAll();
    for (int column = 0; column < feesModel_->columnCount(); ++column) {
        feesView_->resizeColumnToContents(column);
    }
    QStringList notes;
    if (meet_ && fees_.clubs.empty()) {
        notes << tr("No club has an entry the meet accepts, or the invitation states no fees.");
    }
    for (const std::string& problem : fees_.problems) {
        notes << fromStd(problem);
    }
    feesProblems_->setText(notes.join(QLatin1Char('\n')));
    feesProblems_->setVisible(!notes.isEmpty());
}

void EntriesWindow::showError(const QString& message) {
    QMessageBox::warning(this, tr("Equivalent Times entries"), message);
}

QStringList EntriesWindow::recentFiles() const {
    return QSettings().value(QLatin1String(kRecentKey)).toStringList();
}

void EntriesWindow::rememberRecent(const QString& path) {
    QStringList files = recentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles) {
        files.removeLast();
    }
    QSettings().setValue(QLatin1String(kRecentKey), files);
    refreshRecentMenu();
}

void EntriesWindow::refreshRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    int number = 1;
    for (const QString& path : files) {
        // Numbered for the keyboard: Alt+F, R, then the digit.
        const QString label = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(path) : path;
        recentMenu_->addAction(label, this, [this, path] { openMeet(path); });
        ++number;
    }
    if (files.isEmpty()) {
        recentMenu_->addAction(tr("No recent files"))->setEnabled(false);
    }
}

QString EntriesWindow::suggestedName(const QString& suffix) const {
    const QFileInfo info(meetPath_);
    return info.dir().filePath(info.completeBaseName() + suffix);
}

void EntriesWindow::chooseAndOpen() {
    const QString start = meetPath_.isEmpty() ? QString() : QFileInfo(meetPath_).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open meet"), start, tr(kMeetFilter));
    if (!path.isEmpty()) {
        openMeet(path);
    }
}

void EntriesWindow::chooseAndAddStandards() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Add qualifying times"),
                                     QFileInfo(meetPath_).absolutePath(), tr(kStandardsFilter));
    if (!path.isEmpty()) {
        addStandards(path);
    }
}

bool EntriesWindow::chooseAndSaveConvertedMeet() {
    // The copy is written in the format read: a Lenex meet as .lxf or .lef, an SDIF file in its
    // own dialect as .cl2 or .sd3.
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save converted meet as"), suggestedName(fromStd(meet_->SuggestedSuffix())),
        meet_->format() == et::formats::MeetFormat::Sdif
            ? tr("SDIF files (*.cl2 *.CL2 *.sd3 *.SD3)")
            : tr("Lenex meet files (*.lxf *.lef)"));
    return !path.isEmpty() && saveConvertedMeetTo(path);
}

void EntriesWindow::chooseAndExportReport() {
    const QString path = chooseCsv(tr("Export report"), QStringLiteral("-report.csv"));
    if (!path.isEmpty()) {
        (void)exportReportTo(path);
    }
}

void EntriesWindow::chooseAndExportFees() {
    const QString path = chooseCsv(tr("Export fees"), QStringLiteral("-fees.csv"));
    if (!path.isEmpty()) {
        (void)exportFeesTo(path);
    }
}

QString EntriesWindow::chooseCsv(const QString& title, const QString& suffix) {
    return QFileDialog::getSaveFileName(this, title, suggestedName(suffix),
                                        tr("CSV files (*.csv);;All files (*)"));
}

void EntriesWindow::chooseAndPrint() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(meetName_->text());
    // Nine columns read best across the page.
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setOutputFileName(suggestedName(QStringLiteral("-report.pdf")));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print / Export PDF"));
    if (dialog.exec() == QDialog::Accepted) {
        (void)printTo(printer);
    }
}

bool EntriesWindow::saveConvertedMeetTo(const QString& path) {
    if (!meet_ || !result_) {
        return false;
    }
    if (et::io::SameFile(toStd(path), toStd(meetPath_))) {
        showError(tr("%1 is the meet file that is open. The converted meet is written to a "
                     "file of its own, so that the original stays as it came; choose another "
                     "name.")
                      .arg(path));
        return false;
    }
    if (const std::string error = meet_->WriteConverted(*result_, toStd(path)); !error.empty()) {
        showError(fromStd(error));
        return false;
    }
    unsaved_ = false;
    setWindowModified(false);
    return true;
}

bool EntriesWindow::exportReportTo(const QString& path) {
    return result_ && writeExport(path, et::meet::ReportCsv(result_->rows),
                                  tr("%1 is the meet file that is open; choose another name for "
                                     "the report."));
}

bool EntriesWindow::exportFeesTo(const QString& path) {
    return result_ && writeExport(path, et::meet::FeesCsv(fees_),
                                  tr("%1 is the meet file that is open; choose another name for "
                                     "the fees."));
}

bool EntriesWindow::writeExport(const QString& path, const std::string& bytes,
                                const QString& ontoMeet) {
    if (et::io::SameFile(toStd(path), toStd(meetPath_))) {
        showError(ontoMeet.arg(path));
        return false;
    }
    if (const std::string error = et::io::WriteWholeFile(toStd(path), bytes); !error.empty()) {
        showError(fromStd(error));
        return false;
    }
    return true;
}

int EntriesWindow::printTo(QPagedPaintDevice& device) {
    std::vector<const et::meet::ReportRow*> rows;
    rows.reserve(static_cast<std::size_t>(filter_->rowCount()));
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const int source = filter_->mapToSource(filter_->index(row, 0)).row();
        rows.push_back(&model_->row(source));
    }
    PrintHeading heading;
    heading.meet = meetName_->text();
    heading.course = meetPlace_->text();
    heading.counts = counts_->text();
    const int pages = PrintReport(device, heading, rows, fees_);
    if (pages == 0) {
        showError(tr("The report could not be printed."));
    }
    return pages;
}

void EntriesWindow::closeEvent(QCloseEvent* event) {
    if (unsaved_ && !busy()) {
        const auto answer = QMessageBox::question(
            this, tr("Equivalent Times entries"),
            tr("The converted meet has not been saved. Save it before closing?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel ||
            (answer == QMessageBox::Save && !chooseAndSaveConvertedMeet())) {
            event->ignore();
            return;
        }
    }
    loader_.cancel();
    event->accept();
}

void EntriesWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!busy() && !urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void EntriesWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        openMeet(urls.first().toLocalFile());
    }
}

} // namespace et::entries
