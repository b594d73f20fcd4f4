// Each swimmer's best times in a pool, and their CSV.

#include "club/best_times.hpp"

#include "check/report.hpp"
#include "check/swim_in_course.hpp"
#include "check/swim_values.hpp"

#include <algorithm>
#include <array>
#include <tuple>

namespace et::meet {

bool BetterBest(const Best& a, std::uint32_t aDay, const Best& b, std::uint32_t bDay) {
    if (a.hundredths != b.hundredths) {
        return a.hundredths < b.hundredths;
    }
    if (a.converted != b.converted) {
        return !a.converted;
    }
    // An undated swim counts as the latest.
    if ((aDay == 0) != (bDay == 0)) {
        return aDay != 0;
    }
    return aDay < bDay;
}

bool ClubMatches(const ResultsSwimmer& swimmer, std::string_view club) {
    if (club.empty()) {
        return true;
    }
    const std::string wanted = Folded(club);
    return Folded(swimmer.club).find(wanted) != std::string::npos ||
           Folded(swimmer.clubCode).find(wanted) != std::string::npos;
}

BestTimes BestTimesIn(const Results& results, const std::string& course, const SwimFilter& filter) {
    BestTimes answer;
    std::vector<char> kept(results.swimmers.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        kept[i] = ClubMatches(results.swimmers[i], filter.club) ? 1 : 0;
    }
    // The place in answer.best of each swimmer's best in each event, by swimmer and event code.
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<std::size_t> place(results.swimmers.size() * kIndividualEvents.size(), kNone);
    const std::uint32_t from = DayNumber(filter.from);
    const std::uint32_t to = DayNumber(filter.to);
    for (std::size_t i = 0; i < results.swims.size(); ++i) {
        const ResultsSwim& swim = results.swims[i];
        if (kept[swim.swimmer] == 0 || (from != 0 && (swim.day == 0 || swim.day < from)) ||
            (to != 0 && (swim.day == 0 || swim.day > to))) {
            continue;
        }
        const Event& event = results.events[swim.event];
        Best best;
        best.swim = static_cast<std::uint32_t>(i);
        if (event.course == course) {
            best.hundredths = swim.hundredths;
        } else {
            const TimeInCourse there = SwimTimeIn(event, event.course, swim.hundredths, course);
            if (there.hundredths < 0) {
                ++answer.blank;
                continue;
            }
            best.hundredths = there.hundredths;
            best.converted = true;
        }
        std::size_t& at = place[swim.swimmer * kIndividualEvents.size() +
                                static_cast<std::size_t>(swim.identity->code - 1)];
        if (at == kNone) {
            at = answer.best.size();
            answer.best.push_back(best);
            continue;
        }
        Best& held = answer.best[at];
        if (BetterBest(best, swim.day, held, results.swims[held.swim].day)) {
            held = best;
        }
    }
    // Swimmers ranked once by gender and name, so that the rows sort on numbers.
    std::vector<std::uint32_t> byName(results.swimmers.size());
    for (std::uint32_t i = 0; i < byName.size(); ++i) {
        byName[i] = i;
    }
    std::sort(byName.begin(), byName.end(), [&results](std::uint32_t a, std::uint32_t b) {
        const ResultsSwimmer& x = results.swimmers[a];
        const ResultsSwimmer& y = results.swimmers[b];
        return std::tie(x.gender, x.lastname, x.firstname, a) <
               std::tie(y.gender, y.lastname, y.firstname, b);
    });
    std::vector<std::uint32_t> rank(byName.size());
    std::vector<std::uint32_t> genderRank(byName.size());
    for (std::uint32_t r = 0; r < byName.size(); ++r) {
        rank[byName[r]] = r;
        const bool sameGender =
            r > 0 && results.swimmers[byName[r]].gender == results.swimmers[byName[r - 1]].gender;
        genderRank[byName[r]] = r == 0 ? 0 : genderRank[byName[r - 1]] + (sameGender ? 0 : 1);
    }
    // Each row's key taken once, so that sorting reads no swim.
    struct Keyed {
        std::uint32_t event;
        std::uint32_t gender;
        long hundredths;
        std::uint32_t name;
        Best best;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(answer.best.size());
    for (const Best& best : answer.best) {
        const ResultsSwim& swim = results.swims[best.swim];
        keyed.push_back({static_cast<std::uint32_t>(swim.identity->code), genderRank[swim.swimmer],
                         best.hundredths, rank[swim.swimmer], best});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.event, a.gender, a.hundredths, a.name) <
               std::tie(b.event, b.gender, b.hundredths, b.name);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        answer.best[i] = keyed[i].best;
    }
    return answer;
}

std::string IdentityName(const IndividualEvent& event) {
    return std::to_string(event.distance) + " " + std::string(event.stroke);
}

bool WriteBestTimesCsv(const Results& results, const std::vector<Best>& best,
                       const std::function<bool(std::string_view)>& write) {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string out(kBestTimesHeader);
    out += "\r\n";
    std::array<std::string, kIndividualEvents.size()> events;
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i] = IdentityName(kIndividualEvents[i]);
    }
    // Fields as the files give them are quoted where they must be; the times, dates and events
    // made here never need it.
    const auto text = [&out](std::string_view field) {
        AppendCsvField(out, field);
        out += ',';
    };
    const auto made = [&out](std::string_view field) {
        out += field;
        out += ',';
    };
    for (const Best& one : best) {
        const ResultsSwim& swim = results.swims[one.swim];
        const ResultsSwimmer& swimmer = results.swimmers[swim.swimmer];
        const ResultsMeet& meet = results.meets[swim.meet];
        text(swimmer.lastname + ", " + swimmer.firstname);
        text(swimmer.birthdate);
        text(swimmer.gender);
        text(swimmer.club);
        text(swimmer.license);
        made(events[static_cast<std::size_t>(swim.identity->code - 1)]);
        made(LenexTimeText(one.hundredths));
        made(LenexTimeText(swim.hundredths));
        text(results.events[swim.event].course);
        text(meet.name);
        text(meet.city);
        out += DayText(swim.day);
        out += "\r\n";
        if (out.size() >= kPiece) {
            if (!write(out)) {
                return false;
            }
            out.clear();
        }
    }
    return out.empty() || write(out);
}

std::string BestTimesCsv(const Results& results, const std::vector<Best>& best) {
    std::string csv;
    WriteBestTimesCsv(results, best, [&csv](std::string_view piece) {
        csv += piece;
        return true;
    });
    return csv;
}

} // namespace et::meet
