// A meet's fees added up for each club from the entries the check accepts.

#include "check/fees.hpp"

#include "check/swim_in_course.hpp"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <utility>

namespace et::meet {
namespace {

bool Accepted(Verdict verdict) {
    return verdict == Verdict::Meets || verdict == Verdict::NoStandard;
}

// What one club's accepted entries are made of, as the fees count them.
struct ClubTally {
    std::size_t part = 0;
    std::map<std::size_t, std::size_t> byEvent; // entries by event index (programme order)
    std::set<std::uint32_t> swimmers;
    std::set<std::uint32_t> relays;
    std::set<std::size_t> sessions;
    std::map<std::size_t, std::set<std::uint32_t>> swimmersBySession;
    std::map<std::size_t, std::set<std::uint32_t>> relaysBySession;
};

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

std::size_t CountIn(const std::map<std::size_t, std::set<std::uint32_t>>& bySession,
                    std::size_t session) {
    const auto found = bySession.find(session);
    return found == bySession.end() ? 0 : found->second.size();
}

void MakeLines(const PlainMeet& meet, const ClubTally& tally, ClubFees& club,
               std::vector<std::string>& problems) {
    const MeetPart& part = meet.parts[tally.part];
    Invoice invoice(club, problems);
    for (const auto& [index, count] : tally.byEvent) {
        const Event& event = meet.events[index];
        invoice.Add(EventTitle(event), count, event.fee);
    }
    invoice.AddTyped(part.fees, "", 1, tally.swimmers.size(), tally.relays.size());
    for (const std::size_t session : tally.sessions) {
        // A meet file that names no sessions (an SDIF meet) has no session fees to add.
        if (session >= part.sessions.size()) {
            continue;
        }
        const Session& rules = part.sessions[session];
        const std::string suffix =
            " (session " + (rules.number.empty() ? std::to_string(session + 1) : rules.number) +
            ")";
        invoice.AddTyped(rules.fees, suffix, 1, CountIn(tally.swimmersBySession, session),
                         CountIn(tally.relaysBySession, session));
    }
}

} // namespace

MeetFees FeesOf(const PlainMeet& meet, const EntrySource& entries, const CheckResult& result) {
    std::vector<FeeEntry> accepted;
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
        accepted.push_back({owner.part, owner.club, entry.owner, owner.relay, entry.event});
    }
    return FeesOfEntries(meet, accepted);
}

MeetFees FeesOfEntries(const PlainMeet& meet, const std::vector<FeeEntry>& accepted) {
    MeetFees fees;
    std::vector<ClubTally> tallies;
    std::map<std::pair<std::size_t, std::string>, std::size_t> clubIndex;
    for (const FeeEntry& entry : accepted) {
        const auto [at, added] =
            clubIndex.emplace(std::pair{entry.part, entry.club}, tallies.size());
        if (added) {
            tallies.emplace_back().part = entry.part;
            fees.clubs.emplace_back().club = entry.club;
        }
        ClubTally& tally = tallies[at->second];
        ClubFees& club = fees.clubs[at->second];
        const std::size_t session = meet.events[entry.event].session;
        ++club.entries;
        ++tally.byEvent[entry.event];
        tally.sessions.insert(session);
        if (entry.relay) {
            tally.relays.insert(entry.entrant);
            tally.relaysBySession[session].insert(entry.entrant);
        } else {
            tally.swimmers.insert(entry.entrant);
            tally.swimmersBySession[session].insert(entry.entrant);
        }
    }
    for (std::size_t c = 0; c < tallies.size(); ++c) {
        ClubFees& club = fees.clubs[c];
        club.swimmers = tallies[c].swimmers.size();
        club.relays = tallies[c].relays.size();
        MakeLines(meet, tallies[c], club, fees.problems);
    }
    return fees;
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
