#pragma once
// Output files written whole or not at all.
//
// An entry list, a table or a meet file is first written to a temporary file in the folder of
// its final name, closed, and only then renamed onto that name. A run that fails or is
// interrupted (a full disk, a fatal error in the input, Ctrl+C, a closed terminal, SIGTERM)
// leaves no half-written file behind, and a file already under that name keeps its content. The
// reader of the output sees either the old file or the whole new one. The file is not forced to the
// disk (no fsync): a crash of the system itself is the file system's to survive, as for any other
// file a program writes.
//
// A name that is a symbolic link writes the file it points to, and the link stays. A name that is
// a device or a pipe (/dev/null, a FIFO) is written straight through: there is no old content to
// keep there, and a rename would replace the device itself.
//
// Errors are values: an empty string means success, anything else is a message naming the file.

#include <cstddef>
#include <string>
#include <string_view>

namespace et::io {

// True when both paths name one file after following links (same device and inode). A path that
// names nothing is the same as no other.
bool SameFile(const std::string& a, const std::string& b);

// Reads the file at path whole into bytes, reading no more than limit bytes and one more (so that
// the caller can tell a file larger than it takes). Empty on success, else a message naming it.
std::string ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit);

// Writes content to path whole or not at all: a temporary file in the same folder, written and
// closed, then renamed onto path; on any failure the temporary file is
// removed and a file already at path keeps its content. New file mode as the umask gives.
// Returns an empty string on success, else a message naming the file.
std::string WriteWholeFile(const std::string& path, std::string_view content);

// The same for an output produced piece by piece (a converted entry list of a million rows).
// Open, Write as often as needed, then Commit. Destroyed without a successful Commit, the writer
// removes its temporary file and the file under path stays as it was.
class WholeFileWriter {
public:
    WholeFileWriter() = default;
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    // Creates the temporary file beside path. Returns an empty string or a message.
    std::string Open(const std::string& path);
    // Adds bytes; false once anything has failed (Commit then gives the message).
    bool Write(std::string_view bytes);
    // Flushes, closes and renames onto path. Returns an empty string or a message; on
    // failure the temporary file is gone and path is untouched.
    std::string Commit();
    // Gives up: the temporary file is removed, path is untouched.
    void Abandon();

    bool ok() const { return error_.empty(); }
    // Why the file was not written; empty while all is well.
    const std::string& error() const { return error_; }
    // The name the output will have (path as given to Open).
    const std::string& path() const { return path_; }

private:
    bool FlushBuffer();
    void Fail(int errorNumber); // keeps the first message only

    std::string path_;      // the name as the user gave it, for messages
    std::string target_;    // where the file goes: path_, or the file its link points to
    std::string temporary_; // the temporary file; empty when there is none
    std::string buffer_;
    std::string error_;
    int fd_ = -1;
    int slot_ = -1;       // where the temporary's name is kept for the interruption handler
    bool direct_ = false; // a device or a pipe, written straight through
};

} // namespace et::io
