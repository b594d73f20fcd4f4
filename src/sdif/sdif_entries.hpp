#pragma once
// An SDIF meet entries file given to the entry check: the meet of B1 (its name, city, first day
// and course), an event for each distinct event of the D0 lines (number, stroke, distance, event
// sex and age code, the sex and ages being the rules of who may swim it), the swimmers with their
// club (C1), member number, sex and birth date, and one entry per D0 in the file's order: the
// seed time and the course letter after it. A line that does not say enough to be checked (no
// event number, a stroke that is no swim, no event sex) is an entry whose row says what it
// lacks. The converted copy is the file's own bytes with only the converted entries' seed
// columns (and their CL2 checksums) written anew.

#include "check/entry_check.hpp"
#include "check/plain_meet.hpp"
#include "check/report.hpp"
#include "sdif/sdif_file.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace et::sdif {

// One D0 as the check takes it: whose entry, in which event, and what the line lacks.
struct EntryLine {
    std::uint32_t owner = 0;
    std::size_t event = meet::kNoEvent;
    std::string lacking; // empty when the line names a swim of an event
};

class SdifMeet : public meet::PlainMeet {
public:
    std::string name;       // the file's name, for messages ("club.zip(club.cl2)" for a zip)
    std::string sourcePath; // the file it was read from; empty when read from bytes
    std::string bytes;      // the SDIF bytes as read (a zip's member inflated)
    SdifFile file;
    std::vector<EntryLine> entries; // one per D0, in the file's order
};

struct SdifMeetRead {
    std::unique_ptr<SdifMeet> meet; // null when the bytes are no SDIF file
    std::string error;
};

// Reads an SDIF file (bare, or a .zip holding one) as a meet's entries. The reader's warnings
// become the meet's problems.
SdifMeetRead ReadSdifMeet(std::string_view bytes, std::string_view name);

// How SDIF names an entry's values in the check's messages.
extern const meet::EntryWords kSdifEntryWords;

class SdifEntries : public meet::EntrySource {
public:
    explicit SdifEntries(const SdifMeet& meet) : meet_(meet) {}

    std::size_t size() const override { return meet_.entries.size(); }
    meet::EntryEvent EventOf(std::size_t i) const override;
    void Read(std::size_t i, meet::EntryFacts& facts) const override;
    std::string Where(std::size_t i) override;
    const meet::EntryWords& Words() const override { return kSdifEntryWords; }

private:
    const SdifMeet& meet_;
};

// Empty when the file holds entries; else what it holds instead, to follow the file's name:
// "holds 401 results of 235 swimmers and no entries".
std::string NoEntriesText(const SdifMeet& meet);

// The converted copy: the file's bytes with each converted entry's seed time and course letter
// written anew (and its CL2 checksum), or why it cannot be written: {bytes, error}.
std::pair<std::string, std::string> ConvertedSdif(const SdifMeet& meet,
                                                  const meet::CheckResult& result);

} // namespace et::sdif
