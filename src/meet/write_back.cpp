// Writing the converted meet: the file's own bytes with each converted entry's entrytime and
// entrycourse changed and its original time and course kept in its MEETINFO. Every other byte
// stays as it was read, so the meet management program reads the file as before.

#include "io/whole_file.hpp"
#include "meet/lenex_values.hpp"
#include "meet/meet_model.hpp"

#include <zip.h>

#include <algorithm>
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

// The edits of one converted entry; false when its start tag is not where the reading found it.
bool EditsOf(const Meet& meet, const Entry& entry, const Conversion& conversion,
             std::vector<Edit>& edits) {
    const std::string& bytes = meet.bytes;
    if (entry.lastValue == 0 || entry.lastValue > bytes.size()) {
        return false;
    }
    // New attributes take the quotes the entry's own attributes have.
    const char quote = bytes[entry.lastValue - 1];
    if (quote != '"' && quote != '\'') {
        return false;
    }
    const std::string q(1, quote);
    const std::string originalTime(meet.Raw(entry.entrytime));
    const std::string originalCourse(meet.Raw(entry.entrycourse));
    edits.push_back(
        {entry.entrytime.offset, entry.entrytime.size, LenexTimeText(conversion.hundredths)});
    edits.push_back(
        {entry.entrycourse.offset, entry.entrycourse.size, std::string(conversion.course)});

    if (entry.meetinfo != 0) {
        if (entry.meetinfoHasTime) {
            return true; // the qualifying swim is already told there
        }
        std::string added = " qualificationtime=" + q + originalTime + q;
        if (!entry.meetinfoHasCourse) {
            added += " course=" + q + originalCourse + q;
        }
        edits.push_back({entry.meetinfo, 0, added});
        return true;
    }
    const std::string meetinfo = "<MEETINFO qualificationtime=" + q + originalTime + q +
                                 " course=" + q + originalCourse + q + " />";
    // The end of the entry's start tag: past its last attribute's closing quote.
    std::size_t at = bytes.find(quote, entry.lastValue);
    if (at == std::string::npos) {
        return false;
    }
    ++at;
    while (at < bytes.size() && IsSpace(bytes[at])) {
        ++at;
    }
    if (bytes.compare(at, 2, "/>") == 0) {
        edits.push_back({at, 2, ">" + meetinfo + "</ENTRY>"});
        return true;
    }
    if (at < bytes.size() && bytes[at] == '>') {
        edits.push_back({at + 1, 0, meetinfo});
        return true;
    }
    return false;
}

struct SourceCloser {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

} // namespace

std::string WriteConvertedDocument(const Meet& meet, const CheckResult& result,
                                   const std::function<bool(std::string_view)>& write) {
    if (result.cancelled) {
        return "the check was stopped before every entry was seen";
    }
    std::size_t at = 0;
    const std::string_view bytes(meet.bytes);
    // The entries come in document order, and each one's changes lie within it.
    std::vector<Edit> edits;
    for (const Conversion& conversion : result.conversions) {
        if (conversion.entry >= meet.entries.size()) {
            return "the check does not belong to this meet";
        }
        const Entry& entry = meet.entries[conversion.entry];
        edits.clear();
        if (!entry.entrytime.present() || !entry.entrycourse.present() ||
            !EditsOf(meet, entry, conversion, edits)) {
            return meet.Where(entry.tag) + ": this entry cannot be written back";
        }
        std::sort(edits.begin(), edits.end(),
                  [](const Edit& a, const Edit& b) { return a.offset < b.offset; });
        for (const Edit& edit : edits) {
            if (edit.offset < at) {
                return meet.Where(entry.tag) + ": the entries are not in document order";
            }
            if (!write(bytes.substr(at, edit.offset - at)) || !write(edit.text)) {
                return "the converted meet could not be written";
            }
            at = edit.offset + edit.size;
        }
    }
    if (!write(bytes.substr(at))) {
        return "the converted meet could not be written";
    }
    return {};
}

std::pair<std::string, std::string> ConvertedDocument(const Meet& meet, const CheckResult& result) {
    std::string out;
    // A converted entry grows by its MEETINFO and a longer course code: at most 66 bytes.
    out.reserve(meet.bytes.size() + result.conversions.size() * 72);
    std::string error = WriteConvertedDocument(meet, result, [&out](std::string_view piece) {
        out += piece;
        return true;
    });
    if (!error.empty()) {
        return {{}, std::move(error)};
    }
    return {std::move(out), {}};
}

std::pair<std::string, std::string> ZipOneMember(std::string_view member, std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    const auto failed = [&error](zip_t* archive) -> std::pair<std::string, std::string> {
        std::string message =
            archive != nullptr ? zip_strerror(archive) : zip_error_strerror(&error);
        zip_error_fini(&error);
        return {{}, "cannot build the ZIP archive: " + message};
    };
    // The archive is built in a buffer source that is kept past zip_close to read it back.
    std::unique_ptr<zip_source_t, SourceCloser> target(
        zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!target) {
        return failed(nullptr);
    }
    zip_t* archive = zip_open_from_source(target.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        return failed(nullptr);
    }
    zip_source_keep(target.get());
    zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    if (data == nullptr) {
        auto message = failed(archive);
        zip_discard(archive);
        return message;
    }
    const std::string name(member);
    if (zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(data);
        auto message = failed(archive);
        zip_discard(archive);
        return message;
    }
    if (zip_close(archive) != 0) {
        auto message = failed(archive);
        zip_discard(archive);
        return message;
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(target.get(), &stat) != 0 || zip_source_open(target.get()) != 0) {
        return {{}, "cannot read back the ZIP archive built"};
    }
    std::string out(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t got = zip_source_read(target.get(), out.data(), out.size());
    zip_source_close(target.get());
    if (got < 0 || static_cast<std::size_t>(got) != out.size()) {
        return {{}, "cannot read back the ZIP archive built"};
    }
    zip_error_fini(&error);
    return {std::move(out), {}};
}

std::string WriteConvertedMeet(const Meet& meet, const CheckResult& result,
                               const std::string& outputPath) {
    const std::string extension = Lowercase(Extension(outputPath));
    if (extension != ".lef" && extension != ".lxf") {
        return outputPath + ": the converted meet is written as .lef or .lxf; name it so";
    }
    if (!meet.sourcePath.empty() &&
        (outputPath == meet.sourcePath || io::SameFile(outputPath, meet.sourcePath))) {
        return outputPath + ": that is the meet file read; the converted meet goes to another file";
    }
    if (extension == ".lef") {
        // Written as it is made: a large meet is not held twice.
        io::WholeFileWriter file;
        if (std::string error = file.Open(outputPath); !error.empty()) {
            return error;
        }
        std::string error = WriteConvertedDocument(
            meet, result, [&file](std::string_view piece) { return file.Write(piece); });
        if (!error.empty()) {
            if (!file.ok()) {
                return file.Commit(); // the writer's own message; nothing is left behind
            }
            file.Abandon();
            return error;
        }
        return file.Commit();
    }
    auto [document, error] = ConvertedDocument(meet, result);
    if (!error.empty()) {
        return error;
    }
    // The .lef inside takes the .lxf's own name.
    std::string member = outputPath.substr(outputPath.find_last_of('/') + 1);
    member.replace(member.size() - 4, 4, ".lef");
    const auto [archive, zipError] = ZipOneMember(member, document);
    if (!zipError.empty()) {
        return outputPath + ": " + zipError;
    }
    document = std::string(); // the archive alone is kept while it is written
    return io::WriteWholeFile(outputPath, archive);
}

} // namespace et::meet
