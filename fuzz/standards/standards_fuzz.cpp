// A further file of qualifying times: any bytes read as a Lenex file or a CSV table of qualifying
// times. Either its lists are added or a message names the file, and then nothing is added; the
// meet is checked with whatever was added, one row per entry.
#include "lenex/lenex_entries.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A meet in a 25 metre pool with entries in three pools, two of them by MEETINFO.
constexpr std::string_view kMeet = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><MEETS><MEET name="Fuzz" course="SCM">
<AGEDATE type="YEAR" value="2026-12-31" />
<SESSIONS><SESSION number="1" date="2026-03-07"><EVENTS>
<EVENT eventid="1"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE" /></EVENT>
<EVENT eventid="2"><SWIMSTYLE distance="1650" relaycount="1" stroke="FREE" /></EVENT>
</EVENTS></SESSION></SESSIONS>
<CLUBS><CLUB name="Otters"><ATHLETES>
<ATHLETE athleteid="1" lastname="Doe" firstname="Jo" gender="F" birthdate="2012-05-01"><ENTRIES>
<ENTRY eventid="1" entrytime="00:01:00.00" entrycourse="LCM" />
<ENTRY eventid="2" entrytime="00:17:00.00"><MEETINFO course="SCY" /></ENTRY>
<ENTRY eventid="1" entrytime="00:00:59.00"><MEETINFO qualificationtime="00:01:01.00" course="SCY20" /></ENTRY>
</ENTRIES></ATHLETE></ATHLETES></CLUB></CLUBS></MEET></MEETS></LENEX>
)";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The meet is read once (reading gives memory back to the system, slow under the
    // sanitizers) and copied for each input, so that one input's lists never meet another's.
    static const et::meet::ReadResult read = et::meet::ReadMeetBytes(kMeet, "meet.lef");
    Require(read.meet != nullptr);
    et::meet::Meet meet = *read.meet;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string error = et::meet::AddStandardsFile(meet, bytes, "times.csv");
    if (!error.empty()) {
        Require(error.starts_with("times.csv"));
        Require(meet.lists.size() == read.meet->lists.size());
        return 0;
    }
    const et::meet::CheckResult result = et::meet::CheckEntries(meet);
    Require(result.rows.size() == meet.entries.size());
    return 0;
}
