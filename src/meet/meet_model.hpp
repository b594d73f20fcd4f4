#pragma once
// The meet as the entry check keeps it: the meet file's bytes exactly as they were read (so that
// writing back changes nothing but the converted entries), and what the check needs of the
// document: events, time standard lists, swimmers and relays, and every entry with the place of
// its attributes in those bytes.

#include "meet/entry_check.hpp"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace et::meet {

// A meet file inflated from an .lxf, or a .lef, is read up to this size: a ZIP member that
// inflates past it is refused (a meet of a million entries is about 180 MB).
inline constexpr std::size_t kLargestMeetFile = std::size_t{256} << 20;

// How the file's bytes are to be read: UTF-8, or one byte a character, as ISO-8859-1 (each byte
// the character of its number), as windows-1252 (the same but for the bytes 0x80 to 0x9F, which
// are quotation marks, dashes, the euro sign and letters such as Š, ž and Œ there) or as
// ISO-8859-15 (ISO-8859-1's but for eight bytes: the euro sign, Š, š, Ž, ž, Œ, œ and Ÿ).
enum class TextEncoding : std::uint8_t { Utf8, Latin1, Windows1252, Latin9 };

// An attribute's value as the file writes it, entities and all.
struct Span {
    static constexpr std::uint32_t kAbsent = 0xFFFFFFFF;
    std::uint32_t offset = 0;
    std::uint32_t size = kAbsent; // kAbsent when the attribute is not there
    bool present() const { return size != kAbsent; }
};

struct Date {
    int year = 0; // 0 when missing or not a date
    int month = 0;
    int day = 0;

    bool operator==(const Date&) const = default;
};

// A Lenex date, YYYY-MM-DD; no day (year 0) for any other text.
Date ParseDate(std::string_view text);

struct Standard {
    std::string stroke;
    long distance = 0;
    long relaycount = 1;
    std::string technique;
    std::string timeText; // as the file has it
    long hundredths = -1; // -1 when it is no Lenex swim time
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

// A fee as the invitation states it: FEE@value in cents (-1 when the invitation gives none).
struct Fee {
    long cents = -1;
    std::string currency; // three letters, or empty
};

// A fee of the meet or of a session (FEES/FEE): CLUB, ATHLETE, RELAY, TEAM, LATEENTRY...
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
    bool total = false; // a relay's group by the sum of its swimmers' ages (calculate TOTAL)
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
    std::vector<std::string> refs; // timestandardlistid of TIMESTANDARDREF
    std::vector<AgeGroup> ageGroups;
    std::string ageGroupError; // an AGEGROUP that cannot be read: what is wrong with it
    long maxentries = -1;      // a club's entries in the event; -1 without a limit
    Fee fee;                   // a fee per entry
};

// One SESSION of a meet, in the programme's order.
struct Session {
    std::string number;
    long maxentriesathlete = -1; // -1 without a limit
    long maxentriesrelay = -1;
    std::vector<TypedFee> fees;
};

// One MEET element of the file.
struct MeetPart {
    std::string ageDateType; // YEAR or DATE; empty without AGEDATE
    Date ageDate;
    Date firstSession;
    // The qualifying period (QUALIFY from and until, both days included); from.year is 0 when
    // the meet states none (or states it so that it cannot be read). A club's entries chosen
    // up to a day of their own, for a meet without one, have a period of until alone.
    Date qualifyFrom;
    Date qualifyUntil;
    // The day before the meet's earliest session: the last day of a period without until.
    Date beforeMeet;
    long maxentriesathlete = -1; // -1 without a limit
    long maxentriesrelay = -1;
    std::vector<TypedFee> fees;
    std::vector<Session> sessions;
    std::unordered_map<std::string, std::size_t> events; // eventid -> index in Meet::events
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
    long agemin = -1; // a relay's age group
    long agemax = -1;
    // A para swimmer's sport classes (HANDICAP): free for freestyle, backstroke and butterfly,
    // breast, medley; empty where the file gives none.
    std::string classFree;
    std::string classBreast;
    std::string classMedley;
    long agetotalmin = -1; // a relay's sum of ages
    long agetotalmax = -1;
};

struct Entry {
    std::uint32_t owner = 0;
    std::uint32_t tag = 0;       // the ENTRY element's '<'
    std::uint32_t lastValue = 0; // the value of its last attribute
    std::uint32_t meetinfo = 0;  // just past the name of its MEETINFO; 0 when it has none
    Span eventid;
    Span entrytime;
    Span entrycourse;
    Span status;
    Span agegroupid;
    Span meetinfoDate; // the day the qualifying swim was made
    // Where the qualifying swim was made: MEETINFO's course and qualificationtime.
    Span meetinfoCourse;
    Span qualificationtime;
};

class Meet {
public:
    std::string name;       // the file's name, for messages
    std::string sourcePath; // the file it was read from; empty when read from bytes
    std::string bytes;      // the .lef document exactly as read
    TextEncoding encoding = TextEncoding::Utf8;
    bool zipped = false;
    // The modification time of the .lef inside an .lxf (seconds since 1970); a converted .lxf
    // keeps it, so that the same meet converted twice is the same file. -1 when not known.
    std::int64_t memberTime = -1;

    MeetHeading heading;
    std::vector<MeetPart> parts;
    std::vector<Event> events;
    std::vector<StandardList> lists;
    // Kept in blocks, so that they fill the memory the document's tree gives back as it is read.
    std::deque<Owner> owners;
    std::deque<Entry> entries;
    std::size_t results = 0; // RESULT elements of swimmers and relays, counted only
    std::size_t records = 0; // RECORD elements of record lists, counted only
    // What of the meet's rules could not be read (a QUALIFY without from, a fee that is not a
    // whole number...), a message each, the rest of the meet checked without it.
    std::vector<std::string> problems;

    // An attribute's value as text: entities resolved, in UTF-8.
    std::string Text(const Span& span) const;
    std::string_view Raw(const Span& span) const {
        return span.present() ? std::string_view(bytes).substr(span.offset, span.size)
                              : std::string_view();
    }
    // "meet.lef:12:5" for a place in the document (line and column counted from 1).
    std::string Where(std::uint32_t offset) const;
};

// Lines and columns of places taken in document order, without counting from the start each
// time.
class Locator {
public:
    explicit Locator(const Meet& meet) : meet_(meet) {}
    // "meet.lef:12:5" (line and column counted from 1; columns count characters).
    std::string At(std::uint32_t offset);

private:
    const Meet& meet_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::size_t lineStart_ = 0;
};

// A value as the file writes it, turned into UTF-8 text: entity and character references
// resolved, one-byte encodings widened.
std::string DecodeValue(std::string_view raw, TextEncoding encoding);

// The meet's document as UTF-8, for a reader that parses it again: its own bytes when it is
// UTF-8, else its bytes widened into held (the declaration left as it is).
std::string_view Utf8Document(const Meet& meet, std::string& held);

// How a document's tree is built: a club at a time where the document allows (the tree of a large
// meet never stands whole), or all at once. Both read a document alike; the first is the one
// used, the second the one that tells what is wrong with a document.
enum class TreeBuilding : std::uint8_t { ClubByClub, Whole };

// Reads a .lef document from bytes (already inflated from an .lxf).
ReadResult ParseMeet(std::string bytes, std::string name,
                     TreeBuilding building = TreeBuilding::ClubByClub);
// Reads bytes that are a .lef or an .lxf, told apart by content, kept as they are: nothing reads
// them again, so a reader needs no second copy (the web page hands its file over once).
ReadResult ReadMeetData(std::string data, const std::string& name);

// The .lef document of the converted meet (the bytes of meet with every converted entry
// changed), or an error message.
std::pair<std::string, std::string> ConvertedDocument(const Meet& meet, const CheckResult& result);

} // namespace et::meet
