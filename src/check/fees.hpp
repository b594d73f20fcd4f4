#pragma once
// What a meet's entries cost each club, as the invitation states its fees: every entry the meet
// accepts (meets, no standard) pays its event's fee (EVENT/FEE), and the meet's and sessions'
// FEES add a fee once a club (CLUB), once a swimmer (ATHLETE) and once a relay team (RELAY).
// Amounts are in cents, as the file writes them. The lines of a club are its invoice.

#include "check/entry_check.hpp"
#include "check/plain_meet.hpp"
#include "check/report.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace et::meet {

// One line of a club's invoice: count times each, in cents.
struct FeeLine {
    std::string what; // "100 Free", "club fee", "swimmer fee", "relay fee (session 2)"
    std::size_t count = 0;
    long each = 0;
    long amount = 0;
};

// A club's fees: its accepted entries, the swimmers and relay teams they are of, the lines
// (entry fees by event in the programme's order, then the club, swimmer and relay fees of the
// meet and of each session) and their total.
struct ClubFees {
    std::string club;
    std::size_t entries = 0;
    std::size_t swimmers = 0;
    std::size_t relays = 0;
    std::vector<FeeLine> lines;
    long total = 0;       // cents
    std::string currency; // as the invitation's fees name it; may be empty
};

// The fees of every club with an entry the meet accepts, in the file's order. problems tells
// what could not be added up (fees in more than one currency).
struct MeetFees {
    std::vector<ClubFees> clubs;
    std::vector<std::string> problems;
};

// The fees of the entries result accepts; result is the check of meet's entries (its verdicts
// by entry).
MeetFees FeesOf(const PlainMeet& meet, const EntrySource& entries, const CheckResult& result);

// An entry the meet accepts, given as plain values (a club's entry made from results, in no
// file): its meet, club, swimmer or relay team (one number each) and event (in
// PlainMeet::events).
struct FeeEntry {
    std::size_t part = 0;
    std::string club;
    std::uint32_t entrant = 0;
    bool relay = false;
    std::size_t event = 0;
};

// The fees of those entries, in the order the clubs first come.
MeetFees FeesOfEntries(const PlainMeet& meet, const std::vector<FeeEntry>& accepted);

// Cents in the currency's units: 4250 -> "42.50", -5 -> "-0.05".
std::string MoneyText(long cents);

// The fees as CSV (RFC 4180: CRLF line ends), a row a club: club, entries, swimmers, relays,
// total, currency, then a column for each fee line any club has (its amount; 0.00 for a club
// without it), named by the line and, where lines of one name differ in what each costs, by
// that too ("100 Free at 8.00").
std::string FeesCsv(const MeetFees& fees);

} // namespace et::meet
