// Writing the converted meet: the file's own bytes with each converted entry's entrytime and
// entrycourse changed and its original time and course kept in its MEETINFO (an entry whose
// MEETINFO holds a qualifying time of its own is never converted, so nothing is lost). Every
// other byte stays as it was read, so the meet management program reads the file as before.

#include "lenex/converted_meet.hpp"

#include "check/swim_values.hpp"
#include "io/whole_file.hpp"

#include <zip.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace et::meet {
namespace {

// Bytes of the document replaced by others: [offset, offset + size) becomes text.
struct Edit {
    std::size_t offset = 0;
    std::size_t size = 0;
    std::string text;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Lowercase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string_view Extension(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    return path.substr(dot);
}

// The edits of one entry, in slots used again from entry to entry (so that a large meet's
// converted entries take no memory each).
class Edits {
public:
    void Clear() { count_ = 0; }
    // A new edit replacing [offset, offset + size), its text left to fill.
    std::string& Add(std::size_t offset, std::size_t size) {
        if (count_ == slots_.size()) {
            slots_.emplace_back();
        }
        Edit& edit = slots_[count_++];
        edit.offset = offset;
        edit.size = size;
        edit.text.clear();
        return edit.text;
    }
    // In document order; an insertion goes before a replacement that starts at the same place.
    void Sort() {
        std::sort(slots_.begin(), slots_.begin() + static_cast<std::ptrdiff_t>(count_),
                  [](const Edit& a, const Edit& b) {
                      return a.offset < b.offset || (a.offset == b.offset && a.size < b.size);
                  });
    }
    std::size_t size() const { return count_; }
    const Edit& operator[](std::size_t i) const { return slots_[i]; }

private:
    std::vector<Edit> slots_; // the time, the course and the original kept in MEETINFO
    std::size_t count_ = 0;
};

// name=qvalueq after a space.
void AppendAttribute(std::string& out, std::string_view name, char quote, std::string_view value) {
    out += ' ';
    out += name;
    out += '=';
    out += quote;
    out += value;
    out += quote;
}

// The edits of one converted entry; false when its start tag is not where the reading found it.
bool EditsOf(const Meet& meet, const Entry& entry, const Conversion& conversion, Edits& edits) {
    const std::string& bytes = meet.bytes;
    if (entry.lastValue == 0 || entry.lastValue > bytes.size()) {
        return false;
    }
    // New attributes take the quotes the entry's own attributes have.
    const char quote = bytes[entry.lastValue - 1];
    if (quote != '"' && quote != '\'') {
        return false;
    }
    // The course the original time was swum in: its entrycourse, else its MEETINFO's, else the
    // event's as the check took it.
    const std::string_view originalTime = meet.Raw(entry.entrytime);
    const std::string_view originalCourse =
        entry.entrycourse.present()      ? meet.Raw(entry.entrycourse)
        : entry.meetinfoCourse.present() ? meet.Raw(entry.meetinfoCourse)
                                         : conversion.swum;
    edits.Add(entry.entrytime.offset, entry.entrytime.size) = LenexTimeText(conversion.hundredths);
    if (entry.entrycourse.present()) {
        edits.Add(entry.entrycourse.offset, entry.entrycourse.size) = conversion.course;
    } else {
        // Just past the entry time's closing quote.
        const std::size_t end = std::size_t{entry.entrytime.offset} + entry.entrytime.size;
        if (end >= bytes.size() || (bytes[end] != '"' && bytes[end] != '\'')) {
            return false;
        }
        AppendAttribute(edits.Add(end + 1, 0), "entrycourse", quote, conversion.course);
    }

    if (entry.meetinfo != 0) {
        // The qualifying swim is told there: its time added, or put in place of the zero that
        // stands for none (an entry whose MEETINFO holds another qualifying swim is not
        // converted), its course kept, or added as the check took it. Nothing else changes.
        if (entry.qualificationtime.present()) {
            const auto held = ParseLenexTime(meet.Text(entry.qualificationtime));
            if (held == 0L) {
                edits.Add(entry.qualificationtime.offset, entry.qualificationtime.size) =
                    originalTime;
            } else if (held != ParseLenexTime(meet.Text(entry.entrytime)) ||
                       (entry.meetinfoCourse.present() &&
                        meet.Raw(entry.meetinfoCourse) != originalCourse)) {
                return false; // the original entry time would be lost
            }
        }
        if (entry.qualificationtime.present() && entry.meetinfoCourse.present()) {
            return true;
        }
        std::string& added = edits.Add(entry.meetinfo, 0);
        if (!entry.qualificationtime.present()) {
            AppendAttribute(added, "qualificationtime", quote, originalTime);
        }
        if (!entry.meetinfoCourse.present()) {
            AppendAttribute(added, "course", quote, originalCourse);
        }
        return true;
    }
    // The end of the entry's start tag: past its last attribute's closing quote.
    std::size_t at = bytes.find(quote, entry.lastValue);
    if (at == std::string::npos) {
        return false;
    }
    ++at;
    while (at < bytes.size() && IsSpace(bytes[at])) {
        ++at;
    }
    const bool empty = bytes.compare(at, 2, "/>") == 0;
    if (!empty && (at >= bytes.size() || bytes[at] != '>')) {
        return false;
    }
    std::string& meetinfo = empty ? edits.Add(at, 2) : edits.Add(at + 1, 0);
    meetinfo += empty ? "><MEETINFO" : "<MEETINFO";
    AppendAttribute(meetinfo, "qualificationtime", quote, originalTime);
    AppendAttribute(meetinfo, "course", quote, originalCourse);
    meetinfo += empty ? " /></ENTRY>" : " />";
    return true;
}

struct SourceCloser {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// The converted document as a run of pieces: stretches of the file's bytes and the changed
// texts between them, made as they are asked for.
class DocumentPieces {
public:
    DocumentPieces(const Meet& meet, const CheckResult& result)
        : meet_(&meet), result_(&result), bytes_(meet.bytes) {}

    // The next piece; false at the end, or on an error (error() then says which).
    bool Next(std::string_view& piece) {
        for (;;) {
            if (edit_ < edits_.size()) {
                const Edit& edit = edits_[edit_];
                if (!textNext_) {
                    textNext_ = true;
                    piece = bytes_.substr(at_, edit.offset - at_);
                    return true;
                }
                textNext_ = false;
                ++edit_;
                at_ = edit.offset + edit.size;
                piece = edit.text; // kept until the next entry's changes are made
                return true;
            }
            if (!error_.empty()) {
                return false;
            }
            if (next_ < result_->conversions.size()) {
                if (!LoadEntry(result_->conversions[next_++])) {
                    return false;
                }
                continue;
            }
            if (done_) {
                return false;
            }
            done_ = true;
            piece = bytes_.substr(at_);
            return true;
        }
    }

    const std::string& error() const { return error_; }

private:
    // The changes of one entry: they lie within it, and the entries come in document order.
    bool LoadEntry(const Conversion& conversion) {
        if (conversion.entry >= meet_->entries.size()) {
            error_ = "the check does not belong to this meet";
            return false;
        }
        const Entry& entry = meet_->entries[conversion.entry];
        edits_.Clear();
        edit_ = 0;
        if (!entry.entrytime.present() || conversion.swum.empty() ||
            !EditsOf(*meet_, entry, conversion, edits_)) {
            error_ = meet_->Where(entry.tag) + ": this entry cannot be written back";
            return false;
        }
        edits_.Sort();
        if (edits_[0].offset < at_) {
            error_ = meet_->Where(entry.tag) + ": the entries are not in document order";
            return false;
        }
        return true;
    }

    const Meet* meet_;
    const CheckResult* result_;
    std::string_view bytes_;
    std::size_t next_ = 0; // the next conversion
    Edits edits_;
    std::size_t edit_ = 0;
    bool textNext_ = false;
    std::size_t at_ = 0; // the file's bytes before here are given out
    bool done_ = false;
    std::string error_;
};

std::string Pieces(const Meet& meet, const CheckResult& result,
                   const std::function<bool(std::string_view)>& write) {
    if (result.cancelled) {
        return "the check was stopped before every entry was seen";
    }
    DocumentPieces pieces(meet, result);
    std::string_view piece;
    while (pieces.Next(piece)) {
        if (!write(piece)) {
            return "the converted meet could not be written";
        }
    }
    return pieces.error();
}

// The converted document handed to libzip as it reads it, so that an .lxf is made without the
// whole document standing beside the file's own bytes.
class DocumentStream {
public:
    DocumentStream(const Meet& meet, const CheckResult& result, std::size_t size)
        : meet_(meet), result_(result), size_(size), pieces_(meet, result) {
        zip_error_init(&error_);
    }
    ~DocumentStream() { zip_error_fini(&error_); }
    DocumentStream(const DocumentStream&) = delete;
    DocumentStream& operator=(const DocumentStream&) = delete;

    static zip_int64_t Callback(void* state, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        return static_cast<DocumentStream*>(state)->Serve(data, length, command);
    }

private:
    zip_int64_t Serve(void* data, zip_uint64_t length, zip_source_cmd_t command) {
        switch (command) {
        case ZIP_SOURCE_OPEN:
            pieces_ = DocumentPieces(meet_, result_);
            rest_ = {};
            return 0;
        case ZIP_SOURCE_READ:
            return Read(static_cast<char*>(data), length);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* stat = static_cast<zip_stat_t*>(data);
            zip_stat_init(stat);
            stat->size = size_;
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error_, data, length);
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(
                ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, -1);
        default:
            zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

    zip_int64_t Read(char* out, zip_uint64_t length) {
        std::size_t filled = 0;
        while (filled < length) {
            if (rest_.empty() && !pieces_.Next(rest_)) {
                if (!pieces_.error().empty()) {
                    zip_error_set(&error_, ZIP_ER_INTERNAL, 0);
                    return -1;
                }
                break;
            }
            const auto n =
                static_cast<std::size_t>(std::min<zip_uint64_t>(rest_.size(), length - filled));
            std::copy_n(rest_.data(), n, out + filled);
            rest_.remove_prefix(n);
            filled += n;
        }
        return static_cast<zip_int64_t>(filled);
    }

    const Meet& meet_;
    const CheckResult& result_;
    std::size_t size_;
    DocumentPieces pieces_;
    std::string_view rest_;
    zip_error_t error_;
};

using ZipBuffer = std::unique_ptr<zip_source_t, SourceCloser>;

// The .lef inside an .lxf takes the .lxf's own name.
std::string MemberName(const std::string& outputName) {
    std::string member = outputName.substr(outputName.find_last_of('/') + 1);
    member.replace(member.size() - 4, 4, ".lef");
    return member;
}

// A ZIP archive built in memory holding one member, the converted document, in target; empty, or
// the message on failure.
std::string BuildArchive(std::string_view member, const Meet& meet, const CheckResult& result,
                         Deflate deflate, ZipBuffer& target) {
    std::size_t size = 0;
    if (std::string error = Pieces(meet, result,
                                   [&size](std::string_view piece) {
                                       size += piece.size();
                                       return true;
                                   });
        !error.empty()) {
        return error;
    }
    DocumentStream stream(meet, result, size);
    zip_error_t error;
    zip_error_init(&error);
    const auto failed = [&error](zip_t* archive) {
        std::string message =
            archive != nullptr ? zip_strerror(archive) : zip_error_strerror(&error);
        zip_error_fini(&error);
        return "cannot build the ZIP archive: " + message;
    };
    // The archive is built in a buffer source that is kept past zip_close to read it back.
    target.reset(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!target) {
        return failed(nullptr);
    }
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        return failed(nullptr);
    }
    zip_source_keep(target.get());
    zip_source_t* data = zip_source_function(archive, DocumentStream::Callback, &stream);
    const std::string name(member);
    zip_int64_t added = -1;
    if (data == nullptr ||
        (added = zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8)) < 0 ||
        (deflate == Deflate::Fastest &&
         zip_set_file_compression(archive, static_cast<zip_uint64_t>(added), ZIP_CM_DEFLATE, 1) !=
             0) ||
        (meet.memberTime >= 0 &&
         zip_file_set_mtime(archive, static_cast<zip_uint64_t>(added),
                            static_cast<time_t>(meet.memberTime), 0) != 0)) {
        if (data != nullptr && added < 0) {
            zip_source_free(data);
        }
        auto message = failed(archive);
        zip_discard(archive);
        return message;
    }
    if (zip_close(archive) != 0) {
        auto message = failed(archive);
        zip_discard(archive);
        return message;
    }
    zip_error_fini(&error);
    return {};
}

// The archive built in target handed to write a piece at a time, so that it need not stand
// twice in memory; empty, or the message when it cannot be read back.
std::string ReadArchive(zip_source_t* target, std::size_t& size,
                        const std::function<bool(std::string_view)>& write) {
    static constexpr std::string_view kUnread = "cannot read back the ZIP archive built";
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target, &stat) != 0 || zip_source_open(target) != 0) {
        return std::string(kUnread);
    }
    size = static_cast<std::size_t>(stat.size);
    std::array<char, 1 << 16> piece{};
    std::size_t read = 0;
    bool written = true;
    while (written && read < size) {
        const zip_int64_t got =
            zip_source_read(target, piece.data(), std::min<std::size_t>(piece.size(), size - read));
        if (got <= 0) {
            break;
        }
        read += static_cast<std::size_t>(got);
        written = write(std::string_view(piece.data(), static_cast<std::size_t>(got)));
    }
    zip_source_close(target);
    return written && read != size ? std::string(kUnread) : std::string();
}

// A ZIP archive in memory holding one member, the converted document; empty with the message
// on failure.
std::pair<std::string, std::string> ZipDocument(std::string_view member, const Meet& meet,
                                                const CheckResult& result, Deflate deflate) {
    ZipBuffer target;
    std::pair<std::string, std::string> out;
    out.second = BuildArchive(member, meet, result, deflate, target);
    if (out.second.empty()) {
        std::size_t size = 0;
        out.second = ReadArchive(target.get(), size, [&out, &size](std::string_view piece) {
            out.first.reserve(size);
            out.first += piece;
            return true;
        });
    }
    if (!out.second.empty()) {
        out.first.clear();
    }
    return out;
}

} // namespace

std::pair<std::string, std::string> ConvertedDocument(const Meet& meet, const CheckResult& result) {
    std::string out;
    // A converted entry grows by its MEETINFO and a longer course code: at most 66 bytes.
    out.reserve(meet.bytes.size() + result.conversions.size() * 72);
    std::string error = Pieces(meet, result, [&out](std::string_view piece) {
        out += piece;
        return true;
    });
    if (!error.empty()) {
        return {{}, std::move(error)};
    }
    return {std::move(out), std::string()}; // moved, not copied
}

std::pair<std::string, std::string> ConvertedMeetFile(const Meet& meet, const CheckResult& result,
                                                      const std::string& outputName,
                                                      Deflate deflate) {
    if (Lowercase(Extension(outputName)) != ".lxf") {
        return ConvertedDocument(meet, result);
    }
    return ZipDocument(MemberName(outputName), meet, result, deflate);
}

std::string ConvertedMeetNameError(const std::string& outputPath) {
    const std::string extension = Lowercase(Extension(outputPath));
    if (extension != ".lef" && extension != ".lxf") {
        return outputPath + ": the converted meet is written as .lef or .lxf; name it so";
    }
    return {};
}

std::string WriteConvertedMeet(const Meet& meet, const CheckResult& result,
                               const std::string& outputPath) {
    if (std::string error = ConvertedMeetNameError(outputPath); !error.empty()) {
        return error;
    }
    const std::string extension = Lowercase(Extension(outputPath));
    if (!meet.sourcePath.empty() &&
        (outputPath == meet.sourcePath || io::SameFile(outputPath, meet.sourcePath))) {
        return outputPath + ": that is the meet file read; the converted meet goes to another file";
    }
    ZipBuffer archive;
    if (extension == ".lxf") {
        // Built in memory, then written from libzip's own buffer.
        if (std::string error =
                BuildArchive(MemberName(outputPath), meet, result, Deflate::Default, archive);
            !error.empty()) {
            return outputPath + ": " + error;
        }
    }
    // Written as it is made: a large meet is not held twice.
    io::WholeFileWriter file;
    if (std::string error = file.Open(outputPath); !error.empty()) {
        return error;
    }
    if (archive) {
        std::size_t size = 0;
        const std::string error = ReadArchive(
            archive.get(), size, [&file](std::string_view piece) { return file.Write(piece); });
        if (!error.empty()) {
            file.Abandon();
            return outputPath + ": " + error;
        }
        return file.Commit();
    }
    const std::string error =
        Pieces(meet, result, [&file](std::string_view piece) { return file.Write(piece); });
    if (!error.empty()) {
        if (!file.ok()) {
            return file.Commit(); // the writer's own message; nothing is left behind
        }
        file.Abandon();
        return outputPath + ": " + error;
    }
    return file.Commit();
}

} // namespace et::meet
