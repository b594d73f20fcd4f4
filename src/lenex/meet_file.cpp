// Reading a Lenex meet file: the bytes of a .lef (or of the one .lef inside an .lxf) are parsed by
// pugixml a club at a time, over copies of their parts, and what the check needs is taken from
// the trees with the place of every entry's attributes in the bytes. The bytes are kept as they
// were read, so that the converted meet is written from the file itself and nothing but the
// converted entries can change.

#include "lenex/meet_file.hpp"

#include "check/swim_values.hpp"
#include "io/whole_file.hpp"

#include <pugixml.hpp>
#include <zip.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>

namespace et::meet {
namespace {

bool Named(const pugi::xml_node& node, const char* name) {
    return std::strcmp(node.name(), name) == 0;
}

long NumberOr(std::string_view text, long fallback) {
    long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return fallback;
    }
    return value;
}

// The day before day (no day for no day).
Date DayBefore(Date day) {
    if (day.year == 0) {
        return day;
    }
    if (--day.day > 0) {
        return day;
    }
    if (--day.month == 0) {
        day.month = 12;
        --day.year;
    }
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (day.year % 4 == 0 && day.year % 100 != 0) || day.year % 400 == 0;
    day.day = kDays[static_cast<std::size_t>(day.month - 1)] + (leap && day.month == 2 ? 1 : 0);
    return day;
}

void AppendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The characters of windows-1252's bytes 0x80 to 0x9F. The five bytes it leaves undefined (0x81,
// 0x8D, 0x8F, 0x90 and 0x9D) stand for no character a meet program writes: they are read as
// U+FFFD, the replacement character, so that a name holding one shows a sign of the broken byte
// in the report, the window and the page, and a file made from it carries no control character.
constexpr std::array<char16_t, 32> kWindows1252 = {
    u'\u20AC', u'\uFFFD', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\uFFFD', u'\u017D', u'\uFFFD',
    u'\uFFFD', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\uFFFD', u'\u017E', u'\u0178'};

// The bytes of ISO-8859-15 that are not ISO-8859-1's characters, and theirs.
constexpr std::array<std::pair<unsigned char, char16_t>, 8> kLatin9 = {{{0xA4, u'\u20AC'},
                                                                        {0xA6, u'\u0160'},
                                                                        {0xA8, u'\u0161'},
                                                                        {0xB4, u'\u017D'},
                                                                        {0xB8, u'\u017E'},
                                                                        {0xBC, u'\u0152'},
                                                                        {0xBD, u'\u0153'},
                                                                        {0xBE, u'\u0178'}}};

// The character a byte from 0x80 up stands for in a one-byte encoding.
unsigned long Widened(unsigned char byte, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252 && byte >= 0x80 && byte <= 0x9F) {
        return kWindows1252[byte - 0x80U];
    }
    if (encoding == TextEncoding::Latin9) {
        for (const auto& [own, character] : kLatin9) {
            if (own == byte) {
                return character;
            }
        }
    }
    return byte;
}

bool StartsWithBom(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

// A stretch of the document: [begin, end) of its bytes.
struct Stretch {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The reading of one document: pugixml's tree over the bytes (the whole document's, or a part
// of it at a time), and the meet being filled.
class Reader {
public:
    // Reads a tree parsed in place over buffer, which holds the document's bytes from offset on.
    Reader(Meet& meet, std::string_view buffer, std::size_t offset = 0) : meet_(meet) {
        Over(buffer, offset);
    }

    // The tree read from now on is over buffer, the document's bytes from offset on.
    void Over(std::string_view buffer, std::size_t offset) {
        buffer_ = buffer;
        offset_ = offset;
    }

    // Each CLUB of the tree read from now on is a stand-in for the club at the same place in
    // clubs, which is parsed on its own from bytes (the document's) when its turn comes: so
    // the tree of a large meet is never built whole. marks are the stand-ins' places in the
    // tree's buffer.
    void ClubByClub(std::string_view bytes, const std::vector<Stretch>& clubs,
                    const std::vector<std::size_t>& marks) {
        bytes_ = bytes;
        clubs_ = &clubs;
        marks_ = &marks;
    }
    // False when a club was not read where its stand-in was put, or not at all.
    bool AllClubsRead() const { return clubs_ == nullptr || (!lost_ && next_ == clubs_->size()); }

    Span SpanOf(const pugi::xml_attribute& attribute) const {
        Span span;
        if (!attribute) {
            return span;
        }
        const char* value = attribute.value();
        const char* begin = buffer_.data();
        span.size = 0;
        if (value >= begin && value <= begin + buffer_.size()) {
            span.offset =
                static_cast<std::uint32_t>(offset_ + static_cast<std::size_t>(value - begin));
            span.size = static_cast<std::uint32_t>(std::strlen(value));
        }
        return span;
    }

    std::uint32_t OffsetOf(const char* text) const {
        const char* begin = buffer_.data();
        if (text < begin || text > begin + buffer_.size()) {
            return 0;
        }
        return static_cast<std::uint32_t>(offset_ + static_cast<std::size_t>(text - begin));
    }

    std::string Text(const pugi::xml_node& node, const char* attribute) const {
        return DecodeValue(node.attribute(attribute).value(), meet_.encoding);
    }

    void ReadLists(const pugi::xml_node& lenex) {
        for (const pugi::xml_node lists : lenex.children("TIMESTANDARDLISTS")) {
            for (const pugi::xml_node node : lists.children("TIMESTANDARDLIST")) {
                StandardList list;
                list.id = Text(node, "timestandardlistid");
                list.name = Text(node, "name");
                list.course = Text(node, "course");
                list.gender = Text(node, "gender");
                list.type = Text(node, "type");
                list.handicap = Text(node, "handicap");
                if (const pugi::xml_node group = node.child("AGEGROUP")) {
                    list.agemin = NumberOr(Text(group, "agemin"), -1);
                    list.agemax = NumberOr(Text(group, "agemax"), -1);
                }
                for (const pugi::xml_node standards : node.children("TIMESTANDARDS")) {
                    for (const pugi::xml_node standard : standards.children("TIMESTANDARD")) {
                        Standard entry;
                        const pugi::xml_node style = standard.child("SWIMSTYLE");
                        entry.stroke = Text(style, "stroke");
                        entry.distance = NumberOr(Text(style, "distance"), 0);
                        entry.relaycount = NumberOr(Text(style, "relaycount"), 1);
                        entry.technique = Text(style, "technique");
                        entry.timeText = Text(standard, "swimtime");
                        entry.hundredths = ParseLenexTime(entry.timeText).value_or(-1);
                        if (entry.hundredths == 0) {
                            entry.hundredths = -1; // a zero is no qualifying time
                        }
                        list.standards.push_back(std::move(entry));
                    }
                }
                meet_.lists.push_back(std::move(list));
            }
        }
    }

    void ReadEvents(const pugi::xml_node& node, MeetPart& part, const std::string& meetCourse) {
        for (const pugi::xml_node sessions : node.children("SESSIONS")) {
            for (const pugi::xml_node session : sessions.children("SESSION")) {
                const Date date = ParseDate(Text(session, "date"));
                if (part.firstSession.year == 0) {
                    part.firstSession = date;
                }
                std::string course = Text(session, "course");
                if (course.empty()) {
                    course = meetCourse;
                }
                Session rules;
                rules.number = Text(session, "number");
                const std::string what =
                    "SESSION" + (rules.number.empty() ? std::string() : " " + rules.number);
                rules.maxentriesathlete = Limit(session, what, "maxentriesathlete");
                rules.maxentriesrelay = Limit(session, what, "maxentriesrelay");
                rules.fees = ReadFees(session, what);
                part.sessions.push_back(std::move(rules));
                for (const pugi::xml_node events : session.children("EVENTS")) {
                    for (const pugi::xml_node eventNode : events.children("EVENT")) {
                        ReadEvent(eventNode, part, course);
                    }
                }
            }
        }
    }

    // A count the meet limits something to: -1 without a limit (or with one that is no whole
    // number, told among the meet's problems).
    long Limit(const pugi::xml_node& node, const std::string& what, const char* attribute) {
        const pugi::xml_attribute value = node.attribute(attribute);
        if (!value) {
            return -1;
        }
        const std::string text = DecodeValue(value.value(), meet_.encoding);
        const long limit = NumberOr(text, -2);
        if (limit < 0) {
            Problem(what + " " + attribute + " '" + text + "' is not a whole number; no limit");
            return -1;
        }
        return limit;
    }

    void Problem(const std::string& message) {
        meet_.problems.push_back(meet_.name + ": " + message);
    }

    Fee ReadFee(const pugi::xml_node& node, const std::string& what) {
        Fee fee;
        const std::string text = Text(node, "value");
        fee.currency = Text(node, "currency");
        fee.cents = NumberOr(text, -1);
        if (fee.cents < 0) {
            Problem(what + " FEE value '" + text +
                    "' is not a whole number of cents; the fee is left out");
            fee.cents = -1;
        }
        return fee;
    }

    // The FEES/FEE of a MEET or SESSION.
    std::vector<TypedFee> ReadFees(const pugi::xml_node& node, const std::string& what) {
        std::vector<TypedFee> fees;
        for (const pugi::xml_node group : node.children("FEES")) {
            for (const pugi::xml_node fee : group.children("FEE")) {
                TypedFee typed{Text(fee, "type"), ReadFee(fee, what)};
                if (typed.fee.cents >= 0) {
                    fees.push_back(std::move(typed));
                }
            }
        }
        return fees;
    }

    void ReadAgeGroups(const pugi::xml_node& node, Event& event) {
        for (const pugi::xml_node groups : node.children("AGEGROUPS")) {
            for (const pugi::xml_node group : groups.children("AGEGROUP")) {
                AgeGroup age;
                age.id = Text(group, "agegroupid");
                age.gender = Text(group, "gender");
                age.total = Text(group, "calculate") == "TOTAL";
                for (const auto& [attribute, bound] :
                     {std::pair{"agemin", &age.agemin}, std::pair{"agemax", &age.agemax}}) {
                    const std::string text = Text(group, attribute);
                    *bound = NumberOr(text, -2);
                    if (*bound < -1 && event.ageGroupError.empty()) {
                        event.ageGroupError = "AGEGROUP " + std::string(attribute) + " '" + text +
                                              "' of event " + event.id +
                                              " is not a whole number of years";
                    }
                }
                event.ageGroups.push_back(std::move(age));
            }
        }
    }

    void ReadEvent(const pugi::xml_node& node, MeetPart& part, const std::string& course) {
        Event event;
        event.id = Text(node, "eventid");
        event.number = Text(node, "number");
        event.session = part.sessions.empty() ? 0 : part.sessions.size() - 1;
        event.course = course;
        event.gender = Text(node, "gender");
        if (const pugi::xml_node style = node.child("SWIMSTYLE")) {
            event.hasStyle = true;
            event.stroke = Text(style, "stroke");
            event.distance = NumberOr(Text(style, "distance"), 0);
            event.relaycount = NumberOr(Text(style, "relaycount"), 1);
            event.technique = Text(style, "technique");
        }
        for (const pugi::xml_node refs : node.children("TIMESTANDARDREFS")) {
            event.hasRefs = true;
            for (const pugi::xml_node ref : refs.children("TIMESTANDARDREF")) {
                event.refs.push_back(Text(ref, "timestandardlistid"));
            }
        }
        const std::string what = "EVENT " + event.id;
        event.maxentries = Limit(node, what, "maxentries");
        if (const pugi::xml_node fee = node.child("FEE")) {
            event.fee = ReadFee(fee, what);
        }
        ReadAgeGroups(node, event);
        // The first event of an eventid defines it.
        if (part.events.emplace(event.id, meet_.events.size()).second) {
            meet_.events.push_back(std::move(event));
        }
    }

    // The places of the named attributes of node, looked for in one pass over its attributes
    // (the first of a name, as node.attribute finds it); those it has not stay absent.
    void TakeAttributes(const pugi::xml_node& node,
                        std::initializer_list<std::pair<const char*, Span*>> wanted) const {
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
             attribute = attribute.next_attribute()) {
            const char* name = attribute.name();
            for (const auto& [wantedName, span] : wanted) {
                if (std::strcmp(name, wantedName) == 0) {
                    if (!span->present()) {
                        *span = SpanOf(attribute);
                    }
                    break;
                }
            }
        }
    }

    void ReadEntries(const pugi::xml_node& holder, std::size_t owner) {
        for (const pugi::xml_node entries : holder.children("ENTRIES")) {
            for (const pugi::xml_node node : entries.children("ENTRY")) {
                Entry entry;
                entry.owner = static_cast<std::uint32_t>(owner);
                entry.tag = OffsetOf(node.name()) - 1;
                entry.lastValue = SpanOf(node.last_attribute()).offset;
                TakeAttributes(node, {{"eventid", &entry.eventid},
                                      {"entrytime", &entry.entrytime},
                                      {"entrycourse", &entry.entrycourse},
                                      {"status", &entry.status},
                                      {"agegroupid", &entry.agegroupid}});
                if (const pugi::xml_node info = node.child("MEETINFO")) {
                    entry.meetinfo = OffsetOf(info.name()) + 8;
                    TakeAttributes(info, {{"date", &entry.meetinfoDate},
                                          {"course", &entry.meetinfoCourse},
                                          {"qualificationtime", &entry.qualificationtime}});
                }
                meet_.entries.push_back(entry);
            }
        }
    }

    void ReadClubs(const pugi::xml_node& node, std::size_t partIndex) {
        for (pugi::xml_node clubs : node.children("CLUBS")) {
            for (pugi::xml_node club = clubs.child("CLUB"); club && !lost_;) {
                const pugi::xml_node next = club.next_sibling("CLUB");
                if (clubs_ != nullptr) {
                    ReadClubAlone(club, partIndex);
                } else {
                    ReadClub(club, partIndex);
                    // Each club's part of the tree goes once it is read: a large meet's tree
                    // never stands whole beside what is taken from it.
                    clubs.remove_child(club);
                }
                club = next;
            }
        }
    }

    // The club a stand-in stands for, parsed on its own and read.
    void ReadClubAlone(const pugi::xml_node& standIn, std::size_t partIndex) {
        if (next_ >= clubs_->size() || OffsetOf(standIn.name()) != (*marks_)[next_] + 1) {
            lost_ = true;
            return;
        }
        const Stretch stretch = (*clubs_)[next_++];
        const std::string_view saved = buffer_;
        const std::size_t savedOffset = offset_;
        club_.assign(bytes_.substr(stretch.begin, stretch.end - stretch.begin));
        const pugi::xml_parse_result parsed = clubTree_.load_buffer_inplace(
            club_.data(), club_.size(), pugi::parse_declaration, pugi::encoding_utf8);
        const pugi::xml_node club = clubTree_.first_child();
        if (!parsed || !Named(club, "CLUB") || club != clubTree_.last_child()) {
            lost_ = true;
            return;
        }
        Over(club_, stretch.begin);
        ReadClub(club, partIndex);
        Over(saved, savedOffset);
        clubTree_.reset();
    }

    // How many children named name a node has.
    static std::size_t Children(const pugi::xml_node& node, const char* name) {
        const auto children = node.children(name);
        return static_cast<std::size_t>(std::distance(children.begin(), children.end()));
    }

    void CountResults(const pugi::xml_node& holder) {
        for (const pugi::xml_node results : holder.children("RESULTS")) {
            meet_.results += Children(results, "RESULT");
        }
    }

    void CountRecords(const pugi::xml_node& lenex) {
        for (const pugi::xml_node lists : lenex.children("RECORDLISTS")) {
            for (const pugi::xml_node list : lists.children("RECORDLIST")) {
                for (const pugi::xml_node records : list.children("RECORDS")) {
                    meet_.records += Children(records, "RECORD");
                }
            }
        }
    }

    void ReadClub(const pugi::xml_node& club, std::size_t partIndex) {
        {
            {
                std::string clubName = Text(club, "name");
                for (const pugi::xml_node group : club.children()) {
                    if (Named(group, "ATHLETES")) {
                        for (const pugi::xml_node athlete : group.children("ATHLETE")) {
                            Owner owner;
                            owner.part = partIndex;
                            owner.club = clubName;
                            owner.athleteid = Text(athlete, "athleteid");
                            owner.name =
                                Text(athlete, "lastname") + ", " + Text(athlete, "firstname");
                            owner.gender = Text(athlete, "gender");
                            owner.birth = ParseDate(Text(athlete, "birthdate"));
                            const pugi::xml_node classes = athlete.child("HANDICAP");
                            owner.classFree = Text(classes, "free");
                            owner.classBreast = Text(classes, "breast");
                            owner.classMedley = Text(classes, "medley");
                            CountResults(athlete);
                            meet_.owners.push_back(std::move(owner));
                            ReadEntries(athlete, meet_.owners.size() - 1);
                        }
                    } else if (Named(group, "RELAYS")) {
                        for (const pugi::xml_node relay : group.children("RELAY")) {
                            Owner owner;
                            owner.part = partIndex;
                            owner.relay = true;
                            owner.club = clubName;
                            const std::string number = Text(relay, "number");
                            owner.name = number.empty() ? clubName : clubName + " " + number;
                            owner.gender = Text(relay, "gender");
                            owner.agemin = NumberOr(Text(relay, "agemin"), -1);
                            owner.agemax = NumberOr(Text(relay, "agemax"), -1);
                            CountResults(relay);
                            owner.agetotalmin = NumberOr(Text(relay, "agetotalmin"), -1);
                            owner.agetotalmax = NumberOr(Text(relay, "agetotalmax"), -1);
                            meet_.owners.push_back(std::move(owner));
                            ReadEntries(relay, meet_.owners.size() - 1);
                        }
                    }
                }
            }
        }
    }

    void ReadMeets(const pugi::xml_node& lenex) {
        for (const pugi::xml_node meets : lenex.children("MEETS")) {
            for (const pugi::xml_node node : meets.children("MEET")) {
                MeetPart part;
                const std::string course = Text(node, "course");
                if (const pugi::xml_node ageDate = node.child("AGEDATE")) {
                    part.ageDateType = Text(ageDate, "type");
                    part.ageDate = ParseDate(Text(ageDate, "value"));
                }
                ReadEvents(node, part, course);
                ReadMeetRules(node, part);
                if (meet_.parts.empty()) {
                    meet_.heading.name = Text(node, "name");
                    meet_.heading.city = Text(node, "city");
                    meet_.heading.course = course;
                    const pugi::xml_node session = node.child("SESSIONS").child("SESSION");
                    meet_.heading.date = Text(session, "date");
                }
                meet_.parts.push_back(std::move(part));
                ReadClubs(node, meet_.parts.size() - 1);
            }
        }
    }

private:
    // The meet's own rules: its qualifying period, its limits and its fees.
    void ReadMeetRules(const pugi::xml_node& node, MeetPart& part) {
        part.maxentriesathlete = Limit(node, "MEET", "maxentriesathlete");
        part.maxentriesrelay = Limit(node, "MEET", "maxentriesrelay");
        part.fees = ReadFees(node, "MEET");
        // The meet's first day is its earliest session's, whatever order the file lists them in.
        Date first;
        for (const pugi::xml_node sessions : node.children("SESSIONS")) {
            for (const pugi::xml_node session : sessions.children("SESSION")) {
                const Date date = ParseDate(Text(session, "date"));
                if (date.year != 0 &&
                    (first.year == 0 || std::tie(date.year, date.month, date.day) <
                                            std::tie(first.year, first.month, first.day))) {
                    first = date;
                }
            }
        }
        part.beforeMeet = DayBefore(first);
        const pugi::xml_node qualify = node.child("QUALIFY");
        if (!qualify) {
            return;
        }
        const std::string from = Text(qualify, "from");
        const Date start = ParseDate(from);
        if (start.year == 0) {
            Problem(qualify.attribute("from")
                        ? "QUALIFY from '" + from +
                              "' is not a date (YYYY-MM-DD); the qualifying "
                              "period is not checked"
                        : std::string("QUALIFY has no from; the qualifying period is not checked"));
            return;
        }
        Date end = part.beforeMeet;
        if (const pugi::xml_attribute until = qualify.attribute("until")) {
            const std::string text = DecodeValue(until.value(), meet_.encoding);
            end = ParseDate(text);
            if (end.year == 0) {
                Problem("QUALIFY until '" + text +
                        "' is not a date (YYYY-MM-DD); the qualifying period is not checked");
                return;
            }
        }
        part.qualifyFrom = start;
        part.qualifyUntil = end;
    }

    Meet& meet_;
    std::string_view buffer_; // the bytes the tree being read is parsed over
    std::size_t offset_ = 0;  // their place in the document
    // Club by club: the document's bytes, its clubs and the places of their stand-ins.
    std::string_view bytes_;
    const std::vector<Stretch>* clubs_ = nullptr;
    const std::vector<std::size_t>* marks_ = nullptr;
    std::size_t next_ = 0;
    bool lost_ = false;
    std::string club_; // the bytes of the club being read, parsed in place
    pugi::xml_document clubTree_;
};

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The end of a start or end tag that begins at bytes[at] ('<'): the place of its '>', past
// quoted attribute values; npos when there is none.
std::size_t TagEnd(std::string_view bytes, std::size_t at) {
    for (std::size_t i = at + 1; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"' || c == '\'') {
            i = bytes.find(c, i + 1);
            if (i == std::string_view::npos) {
                return i;
            }
        } else if (c == '>') {
            return i;
        } else if (c == '<') {
            return std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

// The clubs of a meet file (each CLUB of LENEX/MEETS/MEET/CLUBS, from its '<' to past its end
// tag), found without building a tree: each is then parsed on its own. False for a document
// this simple look cannot take apart; the whole tree then reads it (and tells what is wrong
// with it, if anything is). Everything found here is checked again by the parser: a club is
// taken only when it parses as one CLUB element, and the rest of the document only when it
// parses with a stand-in at each club's place.
bool FindClubs(std::string_view bytes, std::vector<Stretch>& clubs) {
    static constexpr std::array<std::string_view, 4> kPath = {"LENEX", "MEETS", "MEET", "CLUBS"};
    std::vector<std::string_view> open;
    std::size_t at = 0;
    while ((at = bytes.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = bytes.substr(at);
        std::size_t end = std::string_view::npos;
        if (rest.substr(0, 4) == "<!--") {
            end = bytes.find("-->", at + 4);
            end = end == std::string_view::npos ? end : end + 2;
        } else if (rest.substr(0, 9) == "<![CDATA[") {
            end = bytes.find("]]>", at + 9);
            end = end == std::string_view::npos ? end : end + 2;
        } else if (rest.substr(0, 2) == "<?") {
            end = bytes.find("?>", at + 2);
            end = end == std::string_view::npos ? end : end + 1;
        } else if (rest.substr(0, 2) == "<!") {
            // A document type declaration; one with an internal subset is left to the parser.
            end = TagEnd(bytes, at);
            if (end != std::string_view::npos &&
                bytes.substr(at, end - at).find('[') != std::string_view::npos) {
                return false;
            }
        } else {
            end = TagEnd(bytes, at);
            if (end == std::string_view::npos) {
                return false;
            }
            const bool closing = rest.size() > 1 && rest[1] == '/';
            const std::size_t nameAt = at + (closing ? 2 : 1);
            std::size_t nameEnd = nameAt;
            while (nameEnd < end && !IsXmlSpace(bytes[nameEnd]) && bytes[nameEnd] != '/') {
                ++nameEnd;
            }
            const std::string_view name = bytes.substr(nameAt, nameEnd - nameAt);
            if (closing) {
                if (open.empty() || open.back() != name) {
                    return false;
                }
                open.pop_back();
            } else if (bytes[end - 1] == '/') {
                // An empty element: nothing opens.
                if (name == "CLUB" &&
                    std::equal(open.begin(), open.end(), kPath.begin(), kPath.end())) {
                    clubs.push_back({at, end + 1});
                }
            } else if (name == "CLUB" &&
                       std::equal(open.begin(), open.end(), kPath.begin(), kPath.end())) {
                // The club ends at the first end tag of a CLUB: should that be inside a comment,
                // a value or a nested CLUB, the club does not parse on its own and the whole
                // tree reads the file.
                std::size_t close = end;
                for (;;) {
                    close = bytes.find("</CLUB", close);
                    if (close == std::string_view::npos) {
                        return false;
                    }
                    close += 6;
                    while (close < bytes.size() && IsXmlSpace(bytes[close])) {
                        ++close;
                    }
                    if (close < bytes.size() && bytes[close] == '>') {
                        break;
                    }
                }
                end = close;
                clubs.push_back({at, end + 1});
            } else {
                open.push_back(name);
            }
        }
        if (end == std::string_view::npos) {
            return false;
        }
        at = end + 1;
    }
    return open.empty();
}

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

// Reads a document's tree into meet: the encoding its declaration names, then its meets and time
// standard lists. Empty, or what is wrong.
// A document that starts with a UTF-8 byte order mark is UTF-8 whatever its declaration says (as
// XML has it: a file saved again as UTF-8 by an editor that kept the old declaration).
std::string ReadTree(Meet& meet, const pugi::xml_document& document, Reader& reader, bool bom) {
    const pugi::xml_node declaration = document.first_child();
    if (declaration.type() == pugi::node_declaration && !bom) {
        const std::string encoding = Lowercase(declaration.attribute("encoding").value());
        if (encoding == "iso-8859-1" || encoding == "latin1") {
            meet.encoding = TextEncoding::Latin1;
        } else if (encoding == "iso-8859-15" || encoding == "latin9") {
            meet.encoding = TextEncoding::Latin9;
        } else if (encoding == "windows-1252" || encoding == "cp1252" || encoding == "x-cp1252") {
            meet.encoding = TextEncoding::Windows1252;
        } else if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8" &&
                   encoding != "us-ascii" && encoding != "ascii") {
            return meet.name + ": the encoding '" + encoding +
                   "' is not read; save the file as UTF-8";
        }
    }
    const pugi::xml_node lenex = document.document_element();
    if (!Named(lenex, "LENEX")) {
        return meet.name + ": not a Lenex file: its root element is <" + std::string(lenex.name()) +
               ">, not <LENEX>";
    }
    reader.ReadMeets(lenex);
    reader.ReadLists(lenex);
    reader.CountRecords(lenex);
    return {};
}

// Reads a document club by club: the document without its clubs (a stand-in at each one's place)
// as one tree, and each club as a tree of its own, read and given back before the next. The
// bytes are not changed. False when the parts do not read as the whole would (meet is then
// half filled).
bool ReadClubByClub(Meet& meet, std::string_view bytes, const std::vector<Stretch>& clubs) {
    static constexpr std::string_view kStandIn = "<CLUB/>";
    std::string rest;
    std::vector<std::size_t> marks;
    std::size_t at = 0;
    for (const Stretch& club : clubs) {
        rest.append(bytes.substr(at, club.begin - at));
        marks.push_back(rest.size());
        rest.append(kStandIn);
        at = club.end;
    }
    rest.append(bytes.substr(at));
    pugi::xml_document document;
    if (!document.load_buffer_inplace(rest.data(), rest.size(), pugi::parse_declaration,
                                      pugi::encoding_utf8)) {
        return false;
    }
    // Places in rest are not the document's: only the clubs' are taken (the entries').
    Reader reader(meet, rest);
    reader.ClubByClub(bytes, clubs, marks);
    return ReadTree(meet, document, reader, StartsWithBom(bytes)).empty() && reader.AllClubsRead();
}

bool EndsWithLef(std::string_view name) {
    return name.size() > 4 && Lowercase(std::string(name.substr(name.size() - 4))) == ".lef";
}

bool IsZip(std::string_view bytes) {
    return bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4);
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

std::string ZipMessage(zip_error_t* error) {
    std::string message = zip_error_strerror(error);
    zip_error_fini(error);
    return message;
}

// The archive of an .lxf opened over its bytes.
ZipArchive OpenZip(std::string_view bytes, std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    if (source == nullptr) {
        error = ZipMessage(&zipError);
        return nullptr;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &zipError);
    if (archive == nullptr) {
        zip_source_free(source);
        error = ZipMessage(&zipError);
        return nullptr;
    }
    zip_error_fini(&zipError);
    return ZipArchive(archive);
}

// Inflates one member into buffer, refusing one that inflates past the largest meet file.
std::string InflateMember(zip_t* archive, zip_uint64_t index, std::string& buffer) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0) {
        return zip_strerror(archive);
    }
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > kLargestMeetFile) {
        return "its .lef inflates to more than " + std::to_string(kLargestMeetFile >> 20) + " MiB";
    }
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        return zip_strerror(archive);
    }
    // The size in the archive's directory may lie: the inflated bytes are counted as they come.
    buffer.clear();
    std::array<char, 1 << 16> chunk{};
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), chunk.data(), chunk.size());
        if (got < 0) {
            return zip_file_strerror(file.get());
        }
        if (got == 0) {
            break;
        }
        if (buffer.size() + static_cast<std::size_t>(got) > kLargestMeetFile) {
            return "its .lef inflates to more than " + std::to_string(kLargestMeetFile >> 20) +
                   " MiB";
        }
        buffer.append(chunk.data(), static_cast<std::size_t>(got));
    }
    return {};
}

// The index of the one .lef in an archive.
std::string FindLef(zip_t* archive, zip_uint64_t& index) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    std::vector<std::string> found;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (name != nullptr && EndsWithLef(name)) {
            found.emplace_back(name);
            index = static_cast<zip_uint64_t>(i);
        }
    }
    if (found.empty()) {
        return "the ZIP archive holds no .lef meet file";
    }
    if (found.size() > 1) {
        std::string message =
            "the ZIP archive holds " + std::to_string(found.size()) + " .lef meet files (";
        for (std::size_t i = 0; i < found.size(); ++i) {
            message += (i == 0 ? "" : ", ") + found[i];
        }
        return message + "); it must hold exactly one";
    }
    return {};
}

ReadResult Failure(std::string message) {
    ReadResult result;
    result.error = std::move(message);
    return result;
}

} // namespace

std::string DecodeValue(std::string_view raw, TextEncoding encoding) {
    // Most values are plain text: nothing to resolve, nothing to widen.
    bool plain = true;
    for (const char c : raw) {
        plain = plain && c != '&' && c != '\t' && c != '\n' && c != '\r' &&
                (static_cast<unsigned char>(c) < 0x80 || encoding == TextEncoding::Utf8);
    }
    if (plain) {
        return std::string(raw);
    }
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '&') {
            const std::size_t end = raw.find(';', i);
            if (end != std::string_view::npos) {
                const std::string_view entity = raw.substr(i + 1, end - i - 1);
                unsigned long code = 0;
                bool known = true;
                if (entity == "amp") {
                    code = '&';
                } else if (entity == "lt") {
                    code = '<';
                } else if (entity == "gt") {
                    code = '>';
                } else if (entity == "quot") {
                    code = '"';
                } else if (entity == "apos") {
                    code = '\'';
                } else if (entity.size() > 1 && entity[0] == '#') {
                    const bool hex = entity[1] == 'x' || entity[1] == 'X';
                    const std::string_view digits = entity.substr(hex ? 2 : 1);
                    const auto parsed = std::from_chars(
                        digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
                    known = parsed.ec == std::errc() &&
                            parsed.ptr == digits.data() + digits.size() && code > 0 &&
                            code <= 0x10FFFF;
                } else {
                    known = false;
                }
                if (known) {
                    AppendUtf8(out, code);
                    i = end;
                    continue;
                }
            }
        }
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\n' || c == '\r') {
            out += ' '; // attribute values read their white space as spaces
        } else if (byte >= 0x80 && encoding != TextEncoding::Utf8) {
            AppendUtf8(out, Widened(byte, encoding));
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view Utf8Document(const Meet& meet, std::string& held) {
    if (meet.encoding == TextEncoding::Utf8) {
        return meet.bytes;
    }
    held.clear();
    held.reserve(meet.bytes.size() + meet.bytes.size() / 8);
    for (const char c : meet.bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            held += c;
        } else {
            AppendUtf8(held, Widened(byte, meet.encoding));
        }
    }
    return held;
}

namespace {

// A packed entry's place after its tag: kNoPlace for a place of 0 (none), kKeptWhole in
// lastValue for an entry kept whole.
constexpr std::uint16_t kNoPlace = 0xFFFF;
constexpr std::uint16_t kKeptWhole = 0xFFFE;
constexpr std::uint8_t kNoValue = 0xFF;

std::uint16_t PackPlace(std::uint32_t place, std::uint32_t tag) {
    if (place == 0) {
        return kNoPlace;
    }
    return place >= tag && place - tag < kKeptWhole ? static_cast<std::uint16_t>(place - tag)
                                                    : kKeptWhole;
}

std::uint32_t UnpackPlace(std::uint16_t place, std::uint32_t tag) {
    return place == kNoPlace ? 0 : tag + place;
}

} // namespace

bool Entries::Pack(const Entry& entry, Packed& packed) {
    packed.owner = entry.owner;
    packed.tag = entry.tag;
    packed.lastValue = PackPlace(entry.lastValue, entry.tag);
    packed.meetinfo = PackPlace(entry.meetinfo, entry.tag);
    bool fits = packed.lastValue != kKeptWhole && packed.meetinfo != kKeptWhole;
    const auto value = [&entry, &packed, &fits](const Span& span, std::size_t k) {
        if (!span.present()) {
            packed.sizes[k] = kNoValue;
            return;
        }
        const std::uint32_t after = span.offset - entry.tag; // wraps for a place before the tag
        fits = fits && span.offset >= entry.tag && after <= 0xFFFF && span.size < kNoValue;
        packed.offsets[k] = static_cast<std::uint16_t>(after);
        packed.sizes[k] = static_cast<std::uint8_t>(span.size);
    };
    value(entry.eventid, 0);
    value(entry.entrytime, 1);
    value(entry.entrycourse, 2);
    value(entry.status, 3);
    value(entry.agegroupid, 4);
    value(entry.meetinfoDate, 5);
    value(entry.meetinfoCourse, 6);
    value(entry.qualificationtime, 7);
    return fits;
}

void Entries::push_back(const Entry& entry) {
    Packed packed;
    if (!Pack(entry, packed)) {
        packed = Packed();
        packed.tag = static_cast<std::uint32_t>(whole_.size());
        packed.lastValue = kKeptWhole;
        whole_.push_back(entry);
    }
    packed_.push_back(packed);
}

Entry Entries::operator[](std::size_t i) const {
    const Packed& packed = packed_[i];
    if (packed.lastValue == kKeptWhole) {
        return whole_[packed.tag];
    }
    const auto value = [&packed](std::size_t k) {
        return packed.sizes[k] == kNoValue ? Span()
                                           : Span{packed.tag + packed.offsets[k], packed.sizes[k]};
    };
    Entry entry;
    entry.owner = packed.owner;
    entry.tag = packed.tag;
    entry.lastValue = UnpackPlace(packed.lastValue, packed.tag);
    entry.meetinfo = UnpackPlace(packed.meetinfo, packed.tag);
    entry.eventid = value(0);
    entry.entrytime = value(1);
    entry.entrycourse = value(2);
    entry.status = value(3);
    entry.agegroupid = value(4);
    entry.meetinfoDate = value(5);
    entry.meetinfoCourse = value(6);
    entry.qualificationtime = value(7);
    return entry;
}

std::string Meet::Text(const Span& span) const {
    return DecodeValue(Raw(span), encoding);
}

std::string Meet::Where(std::uint32_t offset) const {
    return Locator(*this).At(offset);
}

std::string Locator::At(std::uint32_t offset) {
    if (offset < at_) {
        at_ = 0;
        line_ = 1;
        lineStart_ = 0;
    }
    const std::string& bytes = meet_.bytes;
    const std::size_t end = std::min<std::size_t>(offset, bytes.size());
    for (; at_ < end; ++at_) {
        if (bytes[at_] == '\n') {
            ++line_;
            lineStart_ = at_ + 1;
        }
    }
    // UTF-8 continuation bytes start no character.
    std::size_t column = 1;
    for (std::size_t i = lineStart_; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (meet_.encoding != TextEncoding::Utf8 || (byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return meet_.name + ":" + std::to_string(line_) + ":" + std::to_string(column);
}

ReadResult ParseMeet(std::string bytes, std::string name, TreeBuilding building) {
    auto meet = std::make_unique<Meet>();
    meet->name = name;
    const std::string_view start(bytes.data(), std::min<std::size_t>(bytes.size(), 4));
    if (start.substr(0, 2) == "\xFE\xFF" || start.substr(0, 2) == "\xFF\xFE" ||
        (start.size() == 4 && (start[0] == '\0' || start[1] == '\0'))) {
        return Failure(meet->name +
                       ": UTF-16 and UTF-32 meet files are not read; save it as UTF-8");
    }
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        return Failure(meet->name + ": the file is too large");
    }
    std::vector<Stretch> clubs;
    const bool read = building == TreeBuilding::ClubByClub && FindClubs(bytes, clubs) &&
                      ReadClubByClub(*meet, bytes, clubs);
    if (!read) {
        // The whole tree at once, over a copy of the bytes (the parser marks up what it reads):
        // for a document that cannot be taken apart, and to tell what is wrong with one.
        meet = std::make_unique<Meet>();
        meet->name = std::move(name);
        std::string copy(bytes);
        pugi::xml_document document;
        const pugi::xml_parse_result parsed = document.load_buffer_inplace(
            copy.data(), copy.size(), pugi::parse_declaration, pugi::encoding_utf8);
        if (!parsed) {
            meet->bytes = std::move(bytes);
            return Failure(meet->Where(static_cast<std::uint32_t>(parsed.offset)) +
                           ": not well-formed XML: " + parsed.description());
        }
        Reader reader(*meet, copy);
        if (std::string error = ReadTree(*meet, document, reader, StartsWithBom(bytes));
            !error.empty()) {
            return Failure(std::move(error));
        }
    }
#ifdef __GLIBC__
    // What the trees took goes back to the system before the report and the converted meet are
    // made.
    malloc_trim(0);
#endif
    meet->bytes = std::move(bytes);
    ReadResult result;
    result.meet = std::move(meet);
    return result;
}

ReadResult ReadMeetData(std::string data, const std::string& name) {
    if (!IsZip(data)) {
        if (data.size() > kLargestMeetFile) {
            return Failure(name + ": the file is larger than " +
                           std::to_string(kLargestMeetFile >> 20) + " MiB");
        }
        return ParseMeet(std::move(data), name);
    }
    std::string error;
    ZipArchive archive = OpenZip(data, error);
    if (!archive) {
        return Failure(name + ": not a readable ZIP archive: " + error);
    }
    zip_uint64_t index = 0;
    error = FindLef(archive.get(), index);
    std::string lef;
    if (error.empty()) {
        error = InflateMember(archive.get(), index, lef);
    }
    if (!error.empty()) {
        return Failure(name + ": " + error);
    }
    const std::string member = zip_get_name(archive.get(), index, 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    const bool dated =
        zip_stat_index(archive.get(), index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_MTIME) != 0;
    archive.reset();
    data = std::string(); // the archive's bytes are not kept beside the .lef's
    ReadResult result = ParseMeet(std::move(lef), name + "(" + member + ")");
    if (result.meet) {
        result.meet->zipped = true;
        if (dated) {
            result.meet->memberTime = static_cast<std::int64_t>(stat.mtime);
        }
    }
    return result;
}

ReadResult ReadMeetFile(const std::string& path) {
    std::string data;
    if (std::string error = io::ReadWholeFile(path, data, kLargestMeetFile); !error.empty()) {
        return Failure(error);
    }
    // Read once: the parser never marks up the bytes kept, so a pipe or a device reads as well.
    ReadResult result = ReadMeetData(std::move(data), path);
    if (result.meet) {
        result.meet->sourcePath = path;
    }
    return result;
}

ReadResult ReadMeetBytes(std::string_view bytes, std::string_view name) {
    return ReadMeetData(std::string(bytes), std::string(name));
}

std::string AddStandards(PlainMeet& meet, const Meet& standards) {
    if (&meet == static_cast<const PlainMeet*>(&standards)) {
        return "a meet's own time standard lists are already read";
    }
    meet.lists.insert(meet.lists.end(), standards.lists.begin(), standards.lists.end());
    return {};
}

MeetHeading Heading(const Meet& meet) {
    return meet.heading;
}

MeetContents Contents(const Meet& meet) {
    MeetContents contents;
    contents.entries = meet.entries.size();
    for (const Owner& owner : meet.owners) {
        ++(owner.relay ? contents.relays : contents.swimmers);
    }
    contents.results = meet.results;
    contents.events = meet.events.size();
    contents.records = meet.records;
    contents.lists = meet.lists.size();
    return contents;
}

std::string NoEntriesText(const MeetContents& contents) {
    const auto many = [](std::size_t n, const std::string& one, const std::string& more) {
        return std::to_string(n) + " " + (n == 1 ? one : more);
    };
    if (contents.entries > 0) {
        return {};
    }
    std::string owners = many(contents.swimmers, "swimmer", "swimmers");
    if (contents.relays > 0) {
        owners += " and " + many(contents.relays, "relay team", "relay teams");
    }
    if (contents.results > 0) {
        return "holds " + many(contents.results, "result", "results") + " of " + owners +
               " and no entries";
    }
    if (contents.swimmers > 0 || contents.relays > 0) {
        return "holds " + owners + " and no entries";
    }
    if (contents.events > 0) {
        return "is an invitation: " + many(contents.events, "event", "events") + ", no entries";
    }
    if (contents.records > 0) {
        return "holds " + many(contents.records, "record", "records") + " and no entries";
    }
    if (contents.lists > 0) {
        return "holds " + many(contents.lists, "time standard list", "time standard lists") +
               " and no entries";
    }
    return "holds no events, no swimmers and no entries";
}

} // namespace et::meet
