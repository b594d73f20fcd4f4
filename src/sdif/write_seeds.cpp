#include "sdif/write_seeds.hpp"

#include "sdif/sdif_values.hpp"

#include <algorithm>

namespace et::sdif {
namespace {

constexpr std::size_t kSeedColumn = 89; // 8 columns of time, then the course letter at 97
constexpr std::size_t kCourseColumn = 97;

// The line at offset without its line end; bytes end before a final Ctrl-Z.
std::string_view LineAt(std::string_view bytes, std::size_t offset) {
    const std::size_t end = bytes.find_first_of("\r\n", offset);
    return bytes.substr(offset,
                        end == std::string_view::npos ? std::string_view::npos : end - offset);
}

bool Cl2File(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::string first(LineAt(bytes, 0));
    first.resize(std::max(first.size(), kLineColumns), ' ');
    return CarriesCl2Checksum(first);
}

std::string Checked(std::string_view bytes, const SeedEdit& edit) {
    const std::string at = "the edit at byte " + std::to_string(edit.offset);
    const bool lineStart =
        edit.offset == 0 || bytes[edit.offset - 1] == '\n' || bytes[edit.offset - 1] == '\r';
    if (edit.offset >= bytes.size() || !lineStart || !bytes.substr(edit.offset).starts_with("D0")) {
        return at + " names no swim (D0) line";
    }
    if (TimeColumns(edit.hundredths).empty()) {
        return at + ": a seed time of " + std::to_string(edit.hundredths) +
               " hundredths cannot be written in 8 columns";
    }
    if (edit.course != 'S' && edit.course != 'Y' && edit.course != 'L') {
        return at + ": the course letter must be S, Y or L";
    }
    return {};
}

} // namespace

WrittenCopy WriteSeedTimes(std::string_view bytes, std::vector<SeedEdit> edits) {
    WrittenCopy copy;
    std::sort(edits.begin(), edits.end(),
              [](const SeedEdit& a, const SeedEdit& b) { return a.offset < b.offset; });
    for (std::size_t i = 0; i < edits.size(); ++i) {
        copy.error = Checked(bytes, edits[i]);
        if (copy.error.empty() && i > 0 && edits[i - 1].offset == edits[i].offset) {
            copy.error = "two edits of the line at byte " + std::to_string(edits[i].offset);
        }
        if (!copy.error.empty()) {
            return copy;
        }
    }
    const bool cl2 = Cl2File(bytes);
    // A final Ctrl-Z stays after the last line, even when that line grows.
    std::string_view lines = bytes;
    while (lines.ends_with('\x1A')) {
        lines.remove_suffix(1);
    }
    copy.bytes.reserve(bytes.size() + edits.size() * kLineColumns);
    std::size_t copied = 0;
    std::string line;
    for (const SeedEdit& edit : edits) {
        copy.bytes.append(bytes.substr(copied, edit.offset - copied));
        const std::string_view old = LineAt(lines, edit.offset);
        line.assign(old);
        line.resize(std::max(line.size(), cl2 ? kLineColumns : kCourseColumn), ' ');
        line.replace(kSeedColumn - 1, 8, TimeColumns(edit.hundredths));
        line[kCourseColumn - 1] = edit.course;
        if (cl2) {
            line.replace(158, 2, Cl2Checksum(line));
        }
        copy.bytes += line;
        copied = edit.offset + old.size();
    }
    copy.bytes.append(bytes.substr(copied));
    return copy;
}

} // namespace et::sdif
