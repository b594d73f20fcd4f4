#pragma once
// The subcommands of equivtimes-cli, once their arguments have been read.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace et::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRejected = 1; // some rows or values were not accepted
inline constexpr int kExitUsage = 2;    // bad usage, unreadable input, unwritable output

struct ConvertOptions {
    std::string pool;
    std::string event;
    std::string time;
    std::string format = "text";
};

struct BatchOptions {
    std::string input = "-";
    std::string output = "-";
};

struct TableOptions {
    std::string event;
    std::string pool = "50 metres";
    std::string from;
    std::string to;
    std::string step = "0.1";
    std::string format = "text";
    std::string output = "-";
};

struct PointsOptions {
    std::string event;
    std::string sex;    // male or female
    std::string pool;   // the pool the time is typed in
    std::string course; // long or short: the 50 metres or the 25 metres pool
    long points = 0;
    std::string format = "text";
};

struct EntriesOptions {
    std::string meetFile;
    std::vector<std::string> standards;
    std::optional<std::string> course; // a Lenex course code replacing the meet's
    std::string report = "-";          // the CSV report; - for standard output
    std::string output;                // the converted meet (.lef or .lxf); none when empty
    std::string fees;                  // the fees per club as CSV; none when empty, - stdout
};

struct BestTimesOptions {
    std::vector<std::string> results; // Lenex results files
    std::string course;               // the pool the times are given in: a Lenex code
    std::string from;                 // swims from and to these Lenex dates; empty for any
    std::string to;
    std::string club;         // swimmers whose club name or code holds this; empty for all
    std::string output = "-"; // the CSV; - for standard output
};

struct ClubEntriesOptions {
    std::string invitation;
    std::vector<std::string> results;
    std::vector<std::string> standards;
    std::string club;
    bool all = false;   // an entry for every time, qualifying or not
    std::string report; // the CSV report; none when empty, - for standard output
    std::string output; // the entries file, .lef or .lxf
    std::string version;
    std::string from; // the swims that may be entered; empty: the invitation's period
    std::string to;
    std::string contactName; // the club's contact, for the file's CONSTRUCTOR
    std::string contactEmail;
};

struct ProgressionOptions {
    std::vector<std::string> results; // results files
    std::string course;               // the pool every time is drawn in: a Lenex code
    std::string swimmer;              // "Lastname, Firstname"
    std::string birthdate;            // where the name is not enough
    std::string license;
    std::string event; // "100 Free"; empty for every event swum
    std::string from;
    std::string to;
    std::string club;
    std::vector<std::string> standards; // Lenex files or CSV tables of qualifying times
    std::string output = "-";           // the SVG; - for standard output
    std::string csv;                    // the swims as CSV; none when empty
};

// An output named with -o is written whole or not at all (see io/whole_file.hpp); "-" or none is
// standard output, streamed as it comes. batch refuses an output that is its input file.
int RunConvert(const ConvertOptions& options, std::FILE* out, std::FILE* err);
int RunBatch(const BatchOptions& options, std::FILE* in, std::FILE* out, std::FILE* err);
int RunTable(const TableOptions& options, std::FILE* out, std::FILE* err);
int RunPoints(const PointsOptions& options, std::FILE* out, std::FILE* err);
int RunEntries(const EntriesOptions& options, std::FILE* out, std::FILE* err);
int RunBestTimes(const BestTimesOptions& options, std::FILE* out, std::FILE* err);
int RunClubEntries(const ClubEntriesOptions& options, std::FILE* out, std::FILE* err);
int RunProgression(const ProgressionOptions& options, std::FILE* out, std::FILE* err);

} // namespace et::cli
