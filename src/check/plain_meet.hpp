#pragma once
// The meet as the entry check knows it, in plain values: what stands above the entries, the
// meet's parts with their sessions, limits, fees and qualifying period, its events and time
// standard lists, and the swimmers and relay teams entered. A file format reads its file into
// these; courses and strokes are written in the model's codes (check/swim_values.hpp).

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace et::meet {

struct Date {
    int year = 0; // 0 when missing or not a date
    int month = 0;
    int day = 0;

    bool operator==(const Date&) const = default;
};

// A date written YYYY-MM-DD; no day (year 0) for any other text.
Date ParseDate(std::string_view text);

struct Standard {
    std::string stroke;
    long distance = 0;
    long relaycount = 1;
    std::string technique;
    std::string timeText; // as the file has it
    long hundredths = -1; // -1 when it is no swim time
};

struct StandardList {
    std::string id;
    std::string name;
    std::string course;
    std::string gender; // M, F, X (or empty: every swimmer)
    std::string type;   // MAXIMUM (or empty), MINIMUM, DEFAULT
    long agemin = -1;   // -1: no bound
    long agemax = -1;
    std::vector<Standard> standards;
    std::string handicap; // the sport class the list is for; empty: every swimmer
};

// A fee as the invitation states it, in cents (-1 when the invitation gives none).
struct Fee {
    long cents = -1;
    std::string currency; // three letters, or empty
};

// A fee of the meet or of a session: CLUB, ATHLETE, RELAY, TEAM, LATEENTRY...
struct TypedFee {
    std::string type;
    Fee fee;
};

// An age group of an event: ages from agemin to agemax (-1: no bound), of one gender where it
// names one.
struct AgeGroup {
    std::string id;
    long agemin = -1;
    long agemax = -1;
    std::string gender;
    bool total = false; // a relay's group by the sum of its swimmers' ages
};

struct Event {
    std::string id;
    std::string number;
    std::size_t session = 0; // its session's index in its MeetPart::sessions
    std::string course;      // its session's, else its meet's
    std::string stroke;
    std::string technique;
    std::string gender;
    long distance = 0; // 0 when missing or not a number
    long relaycount = 1;
    bool hasStyle = false;
    bool hasRefs = false;
    std::vector<std::string> refs; // the ids of the time standard lists it names
    std::vector<AgeGroup> ageGroups;
    std::string ageGroupError; // an age group that cannot be read: what is wrong with it
    long maxentries = -1;      // a club's entries in the event; -1 without a limit
    Fee fee;                   // a fee per entry
};

// One session of a meet, in the programme's order.
struct Session {
    std::string number;
    long maxentriesathlete = -1; // -1 without a limit
    long maxentriesrelay = -1;
    std::vector<TypedFee> fees;
};

// One meet of the file (a file may hold several).
struct MeetPart {
    std::string ageDateType; // YEAR or DATE; empty when the meet names no day ages are taken on
    Date ageDate;
    Date firstSession;
    // The qualifying period (from and until, both days included); from.year is 0 when the meet
    // states none (or states it so that it cannot be read). A club's entries chosen up to a day
    // of their own, for a meet without one, have a period of until alone.
    Date qualifyFrom;
    Date qualifyUntil;
    // The day before the meet's earliest session: the last day of a period without until.
    Date beforeMeet;
    long maxentriesathlete = -1; // -1 without a limit
    long maxentriesrelay = -1;
    std::vector<TypedFee> fees;
    std::vector<Session> sessions;
    std::unordered_map<std::string, std::size_t> events; // eventid -> index in PlainMeet::events
};

// A swimmer or a relay team, with what the report and the age and gender rules need.
struct Owner {
    std::size_t part = 0;
    bool relay = false;
    std::string club;
    std::string athleteid;
    std::string name; // "Lastname, Firstname", or the club and the relay's number
    std::string gender;
    Date birth;
    // The swimmer's age as the file gives it where it gives no birth date (-1: none); a birth
    // date, when there is one, decides.
    long age = -1;
    long agemin = -1; // a relay's age group
    long agemax = -1;
    // A para swimmer's sport classes: free for freestyle, backstroke and butterfly, breast,
    // medley; empty where the file gives none.
    std::string classFree;
    std::string classBreast;
    std::string classMedley;
    long agetotalmin = -1; // a relay's sum of ages
    long agetotalmax = -1;
};

// What stands above the entries: the meet's name, city, first session date and course.
struct MeetHeading {
    std::string name;
    std::string city;
    std::string date;
    std::string course;
};

// The meet in plain values; a file format's meet keeps it as its base and adds what writing its
// own file back needs.
struct PlainMeet {
    MeetHeading heading;
    std::vector<MeetPart> parts;
    std::vector<Event> events;
    std::vector<StandardList> lists;
    // Kept in blocks, so that they fill the memory a reader gives back as it goes.
    std::deque<Owner> owners;
    // What of the meet's rules could not be read (a qualifying period without its first day, a
    // fee that is not a whole number...), a message each, the rest of the meet checked without it.
    std::vector<std::string> problems;
};

} // namespace et::meet
