#pragma once
// The season's swims: the swims that meets' results files tell of, gathered across files with
// each swimmer known once. A file format reads each results file and adds its meets, events,
// swimmers and swims through a SeasonFile, which holds the rule of who is one swimmer.

#include "check/plain_meet.hpp"
#include "model/events.hpp"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace et::meet {

// A swimmer as the results files give them; the club is the one of the latest meet read.
struct ResultsSwimmer {
    std::string lastname;
    std::string firstname;
    std::string gender;    // M or F
    std::string birthdate; // a Lenex date as read, YYYY-MM-DD
    std::string license;
    std::string nation;
    // The HANDICAP element's attributes (free, breast, medley, ...) as the latest meet gives them.
    std::vector<std::pair<std::string, std::string>> handicap;
    std::string club;
    std::string clubCode;
    std::string clubNation;
    std::string clubType; // UNATTACHED for a swimmer of no club
    std::string clubDate; // the date of the meet that gave the club
};

struct ResultsMeet {
    std::string name;
    std::string city;
};

// One swim made: an athlete's result with a swim time above zero and no status, or an exhibition
// swim, in an event the calculator converts.
struct ResultsSwim {
    std::uint32_t swimmer = 0; // in Results::swimmers
    std::uint32_t event = 0;   // in Results::events (its swim style and course)
    std::uint32_t meet = 0;    // in Results::meets
    const IndividualEvent* identity = nullptr;
    long hundredths = 0;
    std::uint32_t day = 0; // its date as YYYYMMDD: the session's, else the meet's first; 0 unknown
};

struct ResultsCounts {
    std::size_t results = 0;      // RESULT elements read, relays' included
    std::size_t swims = 0;        // swims that count
    std::size_t notSwum = 0;      // a status other than EXH (DSQ, DNS, DNF, SICK, WDR), or no time:
                                  // none, NT or 00:00:00.00 (a final not swum)
    std::size_t relays = 0;       // relays' results and results of relay events, left out
    std::size_t noConversion = 0; // events or pools with no conversion, left out
    std::size_t unreadable = 0;   // no Lenex swim time, or no event of the meet: with a warning
};

// Everything read from the results files so far.
struct Results {
    std::vector<ResultsSwimmer> swimmers;
    std::deque<Event> events;
    std::vector<ResultsMeet> meets;
    std::deque<ResultsSwim> swims; // in blocks: a season's swims are never moved as they grow
    ResultsCounts counts;
    std::vector<std::string> warnings; // "results.lef:120:9: ..." for each result skipped

    // One swimmer across files: two athletes of one file are two swimmers unless they share an
    // athleteid; two whose birth dates or genders differ (both given) are never one; else one
    // license that identifies (IdentifyingLicense, SameLicense) on both makes one swimmer, and so
    // do the same last name, first name and birth date without regard to case unless both carry
    // licenses that identify and differ. No birth date, no license: never joined. byLicense is
    // keyed by LicenseKey.
    std::unordered_multimap<std::string, std::uint32_t> byLicense;
    std::unordered_multimap<std::string, std::uint32_t> byName;
    // The files read, and for each swimmer the last file that gave them: within one file two
    // athletes are never one swimmer unless they share an athleteid.
    std::uint32_t files = 0;
    std::vector<std::uint32_t> lastFile;
};

// Whether a license is a federation's registration number that tells a swimmer: four digits or
// more, not all of them zeros (letters beside them allowed). A sports rank (II, КМС, 1юн), "0" or
// nothing is none. A file that gives one license to two athletes does not identify by it either.
// A USA Swimming member id (12 or 14 letters and digits, with a digit not zero) identifies too.
bool IdentifyingLicense(std::string_view license);
// The part of a license that tells the swimmer: the first 12 characters of a 14-character member
// id (an SDIF swim gives those 12, its swimmer's details the whole), else the license.
std::string_view LicenseKey(std::string_view license);
// Whether two licenses name one swimmer: the same, or a member id and its first 12 characters.
bool SameLicense(std::string_view a, std::string_view b);

// One results file's swimmers and swims as a file format adds them to the season. Within one
// file two athletes are never one swimmer unless they share the file's own id for them.
class SeasonFile {
public:
    // sharedLicenses: the licenses the file gives to two athletes, which tell neither of them.
    SeasonFile(Results& results, std::unordered_set<std::string> sharedLicenses)
        : results_(results), fileNumber_(results.files++), shared_(std::move(sharedLicenses)) {}

    // The season's one swimmer that read is (athleteid: the file's id for them, or empty), added
    // when new, what read adds joined when known.
    std::uint32_t AddSwimmer(const ResultsSwimmer& read, std::string_view athleteid);
    // A meet of the file and an event of it; their places in the season.
    std::uint32_t AddMeet(ResultsMeet meet) {
        results_.meets.push_back(std::move(meet));
        return static_cast<std::uint32_t>(results_.meets.size() - 1);
    }
    std::uint32_t AddEvent(Event event) {
        results_.events.push_back(std::move(event));
        return static_cast<std::uint32_t>(results_.events.size() - 1);
    }
    // A swim that counts, of a swimmer added.
    void AddSwim(const ResultsSwim& swim) {
        results_.swims.push_back(swim);
        ++results_.counts.swims;
    }
    // What the file's results that are not swims of the season count as.
    ResultsCounts& counts() { return results_.counts; }
    void Warn(std::string message) { results_.warnings.push_back(std::move(message)); }

private:
    bool Identifies(const std::string& license) const;
    bool MayBe(std::uint32_t index, const ResultsSwimmer& read) const;
    void Join(std::uint32_t index, const ResultsSwimmer& read, bool identifies);

    Results& results_;
    std::uint32_t fileNumber_; // among the files read
    std::unordered_set<std::string> shared_;
    std::unordered_map<std::string, std::uint32_t> athletes_; // by athleteid, in this file
};

// True when text is a date written YYYY-MM-DD.
bool IsLenexDate(std::string_view text);
// The date of that text; all zero when it is none.
Date ParseLenexDate(std::string_view text);
// A date YYYY-MM-DD as a number YYYYMMDD, 0 when it is none; and back ("" for 0).
std::uint32_t DayNumber(std::string_view text);
std::string DayText(std::uint32_t day);

// Lower case for comparing names: ASCII and the Latin letters of Latin-1 and Latin
// Extended-A, which keep their two bytes in UTF-8.
std::string Folded(std::string_view text);

} // namespace et::meet
