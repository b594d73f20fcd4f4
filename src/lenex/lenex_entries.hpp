#pragma once
// A Lenex meet's entries given to the entry check as plain values: each ENTRY's attributes and
// its MEETINFO read from the file's bytes, Lenex's codes being the model's own, and the place of
// each entry in the file for messages.

#include "check/entry_check.hpp"
#include "check/fees.hpp"
#include "check/report.hpp"
#include "lenex/meet_file.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace et::meet {

// How Lenex names an entry's values in the check's messages.
extern const EntryWords kLenexEntryWords;

class LenexEntries : public EntrySource {
public:
    explicit LenexEntries(const Meet& meet) : meet_(meet), locator_(meet) {}

    std::size_t size() const override { return meet_.entries.size(); }
    EntryEvent EventOf(std::size_t i) const override;
    void Read(std::size_t i, EntryFacts& facts) const override;
    std::string Where(std::size_t i) override { return locator_.At(meet_.entries[i].tag); }
    const EntryWords& Words() const override { return kLenexEntryWords; }

private:
    // The event of the owner's meet that eventid names; kNoEvent for none.
    std::size_t EventNamed(std::uint32_t owner, const std::string& eventid) const;

    const Meet& meet_;
    Locator locator_;
};

// Converts and checks every entry of a Lenex meet (see the check's CheckEntries).
CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride = {},
                         const Progress& progress = {});
// The same, each row handed to sink instead of kept (rows stays empty).
CheckResult CheckEntries(const Meet& meet, const std::optional<std::string>& courseOverride,
                         const Progress& progress, const RowSink& sink);

// The fees of the entries result accepts; result is the check of meet.
MeetFees FeesOf(const Meet& meet, const CheckResult& result);

} // namespace et::meet
