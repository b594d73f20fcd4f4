// The report's verdict names, its counts and its CSV.

#include "check/report.hpp"

#include <array>

namespace et::meet {
namespace {

// The characters that make a CSV field quoted, by byte.
constexpr std::array<bool, 256> kQuoted = [] {
    std::array<bool, 256> quoted{};
    for (const char c : {',', '"', '\r', '\n'}) {
        quoted[static_cast<unsigned char>(c)] = true;
    }
    return quoted;
}();

bool NeedsQuotes(std::string_view field) {
    bool quoted = false;
    for (const char c : field) {
        quoted |= kQuoted[static_cast<unsigned char>(c)];
    }
    return quoted;
}

} // namespace

std::string_view VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Meets:
        return "meets";
    case Verdict::Misses:
        return "misses";
    case Verdict::NoStandard:
        return "no standard";
    case Verdict::NoTime:
        return "no time";
    case Verdict::NotConverted:
        return "not converted";
    case Verdict::Ineligible:
        return "ineligible";
    case Verdict::Withdrawn:
        return "withdrawn";
    case Verdict::Error:
        break;
    }
    return "error";
}

void AddToCounts(Counts& counts, const ReportRow& row) {
    ++counts.read;
    counts.converted += row.converted_time.empty() ? 0U : 1U;
    switch (row.verdict) {
    case Verdict::Meets:
        ++counts.meeting;
        break;
    case Verdict::Misses:
        ++counts.missing;
        break;
    case Verdict::NotConverted:
        ++counts.notConverted;
        break;
    case Verdict::Error:
        ++counts.errors;
        break;
    case Verdict::Ineligible:
        ++counts.ineligible;
        break;
    case Verdict::Withdrawn:
        ++counts.withdrawn;
        break;
    case Verdict::NoStandard:
    case Verdict::NoTime:
        break;
    }
}

void AppendCsvField(std::string& out, std::string_view field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    // Quoted, each quote doubled.
    out += '"';
    std::size_t from = 0;
    for (std::size_t quote = field.find('"'); quote != std::string_view::npos;
         quote = field.find('"', quote + 1)) {
        out += field.substr(from, quote + 1 - from);
        out += '"';
        from = quote + 1;
    }
    out += field.substr(from);
    out += '"';
}

void AppendReportCsvRow(std::string& out, const ReportRow& row) {
    const std::array<std::string_view, 19> fields = {
        row.club,           row.athleteid,       row.athlete,           row.eventid,
        row.event,          row.entry_time,      row.entry_course,      row.course,
        row.converted_time, row.standard,        row.standard_time,     VerdictText(row.verdict),
        row.reason,         row.qualifying_time, row.qualifying_course, row.judged_time,
        row.judged_course,  row.standard_course, row.judged_converted};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

std::string ReportCsv(const std::vector<ReportRow>& rows) {
    std::string out(kReportHeader);
    out += "\r\n";
    for (const ReportRow& row : rows) {
        AppendReportCsvRow(out, row);
    }
    return out;
}

} // namespace et::meet
