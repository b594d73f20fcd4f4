// The season's swimmers across files: who is one swimmer.

#include "club/season.hpp"

#include <cctype>
#include <optional>

namespace et::meet {
namespace {

// The lower case letter of a Latin-1 or Latin Extended-A capital (Polish, Czech, Hungarian,
// Baltic... names, and windows-1252's Š, Ž, Œ and Ÿ); any other character as it is. The Turkish
// dotted capital I (U+0130), whose lower case is two characters, stays.
unsigned LowerLatin(unsigned code) {
    if (code >= 0xC0 && code <= 0xDE && code != 0xD7) {
        return code + 0x20;
    }
    if (code == 0x178) {
        return 0xFF; // Ÿ, ÿ
    }
    // Capital and small letters come in pairs: the capital first at an even code here...
    const bool evenCapital = (code >= 0x100 && code <= 0x12F) || (code >= 0x132 && code <= 0x137) ||
                             (code >= 0x14A && code <= 0x177);
    // ... and at an odd one there.
    const bool oddCapital = (code >= 0x139 && code <= 0x148) || (code >= 0x179 && code <= 0x17E);
    return (evenCapital && code % 2 == 0) || (oddCapital && code % 2 == 1) ? code + 1 : code;
}

} // namespace

std::string Folded(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c >= 0xC3 && c <= 0xC5 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if ((next & 0xC0) == 0x80) {
                const unsigned lower = LowerLatin(((c & 0x1FU) << 6) | (next & 0x3FU));
                out[i] = static_cast<char>(0xC0 | (lower >> 6));
                out[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
            }
            ++i;
        }
    }
    return out;
}

bool IdentifyingLicense(std::string_view license) {
    std::size_t digits = 0;
    std::size_t alphanumerics = 0;
    bool nonZero = false;
    for (const char c : license) {
        if (c >= '0' && c <= '9') {
            ++digits;
            nonZero = nonZero || c != '0';
        }
        alphanumerics += std::isalnum(static_cast<unsigned char>(c)) != 0 ? 1 : 0;
    }
    // A USA Swimming member id: 12 or 14 letters and digits, which may hold few digits.
    const bool memberId = (license.size() == 12 || license.size() == 14) &&
                          alphanumerics == license.size() && digits > 0 && nonZero;
    return (digits >= 4 && nonZero) || memberId;
}

std::string_view LicenseKey(std::string_view license) {
    return IdentifyingLicense(license) && license.size() == 14 ? license.substr(0, 12) : license;
}

bool SameLicense(std::string_view a, std::string_view b) {
    return a == b || (a.size() != b.size() && LicenseKey(a) == LicenseKey(b));
}

bool IsLenexDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (const std::size_t at : {0U, 1U, 2U, 3U, 5U, 6U, 8U, 9U}) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    const int day = (text[8] - '0') * 10 + (text[9] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

Date ParseLenexDate(std::string_view text) {
    if (!IsLenexDate(text)) {
        return {};
    }
    const auto number = [&text](std::size_t at, std::size_t size) {
        int value = 0;
        for (std::size_t i = at; i < at + size; ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    return {number(0, 4), number(5, 2), number(8, 2)};
}

std::uint32_t DayNumber(std::string_view text) {
    const Date date = ParseLenexDate(text);
    return static_cast<std::uint32_t>(date.year * 10000 + date.month * 100 + date.day);
}

std::string DayText(std::uint32_t day) {
    if (day == 0) {
        return {};
    }
    std::string text = "0000-00-00";
    for (const std::size_t at : {9U, 8U, 6U, 5U, 3U, 2U, 1U, 0U}) {
        text[at] = static_cast<char>('0' + day % 10);
        day /= 10;
    }
    return text;
}

// Whether the license tells the swimmer in this file.
bool SeasonFile::Identifies(const std::string& license) const {
    return IdentifyingLicense(license) && shared_.count(license) == 0;
}

// Whether a swimmer already known can be the athlete read: not another athlete of this file,
// and no birth date or gender that differs.
bool SeasonFile::MayBe(std::uint32_t index, const ResultsSwimmer& read) const {
    const ResultsSwimmer& known = results_.swimmers[index];
    const auto differ = [](const std::string& a, const std::string& b) {
        return !a.empty() && !b.empty() && a != b;
    };
    return results_.lastFile[index] != fileNumber_ && !differ(known.birthdate, read.birthdate) &&
           !differ(known.gender, read.gender);
}

// The one swimmer of the results that read (with its athleteid in the file) is, added when
// new.
std::uint32_t SeasonFile::AddSwimmer(const ResultsSwimmer& read, std::string_view athleteid) {
    if (!athleteid.empty()) {
        if (const auto found = athletes_.find(std::string(athleteid)); found != athletes_.end()) {
            return found->second;
        }
    }
    std::optional<std::uint32_t> index;
    const bool identifies = Identifies(read.license);
    if (identifies) {
        const auto [begin, end] =
            results_.byLicense.equal_range(std::string(LicenseKey(read.license)));
        for (auto it = begin; it != end && !index; ++it) {
            if (SameLicense(results_.swimmers[it->second].license, read.license) &&
                MayBe(it->second, read)) {
                index = it->second;
            }
        }
    }
    const std::string key =
        Folded(read.lastname) + '\x1f' + Folded(read.firstname) + '\x1f' + read.birthdate;
    if (!index && !read.birthdate.empty()) {
        const auto [begin, end] = results_.byName.equal_range(key);
        for (auto it = begin; it != end && !index; ++it) {
            const ResultsSwimmer& other = results_.swimmers[it->second];
            // Two licenses that identify and differ are two swimmers, whatever their names.
            if (MayBe(it->second, read) && !(identifies && IdentifyingLicense(other.license) &&
                                             !SameLicense(other.license, read.license))) {
                index = it->second;
            }
        }
    }
    if (!index) {
        index = static_cast<std::uint32_t>(results_.swimmers.size());
        results_.swimmers.push_back(read);
        results_.lastFile.push_back(fileNumber_);
        results_.byName.emplace(key, *index);
        if (identifies) {
            results_.byLicense.emplace(LicenseKey(read.license), *index);
        }
    } else {
        Join(*index, read, identifies);
    }
    if (!athleteid.empty()) {
        athletes_.emplace(athleteid, *index);
    }
    return *index;
}

// What the athlete read adds to the swimmer known.
void SeasonFile::Join(std::uint32_t index, const ResultsSwimmer& read, bool identifies) {
    results_.lastFile[index] = fileNumber_;
    ResultsSwimmer& known = results_.swimmers[index];
    if (identifies && !IdentifyingLicense(known.license)) {
        known.license = read.license;
        results_.byLicense.emplace(LicenseKey(read.license), index);
    } else if (known.license.empty() || (identifies && read.license.size() > known.license.size() &&
                                         SameLicense(known.license, read.license))) {
        // The full member id of a swimmer known by its first 12 characters.
        known.license = read.license;
    }
    for (auto [field, value] :
         {std::pair{&known.gender, &read.gender}, std::pair{&known.birthdate, &read.birthdate},
          std::pair{&known.nation, &read.nation}}) {
        if (field->empty()) {
            *field = *value;
        }
    }
    if (read.clubDate >= known.clubDate) {
        known.club = read.club;
        known.clubCode = read.clubCode;
        known.clubNation = read.clubNation;
        known.clubType = read.clubType;
        known.clubDate = read.clubDate;
        if (!read.handicap.empty()) {
            known.handicap = read.handicap;
        }
    }
}

} // namespace et::meet
