// Any meet file: Lenex or SDIF, told by content, behind one set of calls.

#include "formats/meet_files.hpp"

#include "io/whole_file.hpp"
#include "lenex/converted_meet.hpp"
#include "lenex/lenex_entries.hpp"
#include "lenex/meet_file.hpp"
#include "sdif/sdif_entries.hpp"
#include "sdif/zip_member.hpp"

#include <algorithm>
#include <cctype>

namespace et::formats {
namespace {

std::string LowercaseEnding(const std::string& name) {
    const std::size_t dot = name.find_last_of('.');
    const std::size_t slash = name.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string ending = name.substr(dot);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}

bool OntoFile(const std::string& output, const std::string& source) {
    return !source.empty() && (output == source || io::SameFile(output, source));
}

} // namespace

MeetFile::MeetFile(std::unique_ptr<meet::Meet> lenex) : lenex_(std::move(lenex)) {}
MeetFile::MeetFile(std::unique_ptr<sdif::SdifMeet> sdif) : sdif_(std::move(sdif)) {}
MeetFile::~MeetFile() = default;

const meet::PlainMeet& MeetFile::plain() const {
    return sdif_ ? static_cast<const meet::PlainMeet&>(*sdif_)
                 : static_cast<const meet::PlainMeet&>(*lenex_);
}

const std::string& MeetFile::name() const {
    return sdif_ ? sdif_->name : lenex_->name;
}

std::string MeetFile::AddStandardsFile(std::string_view bytes, std::string_view name) {
    meet::PlainMeet& meet =
        sdif_ ? static_cast<meet::PlainMeet&>(*sdif_) : static_cast<meet::PlainMeet&>(*lenex_);
    return meet::AddStandardsFile(meet, bytes, name);
}

std::string MeetFile::AddStandardsPath(const std::string& path) {
    meet::PlainMeet& meet =
        sdif_ ? static_cast<meet::PlainMeet&>(*sdif_) : static_cast<meet::PlainMeet&>(*lenex_);
    return meet::AddStandardsPath(meet, path);
}

std::string MeetFile::NoEntriesText() const {
    return sdif_ ? sdif::NoEntriesText(*sdif_) : meet::NoEntriesText(meet::Contents(*lenex_));
}

meet::MeetHeading MeetFile::Heading() const {
    return sdif_ ? sdif_->heading : meet::Heading(*lenex_);
}

std::unique_ptr<meet::EntrySource> MeetFile::Entries() const {
    if (sdif_) {
        return std::make_unique<sdif::SdifEntries>(*sdif_);
    }
    return std::make_unique<meet::LenexEntries>(*lenex_);
}

meet::CheckResult MeetFile::Check(const std::optional<std::string>& courseOverride,
                                  const meet::Progress& progress, const meet::RowSink& sink) const {
    const std::unique_ptr<meet::EntrySource> entries = Entries();
    return meet::CheckEntries(plain(), *entries, courseOverride, progress, sink);
}

meet::MeetFees MeetFile::Fees(const meet::CheckResult& result) const {
    const std::unique_ptr<meet::EntrySource> entries = Entries();
    return meet::FeesOf(plain(), *entries, result);
}

std::string MeetFile::OutputNameError(const std::string& outputName) const {
    if (!sdif_) {
        return meet::ConvertedMeetNameError(outputName);
    }
    if (!sdif::IsSdifName(outputName)) {
        return outputName + ": an SDIF file's converted copy is written as .cl2 or .sd3, in the " +
               "dialect it was read in; name it so";
    }
    return {};
}

std::pair<std::string, std::string> MeetFile::ConvertedFile(const meet::CheckResult& result,
                                                            const std::string& outputName) const {
    if (!sdif_) {
        return meet::ConvertedMeetFile(*lenex_, result, outputName);
    }
    if (std::string error = OutputNameError(outputName); !error.empty()) {
        return {{}, std::move(error)};
    }
    return sdif::ConvertedSdif(*sdif_, result);
}

std::string MeetFile::WriteConverted(const meet::CheckResult& result,
                                     const std::string& path) const {
    if (!sdif_) {
        return meet::WriteConvertedMeet(*lenex_, result, path);
    }
    if (std::string error = OutputNameError(path); !error.empty()) {
        return error;
    }
    if (OntoFile(path, sdif_->sourcePath)) {
        return path + ": that is the meet file read; the converted meet goes to another file";
    }
    const auto [bytes, error] = sdif::ConvertedSdif(*sdif_, result);
    if (!error.empty()) {
        return path + ": " + error;
    }
    return io::WriteWholeFile(path, bytes);
}

std::string MeetFile::SuggestedSuffix() const {
    if (!sdif_) {
        return "-converted.lxf";
    }
    // The copy keeps the ending of the SDIF file read (a zip's member's).
    const std::string& member = sdif_->file.zipMember;
    const std::string ending = LowercaseEnding(member.empty() ? sdif_->name : member);
    return "-converted" + (ending == ".sd3" ? ending : std::string(".cl2"));
}

OpenResult OpenMeetData(std::string bytes, const std::string& name) {
    OpenResult out;
    if (sdif::IsSdif(bytes)) {
        sdif::SdifMeetRead read = sdif::ReadSdifMeet(bytes, name);
        if (!read.meet) {
            out.error = std::move(read.error);
            return out;
        }
        out.meet = std::make_unique<MeetFile>(std::move(read.meet));
        return out;
    }
    meet::ReadResult read = meet::ReadMeetData(std::move(bytes), name);
    if (!read.meet) {
        out.error = std::move(read.error);
        return out;
    }
    out.meet = std::make_unique<MeetFile>(std::move(read.meet));
    return out;
}

OpenResult OpenMeetFile(const std::string& path) {
    std::string data;
    if (std::string error = io::ReadWholeFile(path, data, sdif::kLargestSdifFile); !error.empty()) {
        return {nullptr, std::move(error)};
    }
    // Read once, so that a pipe or a device reads as well as a file.
    if (sdif::IsSdif(data)) {
        sdif::SdifMeetRead read = sdif::ReadSdifMeet(data, path);
        if (!read.meet) {
            return {nullptr, std::move(read.error)};
        }
        read.meet->sourcePath = path;
        return {std::make_unique<MeetFile>(std::move(read.meet)), {}};
    }
    meet::ReadResult read = meet::ReadMeetData(std::move(data), path);
    if (!read.meet) {
        return {nullptr, std::move(read.error)};
    }
    read.meet->sourcePath = path;
    return {std::make_unique<MeetFile>(std::move(read.meet)), {}};
}

std::string AnyOutputNameError(const std::string& outputName) {
    const std::string ending = LowercaseEnding(outputName);
    if (ending != ".lef" && ending != ".lxf" && ending != ".cl2" && ending != ".sd3") {
        return outputName + ": the converted meet is written as .lef or .lxf (Lenex), or .cl2 " +
               "or .sd3 (SDIF); name it so";
    }
    return {};
}

} // namespace et::formats
