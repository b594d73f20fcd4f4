// A swimmer's season made into the chart of it.

#include "chart/season_request.hpp"

#include "check/report.hpp"
#include "check/standard_lists.hpp"
#include "check/swim_in_course.hpp"
#include "check/swim_values.hpp"
#include "club/club_candidates.hpp"
#include "convert/names.hpp"
#include "convert/pool_factors.hpp"
#include "model/time_text.hpp"
#include "swim/swim.hpp"

#include <algorithm>
#include <array>
#include <optional>

namespace et::chart {
namespace {

// The name as "Lastname, Firstname" splits it, each part without blanks around it, folded.
std::pair<std::string, std::string> FoldedName(std::string_view name) {
    const std::size_t comma = name.find(',');
    const std::string_view last = name.substr(0, comma);
    const std::string_view first =
        comma == std::string_view::npos ? std::string_view() : name.substr(comma + 1);
    return {meet::Folded(TrimBlanks(last)), meet::Folded(TrimBlanks(first))};
}

std::size_t PoolIndex(const PoolInfo& pool) {
    return static_cast<std::size_t>(&pool - kPools.data());
}

// A time as the window writes it, " 1.05.87".
std::string WindowTime(long hundredths) {
    return TimeToAlpha(static_cast<double>(hundredths) / 100.0, "P");
}

// The swim's time as the box of the pool it was made in shows it (to a tenth); its own time as
// the window writes it where the box shows none.
std::string OwnBox(const IndividualEvent& identity, const PoolInfo& pool, long hundredths) {
    TypedSwim typed;
    std::string error;
    if (ReadSwim(pool, identity, meet::TypedTime(hundredths), typed, error)) {
        const std::string box = BoxText(identity, typed, PoolIndex(pool));
        if (!BareBoxText(box).empty()) {
            return std::string(BareBoxText(box));
        }
    }
    return std::string(TrimBlanks(WindowTime(hundredths)));
}

// An event of the identity's swim style in course, as a file would hold it.
meet::Event EventIn(const IndividualEvent& identity, const std::string& course) {
    meet::Event event;
    event.course = course;
    event.stroke = std::string(meet::LenexStroke(identity.stroke));
    event.distance = identity.distance;
    event.hasStyle = true;
    return event;
}

// The line of the qualifying time that applies to the swimmer's best swim of a panel, as the
// entry check judges that swim against the lists: the tightest met, else the one missed by the
// least. Its time is converted into the pool drawn in where the list is of another pool.
std::optional<QualifyingTime> Qualifying(const meet::Results& results, const ProgressionAsk& ask,
                                         const meet::ResultsSwim& best, std::uint32_t lastDay) {
    const IndividualEvent& identity = *best.identity;
    meet::PlainMeet judged;
    judged.lists = ask.standards->lists;
    judged.events.push_back(EventIn(identity, ask.course));
    meet::MeetPart part;
    // The swimmer's age is reckoned by the year of the season's last swim.
    part.firstSession = meet::ParseLenexDate(meet::DayText(lastDay));
    meet::EventFactsCache facts(judged);
    const meet::Owner owner = meet::OwnerOf(results.swimmers[best.swimmer], 1);
    const meet::Event& swumEvent = results.events[best.event];
    meet::SwimInCourse swim(judged.events.front(), &identity, swumEvent.course, best.hundredths);
    meet::ReportRow row;
    row.verdict = meet::Verdict::NoStandard;
    meet::Judge(judged, judged.events.front(), facts.Of(0, ask.course), owner, part, ask.course,
                swim, row);
    if (row.verdict != meet::Verdict::Meets && row.verdict != meet::Verdict::Misses) {
        return std::nullopt;
    }
    const std::optional<long> standard = meet::ParseSwimTime(TrimBlanks(row.standard_time));
    if (!standard) {
        return std::nullopt;
    }
    QualifyingTime line;
    line.name = row.standard;
    if (row.standard_course == ask.course) {
        line.hundredths = *standard;
        line.text = std::string(TrimBlanks(WindowTime(*standard)));
        return line;
    }
    const meet::TimeInCourse there = meet::SwimTimeIn(EventIn(identity, row.standard_course),
                                                      row.standard_course, *standard, ask.course);
    const PoolInfo* listPool = meet::PoolOfCourse(row.standard_course);
    if (there.hundredths < 0 || listPool == nullptr) {
        return std::nullopt;
    }
    line.name += " (" + std::string(TrimBlanks(WindowTime(*standard))) + " in " +
                 std::string(listPool->caption) + ")";
    line.hundredths = there.hundredths;
    line.text = there.box;
    return line;
}

} // namespace

std::vector<std::uint32_t> FindSwimmers(const meet::Results& results, const SwimmerQuery& query,
                                        const meet::SwimFilter& filter) {
    const auto wanted = FoldedName(query.name);
    std::vector<std::uint32_t> found;
    for (std::uint32_t i = 0; i < results.swimmers.size(); ++i) {
        const meet::ResultsSwimmer& swimmer = results.swimmers[i];
        if (meet::Folded(swimmer.lastname) == wanted.first &&
            meet::Folded(swimmer.firstname) == wanted.second &&
            (query.birthdate.empty() || swimmer.birthdate == query.birthdate) &&
            (query.license.empty() || swimmer.license == query.license) &&
            meet::ClubMatches(swimmer, filter.club)) {
            found.push_back(i);
        }
    }
    return found;
}

std::string SwimmerLine(const meet::ResultsSwimmer& swimmer) {
    std::string line = swimmer.lastname + ", " + swimmer.firstname + " (";
    line += swimmer.birthdate.empty() ? "no birth date" : swimmer.birthdate;
    line += ", ";
    line += swimmer.club.empty() ? "no club" : swimmer.club;
    if (!swimmer.license.empty()) {
        line += ", license " + swimmer.license;
    }
    return line + ")";
}

bool IsEventName(std::string_view text) {
    const std::string folded = meet::Folded(TrimBlanks(text));
    return std::any_of(kIndividualEvents.begin(), kIndividualEvents.end(),
                       [&folded](const IndividualEvent& event) {
                           return meet::Folded(meet::IdentityName(event)) == folded;
                       });
}

void MakeProgression(const meet::Results& results, const ProgressionAsk& ask, Progression& made) {
    made = Progression();
    const PoolInfo* course = meet::PoolOfCourse(ask.course);
    const meet::ResultsSwimmer& swimmer = results.swimmers.at(ask.swimmer);
    ChartRequest& request = made.request;
    request.swimmer = swimmer.lastname + ", " + swimmer.firstname;
    request.birthdate = swimmer.birthdate;
    request.club = swimmer.club;
    request.course = course == nullptr ? kPools.size() : PoolIndex(*course);
    if (course == nullptr) {
        return;
    }
    const std::string event = meet::Folded(TrimBlanks(ask.event));
    const std::uint32_t from = meet::DayNumber(ask.filter.from);
    const std::uint32_t to = meet::DayNumber(ask.filter.to);
    // The swims that count, by event code, each with its best as the best times choose it.
    std::array<std::vector<std::uint32_t>, kIndividualEvents.size()> byEvent;
    std::array<std::optional<meet::Best>, kIndividualEvents.size()> bests;
    // Each swim's time in the pool drawn in, and as the window's box for it shows it.
    std::array<std::vector<std::pair<meet::Best, std::string>>, kIndividualEvents.size()> times;
    std::uint32_t lastDay = 0;
    for (std::uint32_t i = 0; i < results.swims.size(); ++i) {
        const meet::ResultsSwim& swim = results.swims[i];
        if (swim.swimmer != ask.swimmer || (from != 0 && (swim.day == 0 || swim.day < from)) ||
            (to != 0 && (swim.day == 0 || swim.day > to)) ||
            (!event.empty() && meet::Folded(meet::IdentityName(*swim.identity)) != event)) {
            continue;
        }
        const meet::Event& swumEvent = results.events[swim.event];
        meet::Best best;
        best.swim = i;
        std::string box;
        if (swumEvent.course == ask.course) {
            best.hundredths = swim.hundredths;
            box = OwnBox(*swim.identity, *course, swim.hundredths);
        } else {
            const meet::TimeInCourse there =
                meet::SwimTimeIn(swumEvent, swumEvent.course, swim.hundredths, ask.course);
            if (there.hundredths < 0) {
                ++made.blank;
                continue;
            }
            best.hundredths = there.hundredths;
            best.converted = true;
            box = there.box;
        }
        const auto code = static_cast<std::size_t>(swim.identity->code - 1);
        byEvent[code].push_back(i);
        times[code].emplace_back(best, std::move(box));
        std::optional<meet::Best>& held = bests[code];
        if (!held || meet::BetterBest(best, swim.day, *held, results.swims[held->swim].day)) {
            held = best;
        }
        lastDay = std::max(lastDay, swim.day);
    }
    for (std::size_t code = 0; code < byEvent.size(); ++code) {
        if (byEvent[code].empty()) {
            continue;
        }
        const IndividualEvent& identity = kIndividualEvents[code];
        ChartPanel& panel = request.panels.emplace_back();
        panel.event = meet::IdentityName(identity);
        for (std::size_t n = 0; n < byEvent[code].size(); ++n) {
            const meet::ResultsSwim& swim = results.swims[byEvent[code][n]];
            const meet::Best& time = times[code][n].first;
            const PoolInfo& pool = *meet::PoolOfCourse(results.events[swim.event].course);
            ChartSwim& drawn = panel.swims.emplace_back();
            drawn.day = swim.day;
            drawn.meet = results.meets[swim.meet].name;
            drawn.swumText = WindowTime(swim.hundredths);
            drawn.swumHundredths = swim.hundredths;
            drawn.pool = PoolIndex(pool);
            drawn.courseHundredths = time.hundredths;
            drawn.courseText = times[code][n].second;
            drawn.best = bests[code]->swim == byEvent[code][n];
            if (swim.day == 0) {
                ++made.undated;
            }
        }
        // In date order, the swims of no date last.
        std::stable_sort(
            panel.swims.begin(), panel.swims.end(), [](const ChartSwim& a, const ChartSwim& b) {
                return (a.day == 0 ? UINT32_MAX : a.day) < (b.day == 0 ? UINT32_MAX : b.day);
            });
        if (ask.standards != nullptr && !ask.standards->lists.empty()) {
            panel.qualifying = Qualifying(results, ask, results.swims[bests[code]->swim], lastDay);
        }
    }
    for (const ChartPanel& panel : request.panels) {
        for (const ChartSwim& swim : panel.swims) {
            made.listed.push_back(
                {panel.event, &swim, std::string(meet::CourseOfPool(kPools.at(swim.pool)))});
        }
    }
}

std::string ProgressionCsv(const Progression& made) {
    std::string out(kProgressionHeader);
    out += "\r\n";
    for (const ListedSwim& row : made.listed) {
        out += meet::DayText(row.swim->day);
        out += ',';
        meet::AppendCsvField(out, row.swim->meet);
        out += ',' + row.event + ',' + meet::LenexTimeText(row.swim->swumHundredths) + ',' +
               row.swumCourse + ',' + meet::LenexTimeText(row.swim->courseHundredths) + "\r\n";
    }
    return out;
}

} // namespace et::chart
