#include "entries/meet_loader.hpp"

#include <utility>

namespace et::entries {

LoadOutcome RunLoad(const LoadRequest& request, const et::meet::Progress& progress) {
    LoadOutcome outcome;
    std::shared_ptr<const et::formats::MeetFile> meet = request.meet;
    if (!meet) {
        et::formats::OpenResult read = et::formats::OpenMeetFile(request.meetPath);
        if (!read.meet) {
            outcome.error = std::move(read.error);
            return outcome;
        }
        if (const std::string holds = read.meet->NoEntriesText(); !holds.empty()) {
            outcome.error = request.meetPath + " " + holds + ": there is nothing to check";
            return outcome;
        }
        for (const std::string& path : request.standardsPaths) {
            if (progress && !progress(0, 0)) {
                outcome.cancelled = true;
                return outcome;
            }
            if (std::string error = read.meet->AddStandardsPath(path); !error.empty()) {
                outcome.error = std::move(error);
                return outcome;
            }
        }
        meet = std::move(read.meet);
    }
    // A cancel while the file was read stops here, before the first entry.
    if (progress && !progress(0, 0)) {
        outcome.cancelled = true;
        return outcome;
    }
    outcome.result = meet->Check(request.courseOverride, progress);
    if (outcome.result.cancelled) {
        outcome.result = {};
        outcome.cancelled = true;
        return outcome;
    }
    outcome.heading = meet->Heading();
    outcome.meet = std::move(meet);
    return outcome;
}

MeetLoader::MeetLoader(QObject* parent) : QObject(parent) {}

MeetLoader::~MeetLoader() {
    if (thread_) {
        stop_->store(true);
        thread_->wait();
    }
}

void MeetLoader::start(LoadRequest request) {
    if (thread_) {
        return;
    }
    stop_ = std::make_shared<std::atomic<bool>>(false);
    thread_.reset(QThread::create([this, stop = stop_, request = std::move(request)] {
        // Progress reaches the window at most once a percent, so a big meet does not flood its
        // event queue.
        int shownPercent = -1;
        const et::meet::Progress progress = [&](std::size_t done, std::size_t total) {
            if (stop->load()) {
                return false;
            }
            const int percent = total == 0 ? 0 : static_cast<int>(done * 100 / total);
            if (percent != shownPercent) {
                shownPercent = percent;
                // Queued to this object's thread; dropped if the object is gone by then.
                QMetaObject::invokeMethod(
                    this, [this, done, total] { emit progressed(done, total); },
                    Qt::QueuedConnection);
            }
            return true;
        };
        // The outcome is handed over by the thread's end (finished is delivered to this object's
        // thread after the work returns).
        outcome_ = RunLoad(request, progress);
    }));
    connect(thread_.get(), &QThread::finished, this, &MeetLoader::threadEnded);
    thread_->start();
}

void MeetLoader::cancel() {
    if (stop_) {
        stop_->store(true);
    }
}

void MeetLoader::threadEnded() {
    thread_->wait();
    thread_.reset();
    emit finished();
}

} // namespace et::entries
