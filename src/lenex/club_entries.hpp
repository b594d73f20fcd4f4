#pragma once
// Club entries from results written as a new Lenex entries file: a meet's invitation read, the
// entries chosen from the season's swims (club/club_candidates.hpp), and the file made for the
// invitation's meet. No Qt: bytes in, file bytes and report rows out.

#include "check/fees.hpp"
#include "check/report.hpp"
#include "club/season.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace et::meet {

// A file's name (for messages) and its bytes.
struct NamedBytes {
    std::string name;
    std::string_view bytes;
};

struct ClubEntriesRequest {
    NamedBytes invitation;             // the meet's invitation: sessions, events, standards
    std::vector<NamedBytes> standards; // further Lenex or CSV files of qualifying times
    std::string club;                  // swimmers whose club name or code holds this (any case)
    // The swims that may be entered, from and to (inclusive Lenex dates): empty for the
    // invitation's qualifying period (QUALIFY), which the entries are judged by all the same.
    std::string from;
    std::string to;
    bool all = false;    // an entry for every time, whether it qualifies or not
    std::string output;  // the entries file's name: .lef or .lxf
    std::string version; // this program's version, for the file's CONSTRUCTOR
    // The club's contact for the meet, in the file's CONSTRUCTOR; see kNoContactEmail.
    std::string contactName;
    std::string contactEmail;
};

// The format requires a contact's email in every file: without the club's, this address, which
// can never be delivered (the top-level domain .invalid is kept for that), says that none was
// given.
inline constexpr std::string_view kNoContactEmail = "no-email-given@invalid";

struct ClubEntries {
    std::string error;              // why nothing was made: a file not read, a refused invitation
    std::string file;               // the entries file's bytes (.lef, or the .lxf's ZIP archive)
    std::vector<ReportRow> rows;    // one per swimmer and event considered, as `entries` reports
    Counts counts;                  // of the rows
    std::size_t athletes = 0;       // in the file
    std::size_t entries = 0;        // in the file
    std::vector<std::string> notes; // what the file says in the user's place (no contact given)
    MeetFees fees;                  // what the entries written cost, as the invitation states it
};

// The entries of the swimmers of results for the invitation's meet. A swimmer and an event are
// considered when the event is individual and converted, fits the swimmer and the swimmer has a
// time for it; an entry is made when that time meets a standard that applies (or always, with
// all).
ClubEntries MakeClubEntries(const Results& results, const ClubEntriesRequest& request);

// Empty when name ends in .lef or .lxf (any case), else the message.
std::string EntriesFileNameError(const std::string& name);

} // namespace et::meet
