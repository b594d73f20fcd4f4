#pragma once
// Reading and checking a meet away from the window's thread, so that a meet of a hundred
// thousand entries never freezes the window: the meet library's work runs on a thread of its
// own, its progress comes back as a signal, and a cancel stops it at its next progress call.

#include <QObject>
#include <QThread>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formats/meet_files.hpp"

namespace et::entries {

// What to check. A meet already read is checked again as it is (a new course); otherwise the
// meet file (Lenex or SDIF, told by content) is read afresh and every standards file added to
// it, in order. A file that holds no entries (results, records) is refused, saying what it holds.
struct LoadRequest {
    std::string meetPath;
    std::vector<std::string> standardsPaths;
    std::shared_ptr<const et::formats::MeetFile> meet;
    std::optional<std::string> courseOverride;
};

struct LoadOutcome {
    std::shared_ptr<const et::formats::MeetFile> meet; // null unless the check ran to its end
    et::meet::MeetHeading heading;
    et::meet::CheckResult result;
    std::string error; // why a file could not be read; nothing else is then usable
    bool cancelled = false;
};

// Does the whole of a request on the calling thread; progress may stop it.
LoadOutcome RunLoad(const LoadRequest& request, const et::meet::Progress& progress);

class MeetLoader : public QObject {
    Q_OBJECT

public:
    explicit MeetLoader(QObject* parent = nullptr);
    ~MeetLoader() override;

    MeetLoader(const MeetLoader&) = delete;
    MeetLoader& operator=(const MeetLoader&) = delete;

    // Starts the work on its thread; does nothing while a request is still running.
    void start(LoadRequest request);
    // Asks the running work to stop; finished() still follows, with a cancelled outcome.
    void cancel();
    bool busy() const { return thread_ != nullptr; }
    // The outcome of the work that last finished.
    LoadOutcome takeOutcome() { return std::move(outcome_); }

signals:
    // Entries checked out of all, now and then.
    void progressed(qulonglong done, qulonglong total);
    void finished();

private:
    void threadEnded();

    std::unique_ptr<QThread> thread_;
    std::shared_ptr<std::atomic<bool>> stop_;
    LoadOutcome outcome_;
};

} // namespace et::entries
