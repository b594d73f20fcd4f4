// A meet's fees added up for each club from the entries the check accepts.

#include "check/fees.hpp"

#include "check/swim_in_course.hpp"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace et::meet {
namespace {

bool Accepted(Verdict verdict) {
    return verdict == Verdict::Meets || verdict == Verdict::NoStandard;
}

// A swimmer or relay team of a club's accepted entries and the session of the entry: one for each
// entry, put in order and counted once each when the lines are made (four bytes an entry cost
// less than a tree's node for each swimmer and session).
using EntrantInSession = std::pair<std::uint32_t, std::uint32_t>; // session, entrant

// What one club's accepted entries are made of, as the fees count them.
struct ClubTally {
    std::size_t part = 0;
    std::map<std::size_t, std::size_t> byEvent; // entries by event index (programme order)
    std::set<std::size_t> sessions;
    std::vector<EntrantInSession> swimmers;
    std::vector<EntrantInSession> relays;
};

// Each swimmer (or relay team) and session once, in order.
void Distinct(std::vector<EntrantInSession>& entrants) {
    std::sort(entrants.begin(), entrants.end());
    entrants.erase(std::unique(entrants.begin(), entrants.end()), entrants.end());
}

// How many swimmers (or relay teams) of entrants (made distinct) there are in all.
std::size_t CountAll(const std::vector<EntrantInSession>& entrants) {
    std::vector<std::uint32_t> all;
    all.reserve(entrants.size());
    for (const EntrantInSession& entrant : entrants) {
        all.push_back(entrant.second);
    }
    std::sort(all.begin(), all.end());
    return static_cast<std::size_t>(std::unique(all.begin(), all.end()) - all.begin());
}

// How many of entrants (made distinct) swim in session.
std::size_t CountIn(const std::vector<EntrantInSession>& entrants, std::size_t session) {
    const auto in = [](const EntrantInSession& entrant, std::size_t s) {
        return entrant.first < s;
    };
    const auto after = [](std::size_t s, const EntrantInSession& entrant) {
        return s < entrant.first;
    };
    return static_cast<std::size_t>(
        std::upper_bound(entrants.begin(), entrants.end(), session, after) -
        std::lower_bound(entrants.begin(), entrants.end(), session, in));
}

class Invoice {
public:
    Invoice(ClubFees& club, std::vector<std::string>& problems)
        : club_(club), problems_(problems) {}

    void Add(std::string what, std::size_t count, const Fee& fee) {
        if (count == 0 || fee.cents < 0) {
            return;
        }
        if (club_.lines.empty()) {
            club_.currency = fee.currency;
        } else if (fee.currency != club_.currency && !mixed_) {
            mixed_ = true;
            problems_.push_back(club_.club + ": fees in " + Named(club_.currency) + " and " +
                                Named(fee.currency) + " are added up as one");
        }
        // Lines of one name and one price are one line (the 100 Free of each gender).
        for (FeeLine& line : club_.lines) {
            if (line.what == what && line.each == fee.cents) {
                line.count += count;
                line.amount += static_cast<long>(count) * fee.cents;
                club_.total += static_cast<long>(count) * fee.cents;
                return;
            }
        }
        const long amount = static_cast<long>(count) * fee.cents;
        club_.lines.push_back({std::move(what), count, fee.cents, amount});
        club_.total += amount;
    }

    // The meet's or a session's fees of each type; suffix names the session.
    void AddTyped(const std::vector<TypedFee>& fees, const std::string& suffix, std::size_t clubs,
                  std::size_t swimmers, std::size_t relays) {
        for (const TypedFee& typed : fees) {
            if (typed.type == "CLUB") {
                Add("club fee" + suffix, clubs, typed.fee);
            } else if (typed.type == "ATHLETE") {
                Add("swimmer fee" + suffix, swimmers, typed.fee);
            } else if (typed.type == "RELAY") {
                Add("relay fee" + suffix, relays, typed.fee);
            }
        }
    }

private:
    static std::string Named(const std::string& currency) {
        return currency.empty() ? std::string("no currency") : currency;
    }

    ClubFees& club_;
    std::vector<std::string>& problems_;
    bool mixed_ = false;
};

void MakeLines(const PlainMeet& meet, const ClubTally& tally, ClubFees& club,
               std::vector<std::string>& problems) {
    const MeetPart& part = meet.parts[tally.part];
    Invoice invoice(club, problems);
    for (const auto& [index, count] : tally.byEvent) {
        const Event& event = meet.events[index];
        invoice.Add(EventTitle(event), count, event.fee);
    }
    invoice.AddTyped(part.fees, "", 1, club.swimmers, club.relays);
    for (const std::size_t session : tally.sessions) {
        // A meet file that names no sessions (an SDIF meet) has no session fees to add.
        if (session >= part.sessions.size()) {
            continue;
        }
        const Session& rules = part.sessions[session];
        const std::string suffix =
            " (session " + (rules.number.empty() ? std::to_string(session + 1) : rules.number) +
            ")";
        invoice.AddTyped(rules.fees, suffix, 1, CountIn(tally.swimmers, session),
                         CountIn(tally.relays, session));
    }
}

// The clubs' tallies, made an accepted entry at a time, in the order the clubs first come.
class Tallies {
public:
    explicit Tallies(const PlainMeet& meet) : meet_(meet) {}

    void Add(std::size_t part, const std::string& club, std::uint32_t entrant, bool relay,
             std::size_t event) {
        // A club's entries come together: the club of the entry before is asked first.
        if (last_ == kNone || tallies_[last_].part != part || fees_.clubs[last_].club != club) {
            const auto [at, added] = clubIndex_.emplace(std::pair{part, club}, tallies_.size());
            if (added) {
                tallies_.emplace_back().part = part;
                fees_.clubs.emplace_back().club = club;
            }
            last_ = at->second;
        }
        ClubTally& tally = tallies_[last_];
        const std::size_t session = meet_.events[event].session;
        ++fees_.clubs[last_].entries;
        ++tally.byEvent[event];
        tally.sessions.insert(session);
        (relay ? tally.relays : tally.swimmers)
            .emplace_back(static_cast<std::uint32_t>(session), entrant);
    }

    MeetFees Finish() {
        for (std::size_t c = 0; c < tallies_.size(); ++c) {
            ClubFees& club = fees_.clubs[c];
            ClubTally& tally = tallies_[c];
            Distinct(tally.swimmers);
            Distinct(tally.relays);
            club.swimmers = CountAll(tally.swimmers);
            club.relays = CountAll(tally.relays);
            MakeLines(meet_, tally, club, fees_.problems);
        }
        return std::move(fees_);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    const PlainMeet& meet_;
    MeetFees fees_;
    std::vector<ClubTally> tallies_;
    std::map<std::pair<std::size_t, std::string>, std::size_t> clubIndex_;
    std::size_t last_ = kNone;
};

} // namespace

MeetFees FeesOf(const PlainMeet& meet, const EntrySource& entries, const CheckResult& result) {
    Tallies tallies(meet);
    const std::size_t count = std::min(entries.size(), result.verdicts.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (!Accepted(result.verdicts[i])) {
            continue;
        }
        const EntryEvent entry = entries.EventOf(i);
        if (entry.event == kNoEvent) {
            continue; // an accepted entry names an event of the meet
        }
        const Owner& owner = meet.owners[entry.owner];
        tallies.Add(owner.part, owner.club, entry.owner, owner.relay, entry.event);
    }
    return tallies.Finish();
}

MeetFees FeesOfEntries(const PlainMeet& meet, const std::vector<FeeEntry>& accepted) {
    Tallies tallies(meet);
    for (const FeeEntry& entry : accepted) {
        tallies.Add(entry.part, entry.club, entry.entrant, entry.relay, entry.event);
    }
    return tallies.Finish();
}

std::string MoneyText(long cents) {
    const long whole = cents / 100;
    const long part = cents % 100 < 0 ? -(cents % 100) : cents % 100;
    std::string text = cents < 0 && whole == 0 ? "-0" : std::to_string(whole);
    text += '.';
    text += static_cast<char>('0' + part / 10);
    text += static_cast<char>('0' + part % 10);
    return text;
}

std::string FeesCsv(const MeetFees& fees) {
    // The columns of the fee lines: a name each, with the price where one name has several.
    std::vector<std::pair<std::string, long>> columns;
    std::map<std::string, std::set<long>> prices;
    for (const ClubFees& club : fees.clubs) {
        for (const FeeLine& line : club.lines) {
            if (prices[line.what].insert(line.each).second) {
                columns.emplace_back(line.what, line.each);
            }
        }
    }
    std::string out = "club,entries,swimmers,relays,total,currency";
    for (const auto& [what, each] : columns) {
        out += ',';
        AppendCsvField(out, prices[what].size() > 1 ? what + " at " + MoneyText(each) : what);
    }
    out += "\r\n";
    for (const ClubFees& club : fees.clubs) {
        AppendCsvField(out, club.club);
        for (const std::size_t number : {club.entries, club.swimmers, club.relays}) {
            out += ',';
            out += std::to_string(number);
        }
        out += ',';
        out += MoneyText(club.total);
        out += ',';
        AppendCsvField(out, club.currency);
        for (const auto& [what, each] : columns) {
            long amount = 0;
            for (const FeeLine& line : club.lines) {
                amount += line.what == what && line.each == each ? line.amount : 0;
            }
            out += ',';
            out += MoneyText(amount);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace et::meet
