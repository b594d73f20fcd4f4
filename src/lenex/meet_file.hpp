#pragma once
// A Lenex meet file (.lef, or .lxf holding one .lef) read and kept whole: the file's bytes
// exactly as they were read (so that writing back changes nothing but the converted entries), the
// meet in plain values for the check (PlainMeet: events, time standard lists, swimmers and
// relays), and every entry with the place of its attributes in those bytes. pugixml and libzip
// serve this folder only.

#include "check/plain_meet.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
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
    bool operator==(const Span&) const = default;
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

    bool operator==(const Entry&) const = default;
};

// A meet's entries in the file's order, each kept in 36 bytes rather than an Entry's 80: its
// places are kept from its tag on, in two bytes each, and its values' lengths in one. An entry
// that does not fit (a value of 255 bytes or more, an element of 64 KiB) is kept whole beside
// the others. An entry is given out as an Entry, made afresh each time it is asked for.
class Entries {
public:
    void push_back(const Entry& entry);
    std::size_t size() const { return packed_.size(); }
    bool empty() const { return packed_.empty(); }
    Entry operator[](std::size_t i) const;

    class Iterator {
    public:
        using value_type = Entry;
        using difference_type = std::ptrdiff_t;
        Iterator(const Entries& entries, std::size_t at) : entries_(&entries), at_(at) {}
        Entry operator*() const { return (*entries_)[at_]; }
        Iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        const Entries* entries_;
        std::size_t at_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, size()}; }

private:
    static constexpr std::size_t kSpans = 8;
    struct Packed {
        std::uint32_t owner = 0;
        std::uint32_t tag = 0; // the index in whole_ for an entry kept whole
        std::uint16_t lastValue = 0;
        std::uint16_t meetinfo = 0;
        std::array<std::uint16_t, kSpans> offsets{};
        std::array<std::uint8_t, kSpans> sizes{};
    };
    static bool Pack(const Entry& entry, Packed& packed);
    // Kept in blocks, so that they fill the memory the document's tree gives back as it is read.
    std::deque<Packed> packed_;
    std::vector<Entry> whole_;
};

class Meet : public PlainMeet {
public:
    std::string name;       // the file's name, for messages
    std::string sourcePath; // the file it was read from; empty when read from bytes
    std::string bytes;      // the .lef document exactly as read
    TextEncoding encoding = TextEncoding::Utf8;
    bool zipped = false;
    // The modification time of the .lef inside an .lxf (seconds since 1970); a converted .lxf
    // keeps it, so that the same meet converted twice is the same file. -1 when not known.
    std::int64_t memberTime = -1;

    Entries entries;
    std::size_t results = 0; // RESULT elements of swimmers and relays, counted only
    std::size_t records = 0; // RECORD elements of record lists, counted only

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

struct ReadResult {
    std::unique_ptr<Meet> meet; // null when the file could not be read as Lenex
    std::string error;          // then what went wrong and where: "meet.lef:12:5: ..."
};

// Reads a .lef document from bytes (already inflated from an .lxf).
ReadResult ParseMeet(std::string bytes, std::string name,
                     TreeBuilding building = TreeBuilding::ClubByClub);
// Reads bytes that are a .lef or an .lxf, told apart by content, kept as they are: nothing reads
// them again, so a reader needs no second copy (the web page hands its file over once).
ReadResult ReadMeetData(std::string data, const std::string& name);
// Reads a .lef or .lxf, told apart by content.
ReadResult ReadMeetFile(const std::string& path);
// The same from bytes already in memory; name is used in messages.
ReadResult ReadMeetBytes(std::string_view bytes, std::string_view name);

// Adds the time standard lists of another Lenex file (an invitation, a federation's list) to a
// meet of any format.
// Empty on success, else the message.
std::string AddStandards(PlainMeet& meet, const Meet& standards);

// Adds the time standard lists of a further file given as its bytes: a Lenex file (.lef or
// .lxf, told by content: it starts with '<' or is a ZIP archive), or a table of qualifying times
// saved as CSV (check/standards_table.hpp). Nothing is added unless the whole file is read. Empty
// on success, else the message naming the file and line: "times.csv:12: reason".
std::string AddStandardsFile(PlainMeet& meet, std::string_view bytes, std::string_view name);
// The same for the file at path.
std::string AddStandardsPath(PlainMeet& meet, const std::string& path);

MeetHeading Heading(const Meet& meet);

// What a meet file holds: to tell a file with no entries (results, records, an invitation) from
// a meet's entries. Swimmers and relays are those the file lists; lists include any added.
struct MeetContents {
    std::size_t entries = 0;
    std::size_t swimmers = 0;
    std::size_t relays = 0;
    std::size_t results = 0;
    std::size_t events = 0;
    std::size_t records = 0;
    std::size_t lists = 0;
};
MeetContents Contents(const Meet& meet);
// Empty when the meet holds entries; else what it holds instead, to follow the file's name:
// "holds 3088 results of 865 swimmers and no entries", "is an invitation: 40 events, no
// entries".
std::string NoEntriesText(const MeetContents& contents);

} // namespace et::meet
