// A results file: any bytes read as a meet's Lenex results. Either its swims are added, or a
// message names the file and the season read so far stays as it was; every swim read is above
// zero (00:00:00.00 is a final not swum), the best times of what was read come in every pool,
// each a time above zero, and as CSV one line a swimmer's event. The club entries made of them
// for an invitation with a qualifying period, limits and lists, and for a period of the club's own,
// are read back by the entry check with every entry meeting.
#include "club/best_times.hpp"
#include "club/season.hpp"
#include "lenex/club_entries.hpp"
#include "lenex/lenex_entries.hpp"
#include "lenex/meet_file.hpp"
#include "lenex/results_file.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A meet in a 50 metre pool whose swims count from 2026-01-01, two entries a swimmer, one a club
// in its open 100 Free, with generous times.
constexpr std::string_view kInvitation = R"(<?xml version="1.0" encoding="UTF-8"?>
<LENEX version="3.0"><CONSTRUCTOR name="Meet program" version="1"/><MEETS>
<MEET name="County" city="Sheffield" nation="GBR" course="LCM" maxentriesathlete="2">
<AGEDATE type="YEAR" value="2026-12-31"/><QUALIFY from="2026-01-01"/><SESSIONS>
<SESSION number="1" date="2026-06-06"><EVENTS>
<EVENT eventid="1" number="1" gender="F"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/></EVENT>
<EVENT eventid="2" number="2" gender="M"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/></EVENT>
<EVENT eventid="3" number="3"><SWIMSTYLE distance="200" relaycount="1" stroke="BACK"/>
<AGEGROUPS><AGEGROUP agegroupid="1" agemin="10" agemax="16"/></AGEGROUPS></EVENT>
<EVENT eventid="4" number="4" maxentries="1"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/></EVENT>
</EVENTS></SESSION></SESSIONS></MEET></MEETS><TIMESTANDARDLISTS>
<TIMESTANDARDLIST timestandardlistid="1" name="County" course="LCM" gender="X"><TIMESTANDARDS>
<TIMESTANDARD swimtime="00:01:30.00"><SWIMSTYLE distance="100" relaycount="1" stroke="FREE"/></TIMESTANDARD>
<TIMESTANDARD swimtime="00:03:10.00"><SWIMSTYLE distance="200" relaycount="1" stroke="BACK"/></TIMESTANDARD>
</TIMESTANDARDS></TIMESTANDARDLIST></TIMESTANDARDLISTS></LENEX>
)";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    et::meet::Results results;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string error = et::meet::AddResults(results, bytes, "results.lef");
    if (!error.empty()) {
        Require(error.starts_with("results.lef"));
        Require(results.swims.empty() && results.swimmers.empty() && results.counts.results == 0);
        return 0;
    }
    Require(results.counts.swims == results.swims.size());
    // 00:00:00.00 is a final not swum, never a swim made.
    for (const et::meet::ResultsSwim& swim : results.swims) {
        Require(swim.hundredths > 0);
    }
    for (const std::string_view course : {"LCM", "SCM", "SCY27", "SCY"}) {
        const et::meet::BestTimes best =
            et::meet::BestTimesIn(results, std::string(course), et::meet::SwimFilter());
        for (const et::meet::Best& one : best.best) {
            Require(one.hundredths > 0 && one.swim < results.swims.size() &&
                    results.swims[one.swim].hundredths > 0);
        }
        const std::string csv = et::meet::BestTimesCsv(results, best.best);
        Require(csv.starts_with(et::meet::kBestTimesHeader));
        Require(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) >=
                best.best.size() + 1);
    }
    // Under the invitation's period, and under a period of the club's own, which the file then
    // states: read back, every entry written meets.
    for (const auto& [from, to] : {std::pair{"", ""}, std::pair{"2025-09-01", "2026-03-31"}}) {
        et::meet::ClubEntriesRequest request;
        request.invitation = {"invitation.lef", kInvitation};
        request.output = "club.lef";
        request.from = from;
        request.to = to;
        const et::meet::ClubEntries made = et::meet::MakeClubEntries(results, request);
        Require(made.error.empty() && made.counts.read == made.rows.size());
        std::size_t meeting = 0;
        for (const et::meet::ReportRow& row : made.rows) {
            meeting += row.verdict == et::meet::Verdict::Meets ? 1U : 0U;
        }
        Require(made.entries == meeting);
        const et::meet::ReadResult back = et::meet::ReadMeetBytes(made.file, "club.lef");
        Require(back.meet != nullptr);
        const et::meet::CheckResult check = et::meet::CheckEntries(*back.meet);
        Require(check.rows.size() == made.entries && check.counts.meeting == made.entries);
    }
    return 0;
}
