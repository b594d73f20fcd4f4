// The meet file reader, the entry walk and the converted meet.
//
// Any bytes are read as a .lef or an .lxf: either a meet or a message, never a crash. A meet's
// every entry gets one row; with nothing converted the converted meet is the file itself, byte
// for byte; every converted entry can be written back; and the converted meet reads back with
// the same entries, none left to convert, the same verdicts and every time of an entry kept. A
// zero time is never judged.
#include "check/swim_values.hpp"
#include "lenex/converted_meet.hpp"
#include "lenex/lenex_entries.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The converted meet: every converted entry written back, read back the same, with nothing left
// to convert, the same verdicts, and no time of an entry lost: its original entry time and
// course stand in its MEETINFO (where a qualifying time of its own stood, that was the entry
// time itself).
void WrittenBack(const et::meet::Meet& meet, const et::meet::CheckResult& result,
                 const std::optional<std::string>& course) {
    const auto [document, error] = et::meet::ConvertedDocument(meet, result);
    Require(error.empty()); // every entry read and converted can be written back
    if (result.conversions.empty()) {
        Require(document == meet.bytes);
        return;
    }
    const et::meet::ReadResult again = et::meet::ReadMeetBytes(document, "converted.lef");
    Require(again.meet != nullptr);
    Require(again.meet->entries.size() == meet.entries.size());
    const et::meet::CheckResult second = et::meet::CheckEntries(*again.meet, course);
    Require(second.conversions.empty());
    for (const et::meet::Conversion& conversion : result.conversions) {
        Require(second.rows[conversion.entry].entry_course == conversion.course);
        const et::meet::Entry& before = meet.entries[conversion.entry];
        const et::meet::Entry& after = again.meet->entries[conversion.entry];
        Require(et::meet::ParseLenexTime(again.meet->Text(after.qualificationtime)) ==
                et::meet::ParseLenexTime(meet.Text(before.entrytime)));
        Require(again.meet->Text(after.meetinfoCourse) ==
                result.rows[conversion.entry].entry_course);
        const auto qualifying = et::meet::ParseLenexTime(meet.Text(before.qualificationtime));
        Require(!qualifying.has_value() || *qualifying == 0 ||
                again.meet->Raw(after.qualificationtime) == meet.Raw(before.qualificationtime));
    }
    // Checked again, the swim that qualifies is the one the first check read: the same verdict,
    // standard and margin for every entry (an error's place in the file may move).
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const et::meet::ReportRow& first = result.rows[i];
        const et::meet::ReportRow& then = second.rows[i];
        Require(then.verdict == first.verdict);
        Require(then.standard == first.standard);
        Require(first.verdict == et::meet::Verdict::Error || then.reason == first.reason);
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
    // A zero time is no time: never the swim judged.
    for (const et::meet::ReportRow& row : result.rows) {
        const bool judged =
            row.verdict == et::meet::Verdict::Meets || row.verdict == et::meet::Verdict::Misses;
        const auto time = et::meet::ParseLenexTime(row.judged_time);
        Require(time != 0L && (!judged || time.has_value()));
    }
    WrittenBack(*read.meet, result, {});
    // A pool chosen for the meet converts more entries; none of them loses a time either.
    WrittenBack(*read.meet, et::meet::CheckEntries(*read.meet, std::string("SCY")),
                std::string("SCY"));
    return 0;
}
