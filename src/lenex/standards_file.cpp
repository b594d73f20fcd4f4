// Qualifying times from a further file: a Lenex file (an invitation, a federation's lists), or a
// table of qualifying times as meet packs publish them, saved from a spreadsheet as CSV.

#include "lenex/meet_file.hpp"

#include "check/standards_table.hpp"
#include "io/whole_file.hpp"

namespace et::meet {
namespace {

// A Lenex file starts with its XML (after a byte-order mark and white space), or is a ZIP archive.
bool IsLenexBytes(std::string_view bytes) {
    if (bytes.starts_with("PK") || bytes.starts_with("\xFE\xFF") || bytes.starts_with("\xFF\xFE")) {
        return true;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

} // namespace

std::string AddStandardsFile(PlainMeet& meet, std::string_view bytes, std::string_view name) {
    if (IsLenexBytes(bytes)) {
        const ReadResult read = ReadMeetBytes(bytes, name);
        if (!read.meet) {
            return read.error;
        }
        if (std::string error = AddStandards(meet, *read.meet); !error.empty()) {
            return std::string(name) + ": " + error;
        }
        return {};
    }
    return AddStandardsTable(meet, bytes, name);
}

std::string AddStandardsPath(PlainMeet& meet, const std::string& path) {
    std::string bytes;
    if (std::string error = io::ReadWholeFile(path, bytes, kLargestMeetFile); !error.empty()) {
        return error;
    }
    if (bytes.size() > kLargestMeetFile) {
        return path + ": the file is larger than " + std::to_string(kLargestMeetFile >> 20) +
               " MiB";
    }
    return AddStandardsFile(meet, bytes, path);
}

} // namespace et::meet
