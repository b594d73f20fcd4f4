// The meet file reader, the entry walk and the converted meet.
//
// Any bytes are read as a .lef or an .lxf: either a meet or a message, never a crash. A meet's
// every entry gets one row; with nothing converted the converted meet is the file itself, byte
// for byte; every converted entry can be written back; and the converted meet reads back with
// the same entries, none left to convert, and the same verdicts.
#include "meet/entry_check.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const et::meet::ReadResult read = et::meet::ReadMeetBytes(bytes, "fuzz.lef");
    Require(read.meet != nullptr || !read.error.empty());
    // Read a club at a time or as one tree, a .lef gives the same meet or the same message.
    const bool lef = bytes.substr(0, 4) != std::string_view("PK\x03\x04", 4);
    const et::meet::ReadResult whole =
        lef ? et::meet::ParseMeet(std::string(bytes), "fuzz.lef", et::meet::TreeBuilding::Whole)
            : et::meet::ReadResult();
    Require(!lef || whole.error == read.error);
    if (!read.meet) {
        return 0;
    }
    const et::meet::CheckResult result = et::meet::CheckEntries(*read.meet);
    Require(result.rows.size() == read.meet->entries.size());
    if (lef) {
        Require(whole.meet != nullptr && whole.meet->entries.size() == read.meet->entries.size());
        const et::meet::CheckResult wholeResult = et::meet::CheckEntries(*whole.meet);
        Require(et::meet::ReportCsv(wholeResult.rows) == et::meet::ReportCsv(result.rows));
        for (std::size_t i = 0; i < read.meet->entries.size(); ++i) {
            const et::meet::Entry& a = read.meet->entries[i];
            const et::meet::Entry& b = whole.meet->entries[i];
            Require(a.tag == b.tag && a.lastValue == b.lastValue && a.meetinfo == b.meetinfo &&
                    a.entrytime.offset == b.entrytime.offset &&
                    a.entrycourse.offset == b.entrycourse.offset);
        }
    }
    Require(result.counts.converted == result.conversions.size());
    const auto [document, error] = et::meet::ConvertedDocument(*read.meet, result);
    Require(error.empty()); // every entry read and converted can be written back
    if (result.conversions.empty()) {
        Require(document == read.meet->bytes);
        return 0;
    }
    const et::meet::ReadResult again = et::meet::ReadMeetBytes(document, "converted.lef");
    Require(again.meet != nullptr);
    Require(again.meet->entries.size() == read.meet->entries.size());
    const et::meet::CheckResult second = et::meet::CheckEntries(*again.meet);
    Require(second.conversions.empty());
    for (const et::meet::Conversion& conversion : result.conversions) {
        Require(second.rows[conversion.entry].entry_course == conversion.course);
    }
    // Checked again, the swim that qualifies is the one the first check read: the same verdict,
    // standard and margin for every entry (an error's place in the file may move).
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const et::meet::ReportRow& before = result.rows[i];
        const et::meet::ReportRow& after = second.rows[i];
        Require(after.verdict == before.verdict);
        Require(after.standard == before.standard);
        Require(before.verdict == et::meet::Verdict::Error || after.reason == before.reason);
    }
    return 0;
}
