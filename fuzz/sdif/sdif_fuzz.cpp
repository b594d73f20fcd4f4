// An SDIF file: any bytes read as results or entries, bare or zipped. Either a message names the
// file, or every swim read lies on a D0 line where its offset says, in file order, and no time
// read as a swim is zero. A copy with a new seed time for every swim changes nothing but the seed
// columns (89-97) and, in a CL2 file, the checksum (159-160) of those lines (a short line edited
// grows by blanks only); read again it holds the same swims with the new seeds, their
// checksums agreeing.
#include "sdif/sdif_file.hpp"
#include "sdif/write_seeds.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace et::sdif;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The lines of bytes as the reader and the writer cut them: each with the line end after it.
struct Piece {
    std::string_view line;
    std::string_view end;
};
std::vector<Piece> Pieces(std::string_view bytes) {
    std::vector<Piece> pieces;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
        std::size_t next = end;
        if (end < bytes.size()) {
            next += bytes.substr(end, 2) == "\r\n" ? 2 : 1;
        }
        pieces.push_back({bytes.substr(pos, end - pos), bytes.substr(end, next - end)});
        pos = next;
    }
    return pieces;
}

bool Written(std::size_t column, bool cl2) {
    return (column >= 89 && column <= 97) || (cl2 && column >= 159 && column <= 160);
}

// The copy's line against the original's: the same but in the written columns, any bytes added
// blanks there too.
void RequireOnlySeedColumns(std::string_view before, std::string_view after, bool edited,
                            bool cl2) {
    if (!edited) {
        Require(before == after);
        return;
    }
    Require(after.size() >= before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (!Written(i + 1, cl2)) {
            Require(after[i] == (i < before.size() ? before[i] : ' '));
        }
    }
}

void CheckCopy(std::string_view bytes, const SdifFile& file) {
    std::vector<SeedEdit> edits;
    for (std::size_t i = 0; i < file.swims.size(); ++i) {
        const Swim& swim = file.swims[i];
        const long time = swim.seed.kind == TimeKind::Time ? swim.seed.hundredths + 1
                                                           : 3000 + static_cast<long>(i);
        edits.push_back({swim.offset, time, "SYL"[i % 3]});
    }
    const WrittenCopy copy = WriteSeedTimes(bytes, edits);
    Require(copy.error.empty());
    const std::vector<Piece> before = Pieces(bytes);
    const std::vector<Piece> after = Pieces(copy.bytes);
    Require(before.size() == after.size());
    std::size_t swim = 0;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const bool edited = swim < file.swims.size() && file.swims[swim].offset == offset;
        // A final Ctrl-Z is no part of the last line.
        std::string_view old = before[i].line;
        std::string_view made = after[i].line;
        if (i + 1 == before.size()) {
            while (old.ends_with('\x1A') && made.ends_with('\x1A')) {
                old.remove_suffix(1);
                made.remove_suffix(1);
            }
        }
        RequireOnlySeedColumns(old, made, edited, file.counts.cl2);
        Require(before[i].end == after[i].end);
        swim += edited ? 1 : 0;
        offset += before[i].line.size() + before[i].end.size();
    }
    Require(swim == file.swims.size());
    const ReadResult again = ReadBareSdif(copy.bytes, "copy.cl2");
    Require(again.error.empty() && again.file.swims.size() == file.swims.size());
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const Swim& read = again.file.swims[i];
        Require(read.seed.kind == TimeKind::Time && read.seed.hundredths == edits[i].hundredths &&
                read.seed.course == edits[i].course && read.name == file.swims[i].name);
        if (file.counts.cl2) {
            std::string line(copy.bytes.substr(read.offset, kLineColumns));
            line.resize(kLineColumns, ' ');
            Require(Cl2ChecksumAgrees(line));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult read = ReadSdif(bytes, "meet.cl2");
    if (!read.error.empty()) {
        Require(read.error.starts_with("meet.cl2"));
        return 0;
    }
    const SdifFile& file = read.file;
    Require(file.swims.size() == file.counts.swims);
    const SdifBytes bare = UnwrapSdif(bytes, "meet.cl2");
    Require(bare.error.empty());
    std::size_t last = 0;
    for (const Swim& swim : file.swims) {
        Require(bare.bytes.substr(swim.offset).starts_with("D0"));
        Require(swim.offset >= last && swim.line > 0);
        last = swim.offset + 1;
        for (const TimeField* time : {&swim.seed, &swim.prelim, &swim.swimOff, &swim.finals}) {
            Require(time->kind != TimeKind::Time || time->hundredths > 0);
        }
        Require(swim.team == kNoTeam || swim.team < file.teams.size());
    }
    CheckCopy(bare.bytes, file);
    return 0;
}
