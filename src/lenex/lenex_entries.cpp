// A Lenex meet's entries read as plain values for the check.

#include "lenex/lenex_entries.hpp"

#include "check/swim_values.hpp"

namespace et::meet {
namespace {

// A swim time attribute: none when absent (or, for an entry time, NT), else a Lenex swim time
// or a text that is none.
void ReadTime(const Meet& meet, const Span& span, bool noTimeText, GivenTime& time) {
    time.text = meet.Text(span);
    time.hundredths = 0;
    if (!span.present() || (noTimeText && time.text == "NT")) {
        time.kind = GivenTime::Kind::None;
        return;
    }
    const std::optional<long> hundredths = ParseLenexTime(time.text);
    time.kind = hundredths ? GivenTime::Kind::Swim : GivenTime::Kind::Unreadable;
    time.hundredths = hundredths.value_or(0);
}

void ReadText(const Meet& meet, const Span& span, GivenText& text) {
    text.given = span.present();
    text.text = meet.Text(span);
}

} // namespace

const EntryWords kLenexEntryWords = {
    "eventid",
    "entrytime",
    "entrycourse",
    "MEETINFO",
    "MEETINFO qualificationtime",
    "MEETINFO course",
    "MEETINFO date",
    "Lenex swim time like 00:01:02.34 (hours:minutes:seconds.hundredths)",
    "Lenex course",
    "date (YYYY-MM-DD)",
};

std::size_t LenexEntries::EventNamed(std::uint32_t owner, const std::string& eventid) const {
    const MeetPart& part = meet_.parts[meet_.owners[owner].part];
    const auto found = part.events.find(eventid);
    return found != part.events.end() ? found->second : kNoEvent;
}

EntryEvent LenexEntries::EventOf(std::size_t i) const {
    const Entry& entry = meet_.entries[i];
    return {entry.owner, entry.eventid.present()
                             ? EventNamed(entry.owner, meet_.Text(entry.eventid))
                             : kNoEvent};
}

void LenexEntries::Read(std::size_t i, EntryFacts& facts) const {
    const Entry& entry = meet_.entries[i];
    ReadText(meet_, entry.eventid, facts.eventid);
    facts.entrant = {entry.owner,
                     facts.eventid.given ? EventNamed(entry.owner, facts.eventid.text) : kNoEvent};
    facts.status = meet_.Text(entry.status);
    ReadTime(meet_, entry.entrytime, true, facts.entryTime);
    ReadText(meet_, entry.entrycourse, facts.entryCourse);
    ReadTime(meet_, entry.qualificationtime, false, facts.swumTime);
    ReadText(meet_, entry.meetinfoCourse, facts.swumCourse);
    ReadText(meet_, entry.meetinfoDate, facts.swumDay);
    facts.day = facts.swumDay.given ? ParseDate(facts.swumDay.text) : Date();
    facts.agegroupid = meet_.Text(entry.agegroupid);
}

CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride,
                         const Progress& progress, const RowSink& sink) {
    LenexEntries entries(meet);
    return CheckEntries(meet, entries, courseOverride, progress, sink);
}

CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride,
                         const Progress& progress) {
    return CheckEntries(meet, courseOverride, progress, RowSink());
}

MeetFees FeesOf(const Meet& meet, const CheckResult& result) {
    const LenexEntries entries(meet);
    return FeesOf(meet, entries, result);
}

} // namespace et::meet
