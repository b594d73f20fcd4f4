#pragma once
// Any meet file, told by its content: a Lenex meet (.lef, or an .lxf holding one) or an SDIF file
// (.cl2 or .sd3 in any letter case, or a .zip holding one). The programs open it, add qualifying
// times, check its entries and write the converted copy alike, whichever format it is; the copy
// is always written in the format (and the SDIF dialect) of the file read.

#include "check/entry_check.hpp"
#include "check/fees.hpp"
#include "check/plain_meet.hpp"
#include "check/report.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace et::meet {
class Meet;
}
namespace et::sdif {
class SdifMeet;
}

namespace et::formats {

enum class MeetFormat : std::uint8_t { Lenex, Sdif };

class MeetFile {
public:
    explicit MeetFile(std::unique_ptr<meet::Meet> lenex);
    explicit MeetFile(std::unique_ptr<sdif::SdifMeet> sdif);
    ~MeetFile();
    MeetFile(const MeetFile&) = delete;
    MeetFile& operator=(const MeetFile&) = delete;

    MeetFormat format() const { return sdif_ ? MeetFormat::Sdif : MeetFormat::Lenex; }
    const meet::PlainMeet& plain() const;
    // The file's name, for messages.
    const std::string& name() const;

    // Adds the time standard lists of a further file: a Lenex file or a CSV table of qualifying
    // times, told by content. Nothing is added unless the whole file is read. Empty on success,
    // else the message naming the file.
    std::string AddStandardsFile(std::string_view bytes, std::string_view name);
    std::string AddStandardsPath(const std::string& path);

    // Empty when the file holds entries; else what it holds instead, to follow its name: "holds
    // 401 results of 235 swimmers and no entries".
    std::string NoEntriesText() const;
    meet::MeetHeading Heading() const;

    // The meet's entries, for the check and for the fees.
    std::unique_ptr<meet::EntrySource> Entries() const;
    meet::CheckResult Check(const std::optional<std::string>& courseOverride,
                            const meet::Progress& progress = {},
                            const meet::RowSink& sink = {}) const;
    meet::MeetFees Fees(const meet::CheckResult& result) const;

    // Empty when the converted copy can be written under that name (.lef or .lxf for a Lenex
    // meet, .cl2 or .sd3 in any letter case for an SDIF file), else the message.
    std::string OutputNameError(const std::string& outputName) const;
    // The converted copy in memory, or why not: {bytes, error}.
    std::pair<std::string, std::string> ConvertedFile(const meet::CheckResult& result,
                                                      const std::string& outputName) const;
    // The converted copy written whole or not at all, never onto the file read. Empty on success,
    // else the message.
    std::string WriteConverted(const meet::CheckResult& result, const std::string& path) const;

    // The ending a converted copy is suggested with: "-converted.lxf", "-converted.cl2".
    std::string SuggestedSuffix() const;

private:
    std::unique_ptr<meet::Meet> lenex_;
    std::unique_ptr<sdif::SdifMeet> sdif_;
};

struct OpenResult {
    std::unique_ptr<MeetFile> meet; // null when the file could not be read
    std::string error;              // then what went wrong, naming the file
};

// Reads a meet file from bytes, told by content; name is used in messages.
OpenResult OpenMeetData(std::string bytes, const std::string& name);
// Reads the meet file at path.
OpenResult OpenMeetFile(const std::string& path);

// Empty when a converted copy of some meet file can be written under that name (.lef, .lxf,
// .cl2 or .sd3), else the message: to ask before any file is read.
std::string AnyOutputNameError(const std::string& outputName);

} // namespace et::formats
