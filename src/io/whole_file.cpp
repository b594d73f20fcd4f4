#include "io/whole_file.hpp"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>

namespace et::io {
namespace {

// --- Interruption ---------------------------------------------------------------------------
// Ctrl+C, a closed terminal or SIGTERM end the process without running any destructor, so a
// temporary file would stay behind. A signal handler is handed no state of ours: the names of
// the temporary files being written must sit where it can find them. This is that place, and
// the only state of its kind: a few fixed path buffers, each with an atomic flag, filled by
// Arm and emptied by Disarm. The handler only reads them, unlinks, and raises the signal again
// with its default action, so the process still ends as the signal asks; everything it does is
// async-signal-safe. Handlers are installed only for signals whose action is still the default:
// a signal the program ignores (nohup) or handles itself is left alone.
constexpr int kFree = 0;
constexpr int kFilling = 1; // being claimed: not yet a name the handler may use
constexpr int kArmed = 2;

struct PendingTemporary {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the flags");

// More than one file at a time only when several threads write at once.
PendingTemporary pendingTemporaries[8];

void RemoveTemporariesAndRaise(int signalNumber) {
    const int savedErrno = errno;
    for (PendingTemporary& pending : pendingTemporaries) {
        if (pending.state.load(std::memory_order_acquire) == kArmed) {
            ::unlink(pending.path);
        }
    }
    // SA_RESETHAND has put back the default action; it takes effect when this handler returns.
    ::raise(signalNumber);
    errno = savedErrno;
}

void InstallHandlers() {
    static const bool installed = [] {
        for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
            struct sigaction current {};
            if (::sigaction(signalNumber, nullptr, &current) != 0 ||
                (current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction action {};
            action.sa_handler = RemoveTemporariesAndRaise;
            sigemptyset(&action.sa_mask);
            action.sa_flags = static_cast<int>(SA_RESTART | SA_RESETHAND);
            ::sigaction(signalNumber, &action, nullptr);
        }
        return true;
    }();
    static_cast<void>(installed);
}

// Makes path known to the handler; returns its slot, or -1 when none is free (the file is then
// still written whole, only an interruption may leave it behind).
int Arm(const std::string& path) {
    InstallHandlers();
    if (path.size() >= PATH_MAX) {
        return -1;
    }
    for (int i = 0; i < static_cast<int>(std::size(pendingTemporaries)); ++i) {
        PendingTemporary& pending = pendingTemporaries[i];
        int expected = kFree;
        if (pending.state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire)) {
            std::memcpy(pending.path, path.c_str(), path.size() + 1);
            pending.state.store(kArmed, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

void Disarm(int slot) {
    if (slot >= 0) {
        pendingTemporaries[slot].state.store(kFree, std::memory_order_release);
    }
}

// --- Names ----------------------------------------------------------------------------------

std::string RandomHex() {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        bits = static_cast<std::uint64_t>(now.tv_nsec) * 0x9E3779B97F4A7C15u ^
               static_cast<std::uint64_t>(now.tv_sec) ^
               (static_cast<std::uint64_t>(::getpid()) << 32);
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(12, '0');
    for (char& c : text) {
        c = kDigits[bits & 15u];
        bits >>= 4;
    }
    return text;
}

// A hidden name beside target, absolute so that it still names the file if the program changes
// its working folder while writing.
std::string TemporaryBeside(const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path where = fs::absolute(fs::path(target), ec);
    if (ec) {
        where = target;
    }
    // Room for the added dot, random part and suffix within a 255-byte file name.
    const std::string base = where.filename().string().substr(0, 200);
    return (where.parent_path() / ("." + base + "." + RandomHex() + ".tmp")).string();
}

// The file a symbolic link points to, so that the link stays a link; otherwise path itself.
std::string Target(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        const std::unique_ptr<char, decltype(&std::free)> resolved(
            ::realpath(path.c_str(), nullptr), &std::free);
        if (resolved) {
            return resolved.get();
        }
    }
    return path;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

constexpr std::size_t kBufferSize = std::size_t{1} << 16;

} // namespace

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string WriteWholeFile(const std::string& path, std::string_view content) {
    WholeFileWriter writer;
    if (std::string error = writer.Open(path); !error.empty()) {
        return error;
    }
    writer.Write(content);
    return writer.Commit();
}

WholeFileWriter::~WholeFileWriter() {
    Abandon();
}

std::string WholeFileWriter::Open(const std::string& path) {
    Abandon();
    path_ = path;
    target_ = Target(path);
    error_.clear();
    buffer_.clear();
    direct_ = false;

    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) {
            Fail(EISDIR);
            return error_;
        }
        direct_ = true;
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) {
            Fail(errno);
        }
        return error_;
    }

    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = TemporaryBeside(target_);
        // Known to the handler before the file exists, so that no moment has a temporary file it
        // does not know of; the name is random and O_EXCL, so it names no one else's file.
        slot_ = Arm(name);
        // Mode 0666 less the umask, as for any new file.
        fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd_ >= 0) {
            temporary_ = name;
            return error_;
        }
        const int openErrno = errno;
        Disarm(slot_);
        slot_ = -1;
        if (openErrno != EEXIST) {
            Fail(openErrno);
            return error_;
        }
    }
    Fail(EEXIST);
    return error_;
}

bool WholeFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0 || !ok()) {
        if (ok()) {
            Fail(EBADF);
        }
        return false;
    }
    if (buffer_.size() + bytes.size() > kBufferSize && !FlushBuffer()) {
        return false;
    }
    if (bytes.size() >= kBufferSize) {
        if (!WriteAll(fd_, bytes)) {
            Fail(errno);
            return false;
        }
        return true;
    }
    buffer_.append(bytes);
    return true;
}

std::string WholeFileWriter::Commit() {
    if (fd_ < 0 && ok()) {
        Fail(EBADF);
    }
    // Not forced to the disk with fsync: whole or nothing is the rename's doing, and waiting for
    // the disk (behind every other program's writes) would cost a large output a fifth of its
    // time. Surviving a power cut is left to the file system, as for any file a program writes.
    FlushBuffer();
    if (fd_ >= 0) {
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) {
            Fail(errno);
        }
    }
    if (ok() && !direct_) {
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
            Fail(errno);
        } else {
            // Renamed first, then forgotten: an interruption in between unlinks a name that is
            // already gone.
            temporary_.clear();
            Disarm(slot_);
            slot_ = -1;
        }
    }
    Abandon();
    return error_;
}

void WholeFileWriter::Abandon() {
    const bool begun = fd_ >= 0 || !temporary_.empty();
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    Disarm(slot_);
    slot_ = -1;
    buffer_.clear();
    if (begun && ok()) {
        error_ = "the output " + path_ + " was not written";
    }
}

bool WholeFileWriter::FlushBuffer() {
    if (!buffer_.empty() && ok()) {
        if (!WriteAll(fd_, buffer_)) {
            Fail(errno);
        }
    }
    buffer_.clear();
    return ok();
}

void WholeFileWriter::Fail(int errorNumber) {
    if (ok()) {
        error_ = "cannot write " + path_ + ": " + std::strerror(errorNumber);
    }
}

std::string ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    const auto failed = [&path](const char* what) {
        return std::string("cannot ") + what + " " + path + ": " + std::strerror(errno);
    };
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        return failed("open");
    }
    bytes.clear();
    // Read at the file's size, so that a large file is not copied as the buffer grows.
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0) {
            bytes.reserve(std::min(static_cast<std::size_t>(size), limit) + 1);
        }
        std::rewind(file.get());
    }
    std::array<char, 1 << 16> chunk{};
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        bytes.append(chunk.data(), got);
        if (got < chunk.size() || bytes.size() > limit) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        return failed("read");
    }
    return {};
}

} // namespace et::io
