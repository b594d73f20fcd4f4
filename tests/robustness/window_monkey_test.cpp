// A long random session on the real window: clicks on every option a user can see, keys and
// pastes in the time box, the help menu, its message boxes and the text window. After each
// action the display is held against the calculation core's own answer for the selection made
// so far and the last time that was valid; any difference, any box or menu nobody asked for, and
// any hang ends the run with the seed that replays it.
//
// Environment:
//   EQUIVTIMES_MONKEY_SEED=N      replay the session of that seed
//   EQUIVTIMES_MONKEY_ACTIONS=N   length of the session (10000 unless set)
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "convert/display.hpp"
#include "model/time_text.hpp"
#include "points/gb_points.hpp"
#include "support/private_home.hpp"
#include "ui/qt/main_window.hpp"
#include "ui/qt/text_window.hpp"

namespace {

using Rng = std::mt19937_64;

// What each pool option stands for: pool type and turns per hundred.
struct Pool {
    std::int16_t type;
    std::int16_t turns;
};
constexpr std::array<Pool, 9> kPoolOptions = {{
    {1, 4}, // 20 metres
    {1, 3}, // 25 metres
    {1, 2}, // 33 1/3 metres
    {1, 1}, // 50 metres
    {2, 3}, // 27 1/2 yards
    {2, 2}, // 36 2/3 yards
    {3, 4}, // 20 yards
    {3, 3}, // 25 yards
    {3, 2}, // 33 1/3 yards
}};

// What each event option stands for: event code and distance.
struct Event {
    std::int16_t code;
    std::int16_t distance;
};
constexpr std::array<Event, 18> kEventOptions = {{
    {1, 50},
    {2, 100},
    {3, 200},
    {4, 400},
    {5, 800},
    {6, 1500},
    {13, 50},
    {14, 100},
    {15, 200},
    {7, 50},
    {8, 100},
    {9, 200},
    {10, 50},
    {11, 100},
    {12, 200},
    {29, 100},
    {16, 200},
    {17, 400},
}};

// Which event options a pool offers: the 50s only where 50 is a whole number of lengths, the 1500
// not in the 20 and 33 1/3 yards pools, the 100 I.M. never.
bool EventOffered(std::size_t event, const Pool& pool) {
    const bool oddLengths = pool.turns == 2 || pool.turns == 4;
    switch (event) {
    case 0:
    case 6:
    case 9:
    case 12:
        return !oddLengths;
    case 5:
        return !(pool.type == 3 && oddLengths);
    case 15:
        return false;
    default:
        return true;
    }
}

constexpr std::string_view kAboutTitle = "About Equivalent Performances";
constexpr std::string_view kVersionTitle = "About this version";
constexpr std::string_view kCopyrightTitle = "Copyright Notice";
constexpr std::string_view kApplicationTitle = "Equivalent Performances";
constexpr std::string_view kGBPointsFirstLine =
    "                 COMPARATIVE PERFORMANCE POINTS TABLES";

std::size_t EnvCount(const char* name, std::size_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    return static_cast<std::size_t>(std::strtoull(text, nullptr, 10));
}

// Answers every popup menu and modal box that opens while an action runs, with the choice the
// action planned, and writes down what it saw. A session stuck in a nested event loop with
// nothing to answer for several seconds is a hang: the run stops with its seed.
class Answerer {
public:
    struct Seen {
        std::string title;
        std::string text;
    };

    explicit Answerer(std::uint64_t seed) : seed_(seed) {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    }

    // Keys for the help menu (an access key, or Esc) and for a message box (Esc or Enter).
    void Plan(std::optional<char> menuKey, Qt::Key boxKey) {
        menuKey_ = menuKey;
        boxKey_ = boxKey;
        seen_.clear();
        menus_ = 0;
        idleSince_ = std::chrono::steady_clock::now();
        timer_.start();
    }
    void Done() { timer_.stop(); }
    // Forgets what earlier actions saw.
    void Forget() {
        seen_.clear();
        menus_ = 0;
    }

    const std::vector<Seen>& Boxes() const { return seen_; }
    int Menus() const { return menus_; }

private:
    void Tick() {
        if (busy_) {
            return;
        }
        busy_ = true;
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            menu != nullptr && menu->isVisible()) {
            ++menus_;
            if (menuKey_) {
                QTest::keyClick(menu, *menuKey_);
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
            idleSince_ = std::chrono::steady_clock::now();
        } else if (QWidget* modal = QApplication::activeModalWidget();
                   modal != nullptr && modal->isVisible()) {
            Seen seen{modal->windowTitle().toStdString(), {}};
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen.text = box->text().toStdString();
                QTest::keyClick(box, boxKey_);
                if (box->isVisible()) {
                    box->reject(); // the key did not close it: noted below as a failure
                    seen.title += " (not closed by its key)";
                }
            } else {
                seen.title = "unexpected modal window " + seen.title;
                modal->close();
            }
            seen_.push_back(std::move(seen));
            idleSince_ = std::chrono::steady_clock::now();
        } else if (std::chrono::steady_clock::now() - idleSince_ > std::chrono::seconds(20)) {
            std::fprintf(stderr, "window monkey: hung in an event loop, seed %llu\n",
                         static_cast<unsigned long long>(seed_));
            std::abort();
        }
        busy_ = false;
    }

    std::uint64_t seed_;
    QTimer timer_;
    bool busy_ = false;
    std::optional<char> menuKey_;
    Qt::Key boxKey_ = Qt::Key_Escape;
    std::vector<Seen> seen_;
    int menus_ = 0;
    std::chrono::steady_clock::time_point idleSince_;
};

// What the window should show: the core's answer for the selection and the time text, applied
// only when the text is a valid time above 10 seconds, as the window applies it.
struct Expected {
    std::size_t recalculations = 0; // valid times converted
    std::size_t pool = 1;           // "25 metres"
    std::size_t event = 1;          // Free 100
    et::BoxTexts boxes{};           // empty until the first valid time
    std::array<std::string, 2> points{};
    bool textWindowOpen = false;
    std::vector<std::string> titles; // message boxes of the current action

    void Recalculate(const std::string& timeText) {
        double value = 0.0;
        std::string normal;
        std::int16_t nerr = et::kTimeMalformed;
        et::timecheck(timeText, value, normal, nerr);
        if (nerr != et::kTimeOk || value <= 10.0) {
            return;
        }
        ++recalculations;
        const Pool& p = kPoolOptions[pool];
        const Event& e = kEventOptions[event];
        boxes = et::ConvertedTimes(e.code, e.distance, value, p.type, p.turns);
        const et::PointsUpdate update =
            et::ShowGBPoints(p.type, p.turns, e.code, boxes[0], boxes[2]);
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (update.box[i]) {
                points[i] = *update.box[i];
            }
        }
        if (update.missingReference) {
            titles.emplace_back(kApplicationTitle);
        }
    }
};

class Monkey {
public:
    explicit Monkey(std::uint64_t seed) : rng_(seed), answerer_(seed) {
        window_.show();
        QApplication::processEvents();
        for (std::size_t i = 0; i < pools_.size(); ++i) {
            pools_[i] = Find<QRadioButton>("optPoolLen_" + std::to_string(i));
        }
        for (std::size_t i = 0; i < events_.size(); ++i) {
            events_[i] = Find<QRadioButton>("optEvent_" + std::to_string(i));
        }
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            boxes_[i] = Find<QLineEdit>("txtETime_" + std::to_string(i));
        }
        for (std::size_t i = 0; i < points_.size(); ++i) {
            points_[i] = Find<QLineEdit>("txtGBPnt_" + std::to_string(i));
        }
        time_ = Find<QLineEdit>("txtATime");
        help_ = Find<QPushButton>("cmdHelp");
        version_ = Find<QWidget>("lblVersion");
    }

    // Runs one random action and checks the window afterwards; returns what it did, or the
    // first difference found as a failure text.
    std::string Step(std::string& failure) {
        expected_.titles.clear();
        answerer_.Forget();
        std::string did;
        const int roll = Uniform(0, 99);
        if (roll < 10) {
            did = ClickPool();
        } else if (roll < 22) {
            did = ClickEvent();
        } else if (roll < 52) {
            did = TypeKey();
        } else if (roll < 64) {
            did = DeleteKey();
        } else if (roll < 74) {
            did = Paste();
        } else if (roll < 80) {
            did = ClearAndType();
        } else if (roll < 88) {
            did = HelpMenu();
        } else if (roll < 91) {
            did = VersionLabel();
        } else {
            did = TextWindowAction();
        }
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        failure = Check();
        return did;
    }

    // What the session went through, so that a run that never reached a part shows it.
    std::string Summary() const {
        return std::to_string(expected_.recalculations) + " valid times converted, " +
               std::to_string(boxesSeen_) + " message boxes, " + std::to_string(menusSeen_) +
               " help menus";
    }

    // "&Done" ends the session: the window and the text window go.
    std::string Finish() {
        auto* done = Find<QPushButton>("CmdExit");
        QTest::mouseClick(done, Qt::LeftButton);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (window_.isVisible() || window_.textWindow() != nullptr) {
            return "\"&Done\" left a window open";
        }
        return {};
    }

private:
    template <typename T> T* Find(const std::string& name) {
        T* widget = window_.findChild<T*>(QString::fromStdString(name));
        if (widget == nullptr) {
            std::fprintf(stderr, "window monkey: no element %s\n", name.c_str());
            std::abort();
        }
        return widget;
    }

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    // Runs an action with the menu and box answers planned; records the boxes seen.
    template <typename F> void Run(std::optional<char> menuKey, F&& action) {
        answerer_.Plan(menuKey, Uniform(0, 1) == 0 ? Qt::Key_Escape : Qt::Key_Return);
        action();
        answerer_.Done();
    }

    // Clicks an option where a user would: on its round indicator.
    void ClickOption(QRadioButton* option) {
        Run(std::nullopt, [&] {
            QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier,
                              QPoint(option->height() / 2, option->height() / 2));
        });
    }

    std::string ClickPool() {
        const auto i = static_cast<std::size_t>(Uniform(0, 8));
        ClickOption(pools_[i]);
        expected_.pool = i;
        expected_.Recalculate(time_->text().toStdString());
        return "click pool " + std::to_string(i);
    }

    std::string ClickEvent() {
        std::vector<std::size_t> shown;
        for (std::size_t i = 0; i < events_.size(); ++i) {
            if (events_[i]->isVisible()) {
                shown.push_back(i);
            }
        }
        const std::size_t i =
            shown[static_cast<std::size_t>(Uniform(0, static_cast<int>(shown.size()) - 1))];
        ClickOption(events_[i]);
        expected_.event = i;
        expected_.Recalculate(time_->text().toStdString());
        return "click event " + std::to_string(i);
    }

    // Time-like keys mostly, and now and then anything else a keyboard gives.
    std::string TypeKey() {
        static constexpr std::string_view kKeys = "0123456789012345678901234567890123456789..::"
                                                  " ,;-+eE/ax";
        MoveCursor();
        const char c =
            kKeys[static_cast<std::size_t>(Uniform(0, static_cast<int>(kKeys.size()) - 1))];
        TimeChange([&] { QTest::keyClick(time_, c); });
        return std::string("type '") + c + "'";
    }

    std::string DeleteKey() {
        MoveCursor();
        const bool back = Uniform(0, 2) != 0;
        TimeChange([&] { QTest::keyClick(time_, back ? Qt::Key_Backspace : Qt::Key_Delete); });
        return back ? "backspace" : "delete";
    }

    std::string Paste() {
        const std::string text = RandomText();
        QApplication::clipboard()->setText(QString::fromStdString(text));
        if (Uniform(0, 2) == 0) {
            time_->selectAll();
        } else {
            MoveCursor();
        }
        TimeChange([&] { QTest::keyClick(time_, Qt::Key_V, Qt::ControlModifier); });
        return "paste '" + text + "'";
    }

    std::string ClearAndType() {
        const std::string text = RandomTime();
        TimeChange([&] {
            QTest::keyClick(time_, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(time_, Qt::Key_Delete);
            expected_.Recalculate(time_->text().toStdString());
            for (const char c : text) {
                QTest::keyClick(time_, c);
                expected_.Recalculate(time_->text().toStdString());
            }
        });
        return "retype '" + text + "'";
    }

    // Every text the box passes through is recalculated by the window; the expectation follows
    // the final one (intermediate ones are followed by the callers that make several).
    template <typename F> void TimeChange(F&& edit) {
        Run(std::nullopt, edit);
        expected_.Recalculate(time_->text().toStdString());
    }

    void MoveCursor() {
        switch (Uniform(0, 5)) {
        case 0:
            time_->home(false);
            break;
        case 1:
            time_->cursorBackward(false, 1);
            break;
        default:
            time_->end(false);
            break;
        }
    }

    std::string HelpMenu() {
        static constexpr std::array<std::optional<char>, 5> kChoices = {'a', 'g', 'v', 'c',
                                                                        std::nullopt};
        const auto choice = kChoices[static_cast<std::size_t>(Uniform(0, 4))];
        Run(choice, [&] { QTest::mouseClick(help_, Qt::LeftButton); });
        if (answerer_.Menus() != 1) {
            extraFailure_ = "the help button opened " + std::to_string(answerer_.Menus()) +
                            " menus instead of one";
        }
        if (choice == 'a') {
            expected_.titles.emplace_back(kAboutTitle);
        } else if (choice == 'v') {
            expected_.titles.emplace_back(kVersionTitle);
        } else if (choice == 'c') {
            expected_.titles.emplace_back(kCopyrightTitle);
        } else if (choice == 'g') {
            expected_.textWindowOpen = true;
            checkGBText_ = true;
        }
        return std::string("help menu ") + (choice ? std::string(1, *choice) : "dismissed");
    }

    std::string VersionLabel() {
        Run(std::nullopt, [&] { QTest::mouseClick(version_, Qt::LeftButton); });
        expected_.titles.emplace_back(kVersionTitle);
        return "click version label";
    }

    std::string TextWindowAction() {
        et::qt::TextWindow* text = window_.textWindow();
        if (text == nullptr) {
            return "text window: none open";
        }
        switch (Uniform(0, 2)) {
        case 0:
            Run(std::nullopt, [&] { QTest::mouseClick(text->cancelButton(), Qt::LeftButton); });
            expected_.textWindowOpen = false;
            return "text window: cancel";
        case 1:
            Run(std::nullopt, [&] { text->close(); });
            expected_.textWindowOpen = false;
            return "text window: close box";
        default:
            Run(std::nullopt, [&] { QTest::keyClicks(text->scrText(), "edit"); });
            return "text window: type";
        }
    }

    std::string RandomTime() {
        switch (Uniform(0, 5)) {
        case 0: {
            static constexpr std::array<std::string_view, 10> kEdges = {
                "10.00",    "10.01",   "9.99",    "45:00.00", "45:00.01",
                "44:59.99", "0:10.00", "1.00.00", "59.99",    "2700"};
            return std::string(kEdges[static_cast<std::size_t>(Uniform(0, 9))]);
        }
        case 1:
            return std::to_string(Uniform(0, 3000));
        default: {
            char text[32];
            std::snprintf(text, sizeof text, "%d%c%02d%c%02d", Uniform(0, 20),
                          Uniform(0, 1) == 0 ? '.' : ':', Uniform(0, 59),
                          Uniform(0, 1) == 0 ? '.' : ':', Uniform(0, 99));
            return text;
        }
        }
    }

    std::string RandomText() {
        if (Uniform(0, 1) == 0) {
            return RandomTime();
        }
        static constexpr std::array<std::string_view, 12> kPieces = {
            "1",        "23",           ".",   ":",
            " ",        "\t",           "-5",  "e3",
            "\xc3\xa9", "\xe2\x80\x89", "abc", "99999999999999999999"};
        std::string text;
        for (int n = Uniform(0, 6); n > 0; --n) {
            text +=
                kPieces[static_cast<std::size_t>(Uniform(0, static_cast<int>(kPieces.size()) - 1))];
        }
        return text;
    }

    std::string Check() {
        std::string failure = std::exchange(extraFailure_, {});
        const auto differ = [&failure](const std::string& what, const std::string& shown,
                                       const std::string& wanted) {
            if (failure.empty() && shown != wanted) {
                failure = what + " shows '" + shown + "', the core says '" + wanted + "'";
            }
        };
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            differ("converted time " + std::to_string(i), boxes_[i]->text().toStdString(),
                   expected_.boxes[i]);
        }
        for (std::size_t i = 0; i < points_.size(); ++i) {
            differ(i == 0 ? "male points" : "female points", points_[i]->text().toStdString(),
                   expected_.points[i]);
        }
        for (std::size_t i = 0; i < pools_.size(); ++i) {
            differ("pool option " + std::to_string(i) + " selected",
                   pools_[i]->isChecked() ? "yes" : "no", i == expected_.pool ? "yes" : "no");
        }
        const Pool& pool = kPoolOptions[expected_.pool];
        for (std::size_t i = 0; i < events_.size(); ++i) {
            differ("event option " + std::to_string(i) + " selected",
                   events_[i]->isChecked() ? "yes" : "no", i == expected_.event ? "yes" : "no");
            differ("event option " + std::to_string(i) + " shown",
                   events_[i]->isVisible() ? "yes" : "no", EventOffered(i, pool) ? "yes" : "no");
        }
        boxesSeen_ += answerer_.Boxes().size();
        menusSeen_ += static_cast<std::size_t>(answerer_.Menus());
        std::string seenTitles;
        for (const auto& box : answerer_.Boxes()) {
            seenTitles += "[" + box.title + "]";
        }
        std::string wantedTitles;
        for (const auto& title : expected_.titles) {
            wantedTitles += "[" + title + "]";
        }
        differ("message boxes", seenTitles, wantedTitles);
        et::qt::TextWindow* text = window_.textWindow();
        differ("text window open", text != nullptr && text->isVisible() ? "yes" : "no",
               expected_.textWindowOpen ? "yes" : "no");
        // A fresh copy of the explanation each time "&GB Points" is chosen, edits or not.
        if (failure.empty() && std::exchange(checkGBText_, false) && text != nullptr &&
            !text->scrText()->toPlainText().toStdString().starts_with(kGBPointsFirstLine)) {
            failure = "the text window does not start with the GB points heading";
        }
        return failure;
    }

    Rng rng_;
    Answerer answerer_;
    et::qt::MainWindow window_;
    std::array<QRadioButton*, 9> pools_{};
    std::array<QRadioButton*, 18> events_{};
    std::array<QLineEdit*, 9> boxes_{};
    std::array<QLineEdit*, 2> points_{};
    QLineEdit* time_ = nullptr;
    QPushButton* help_ = nullptr;
    QWidget* version_ = nullptr;
    Expected expected_;
    std::string extraFailure_;
    bool checkGBText_ = false;
    std::size_t boxesSeen_ = 0;
    std::size_t menusSeen_ = 0;
};

TEST(WindowMonkey, RandomSessionKeepsTheDisplayWithTheCore) {
    std::uint64_t seed = std::random_device{}();
    if (const char* text = std::getenv("EQUIVTIMES_MONKEY_SEED"); text != nullptr && *text) {
        seed = std::strtoull(text, nullptr, 10);
    }
    const std::size_t actions = EnvCount("EQUIVTIMES_MONKEY_ACTIONS", 10000);
    std::printf("window monkey: seed %llu, %zu actions (replay with EQUIVTIMES_MONKEY_SEED=%llu)\n",
                static_cast<unsigned long long>(seed), actions,
                static_cast<unsigned long long>(seed));

    Monkey monkey(seed);
    std::vector<std::string> recent;
    for (std::size_t n = 1; n <= actions; ++n) {
        std::string failure;
        recent.push_back(monkey.Step(failure));
        if (recent.size() > 8) {
            recent.erase(recent.begin());
        }
        if (!failure.empty()) {
            std::string trail;
            for (const auto& action : recent) {
                trail += "\n  " + action;
            }
            FAIL() << "seed " << seed << ", action " << n << ": " << failure
                   << "\nlast actions:" << trail;
        }
    }
    std::printf("window monkey: %s\n", monkey.Summary().c_str());
    const std::string end = monkey.Finish();
    EXPECT_TRUE(end.empty()) << "seed " << seed << ": " << end;
}

} // namespace

int main(int argc, char* argv[]) {
    // Nothing Qt remembers in the home folder is shared with other tests or the user.
    const et::test::PrivateHome home;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
