// equivtimes-cli: the calculator's arithmetic for entry lists, notice-board tables and points
// targets. Reads the arguments and hands over to the subcommands.

#include "cli/commands.hpp"

#include <CLI/CLI.hpp>

#include <array>
#include <cstdio>
#include <functional>
#include <string>

#ifndef EQUIVTIMES_VERSION
#define EQUIVTIMES_VERSION "0"
#endif

namespace et::cli {
namespace {

// The foot of the program's help, and of the subcommands' that take pools and events.
std::string PoolsAndEvents() {
    return "Pools: 50m 33m 25m 20m 36y 27y 33y 25y 20y, or the captions \"25 metres\", "
           "\"33 1/3 yards\", ...\nEvents: a distance and a stroke, \"100 Free\", \"200 IM\"; "
           "strokes Free Back Breast Fly IM.\nExit status: 0 success, 1 some rows or values "
           "rejected, 2 usage or I/O error.";
}

// What every subcommand that writes a file with -o promises of it.
std::string WholeOrNotAtAll() {
    return "An output file given with -o is written whole or not at all: it appears only once\n"
           "complete, and if the run fails or is interrupted a file already there keeps its\n"
           "content.";
}

CLI::Validator TextOrCsv() {
    return CLI::IsMember({"text", "csv"}, CLI::ignore_case);
}

CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& convert) {
    CLI::App* convertCmd =
        app.add_subcommand("convert", "The nine converted times and the points of one swim");
    convertCmd->add_option("--pool", convert.pool, "Pool of the swim: 25m or \"25 metres\"")
        ->required();
    convertCmd->add_option("--event", convert.event, "Event: \"100 Free\"")->required();
    convertCmd->add_option("time", convert.time, "Time as typed in the window: 59.87, 1:02.34")
        ->required();
    convertCmd->add_option("--format", convert.format, "text or csv")
        ->capture_default_str()
        ->transform(TextOrCsv());
    return convertCmd;
}

CLI::App* AddBatchCommand(CLI::App& app, BatchOptions& batch) {
    CLI::App* batchCmd =
        app.add_subcommand("batch", "Convert a CSV entry list with pool, event and time columns");
    batchCmd->footer(
        "The header row names the pool, event and time columns, in any order and letter case;\n"
        "other columns are copied. Each row gains 50m,33m,25m,20m,36y,27y,33y,25y,20y,\n"
        "male_points,female_points,error,warning. Every input row gives one output row: a\n"
        "short row is read with empty trailing fields, a row longer than the header and an\n"
        "empty line are rejected. Rejected rows keep their fields, carry the reason in error\n"
        "and are reported on standard error as FILE:LINE: message. A time that is taken but\n"
        "implausible (under a third of the event's lowest reference time, or coming out at\n"
        "zero or less in some pool) is converted all the same, with how it was read in\n"
        "warning.\n\n" +
        WholeOrNotAtAll() + " The output may not be the input file, under any name.\n\n" +
        PoolsAndEvents());
    batchCmd->add_option("file", batch.input, "CSV input, - for standard input")
        ->capture_default_str();
    batchCmd
        ->add_option("-o,--output", batch.output,
                     "CSV output, written whole or not at all; - for standard output")
        ->capture_default_str();
    return batchCmd;
}

CLI::App* AddTableCommand(CLI::App& app, TableOptions& table) {
    CLI::App* tableCmd =
        app.add_subcommand("table", "An equivalent-time table for a run of entered times");
    tableCmd->add_option("--event", table.event, "Event: \"100 Free\"")->required();
    tableCmd->add_option("--pool", table.pool, "Pool the times are entered in")
        ->capture_default_str();
    tableCmd->add_option("--from", table.from, "First entered time")->required();
    tableCmd->add_option("--to", table.to, "Last entered time")->required();
    tableCmd->add_option("--step", table.step, "Step in seconds, to the hundredth")
        ->capture_default_str();
    tableCmd->add_option("--format", table.format, "text or csv")
        ->capture_default_str()
        ->transform(TextOrCsv());
    tableCmd
        ->add_option("-o,--output", table.output,
                     "Output file, written whole or not at all; - for standard output")
        ->capture_default_str();
    tableCmd->footer(WholeOrNotAtAll() + "\n\n" + PoolsAndEvents());
    return tableCmd;
}

CLI::App* AddPointsCommand(CLI::App& app, PointsOptions& points) {
    CLI::App* pointsCmd =
        app.add_subcommand("points", "The slowest time that scores a points target");
    pointsCmd->add_option("--event", points.event, "Event: \"100 Free\"")->required();
    pointsCmd->add_option("--sex", points.sex, "male or female")
        ->required()
        ->transform(CLI::IsMember({"male", "female"}, CLI::ignore_case));
    CLI::Option* pointsPool = pointsCmd->add_option(
        "--pool", points.pool, "Pool the time is typed in: 25m or \"25 metres\"");
    pointsCmd->add_option("--course", points.course, "long (--pool 50m) or short (--pool 25m)")
        ->transform(CLI::IsMember({"long", "short"}, CLI::ignore_case))
        ->excludes(pointsPool);
    pointsCmd->add_option("--points", points.points, "Points target, 1 or more")->required();
    pointsCmd->add_option("--format", points.format, "text or csv")
        ->capture_default_str()
        ->transform(TextOrCsv());
    pointsCmd->footer("The answer is the slowest time typed in the pool, to the hundredth, that "
                      "the window\nscores at the target or more: it scores the converted 50 "
                      "metres time of a swim in\nthe 50-metre pool, and the converted 25 metres "
                      "time of any other, both to a tenth.\n\n" +
                      PoolsAndEvents());
    return pointsCmd;
}

CLI::App* AddEntriesCommand(CLI::App& app, EntriesOptions& entries) {
    CLI::App* entriesCmd = app.add_subcommand(
        "entries",
        "Convert a meet file's entries (Lenex or SDIF) to the meet's pool and check them");
    entriesCmd->footer(
        "Every entry of the meet file (.lef, or .lxf holding one .lef; an SDIF entries file,\n"
        ".cl2 or .sd3, or a .zip holding one; told by content) gives one CSV row:\n"
        "club,athleteid,athlete,eventid,event,entry_time,entry_course,course,converted_time,\n"
        "standard,standard_time,verdict,reason,qualifying_time,qualifying_course,judged_time,\n"
        "judged_course,standard_course,judged_converted. An entry swum in another pool than its\n"
        "event's is converted as the window converts it and checked against the time standard\n"
        "lists (MAXIMUM, MINIMUM) that apply to the swimmer: the event's TIMESTANDARDREFS, else\n"
        "every list read; a list for a sport class (handicap) only to swimmers of that class.\n"
        "Verdicts: meets, misses, no standard, no time (NT, none or 00:00:00.00), not converted,\n"
        "error, withdrawn (any entry status but EXH: not judged, not converted), ineligible\n"
        "(the invitation's qualifying period, event gender, age groups or entry limits refuse\n"
        "it). --fees writes what each club pays for its accepted entries.\n"
        "A summary goes to standard error. Exit status: 0 the meet was read, 1 some entries\n"
        "are errors, 2 usage error, a file that cannot be read as a meet or one with no entries\n"
        "(nothing written). An SDIF file's converted copy changes only the converted entries'\n"
        "seed times and course letters (and CL2 checksums), in the dialect read.");
    entriesCmd
        ->add_option("meetfile", entries.meetFile,
                     "Meet file: .lef or .lxf (Lenex), .cl2, .sd3 or .zip (SDIF)")
        ->required();
    entriesCmd->add_option("--standards", entries.standards,
                           "A further Lenex file whose time standard lists apply (repeatable)");
    // Given, it replaces the file's course; left out, the file's stands.
    entriesCmd->add_option_function<std::string>(
        "--course", [&entries](const std::string& course) { entries.course = course; },
        "The pool to check and convert into instead of the file's: LCM, "
        "SCM, SCY, ...");
    entriesCmd->add_option("--report", entries.report, "CSV report, - for standard output")
        ->capture_default_str();
    entriesCmd->add_option("-o,--output", entries.output,
                           "The converted meet file: .lef or .lxf by its name for a Lenex meet, "
                           ".cl2 or .sd3 for an SDIF file");
    entriesCmd->add_option("--fees", entries.fees,
                           "CSV of the fees each club pays for its accepted entries, - for "
                           "standard output");
    return entriesCmd;
}

CLI::App* AddBestTimesCommand(CLI::App& app, BestTimesOptions& bestTimes) {
    const std::string courses = "Courses: LCM, SCM, SCM33, SCM20, SCY, SCY20, SCY27, SCY33, SCY36.";
    CLI::App* bestTimesCmd = app.add_subcommand(
        "best-times", "Each swimmer's best time per event in one pool, from Lenex results files");
    bestTimesCmd->footer(
        "Every athlete's result with a swim time and no status, or EXH, counts (heats, finals\n"
        "and time trials alike; DSQ, DNS, DNF, SICK and WDR do not, nor 00:00:00.00, which meet\n"
        "programs write for a final not swum); relays and events with no conversion are left\n"
        "out. A swim in another pool is converted as the window converts it (to a tenth); one\n"
        "made in the pool keeps its time. One CSV row per swimmer and event, ordered by event,\n"
        "gender and time:\n"
        "athlete,birthdate,gender,club,license,event,time,swum_time,swum_course,meet,city,date.\n"
        "On a tie the swim made in the pool itself wins, then the earlier. A swimmer is the\n"
        "same across files by a license that identifies (four digits or more, not all zeros,\n"
        "given to no other athlete of its file: not a rank such as II, nor 0), else by last\n"
        "name, first name and birth date (any case); never two athletes of one file (two\n"
        "athleteids), nor two whose birth dates or genders differ. Exit status: 0 done, 1 some\n"
        "results skipped as unreadable, 2 usage error or a file that cannot be read (nothing\n"
        "written).\n\n" +
        courses + "\n\n" + WholeOrNotAtAll());
    bestTimesCmd->add_option("results", bestTimes.results, "Lenex results files: .lef or .lxf")
        ->required();
    bestTimesCmd->add_option("--course", bestTimes.course, "The pool of the times: LCM, SCM, ...")
        ->required();
    bestTimesCmd->add_option("--from", bestTimes.from, "Swims on or after this date: 2026-01-31");
    bestTimesCmd->add_option("--to", bestTimes.to, "Swims on or before this date");
    bestTimesCmd->add_option("--club", bestTimes.club,
                             "Swimmers whose club name or code holds this text (any case)");
    bestTimesCmd
        ->add_option("-o,--output", bestTimes.output,
                     "CSV output, written whole or not at all; - for standard output")
        ->capture_default_str();
    return bestTimesCmd;
}

CLI::App* AddClubEntriesCommand(CLI::App& app, ClubEntriesOptions& clubEntries) {
    CLI::App* clubEntriesCmd = app.add_subcommand(
        "club-entries", "A club's Lenex entries for a meet's invitation from results files");
    clubEntriesCmd->footer(
        "For each swimmer and each individual event of the invitation that they may swim (its\n"
        "gender, its age groups by the meet's AGEDATE), the swimmer's fastest swim of the\n"
        "qualifying period (QUALIFY, or --from and --to) converted to the event's pool as\n"
        "best-times gives it. An entry is made when it meets a qualifying standard that applies\n"
        "(the rules of entries), or with --all whenever there is a time, within the meet's\n"
        "limits (the rules of entries); what the period or a limit leaves out is ineligible,\n"
        "with the reason. The entries file (.lef or .lxf by its name) is a new Lenex file for\n"
        "the invitation's meet; each ENTRY's MEETINFO tells the swim made. --report writes the\n"
        "entries report's CSV rows for every swimmer and event considered; the summary gives\n"
        "the fees the entries written cost. Exit status: 0 done, 1 some results skipped as\n"
        "unreadable, 2 usage error, a file that cannot be read or a refused invitation (nothing\n"
        "written).\n\n" +
        WholeOrNotAtAll() + " Never over a file read.");
    clubEntriesCmd->add_option("invitation", clubEntries.invitation, "The meet's Lenex invitation")
        ->required();
    clubEntriesCmd->add_option("--results", clubEntries.results, "Lenex results files")->required();
    clubEntriesCmd->add_option("--club", clubEntries.club,
                               "Swimmers whose club name or code holds this text (any case)");
    clubEntriesCmd->add_option("--from", clubEntries.from,
                               "Swims on or after this date, instead of the qualifying period's");
    clubEntriesCmd->add_option("--to", clubEntries.to,
                               "Swims on or before this date, instead of the qualifying period's");
    clubEntriesCmd->add_flag("--all", clubEntries.all,
                             "Enter every time, whether it qualifies or not");
    clubEntriesCmd->add_option(
        "--standards", clubEntries.standards,
        "Further qualifying times: a Lenex file or a CSV table, as for entries (repeatable)");
    clubEntriesCmd->add_option("--report", clubEntries.report, "CSV report, - for standard output");
    clubEntriesCmd->add_option("-o,--output", clubEntries.output, "The entries file: .lef or .lxf")
        ->required();
    clubEntriesCmd->add_option("--contact-name", clubEntries.contactName,
                               "The club's contact for the meet, named in the file");
    clubEntriesCmd->add_option("--contact-email", clubEntries.contactEmail,
                               "The contact's email address, which the format requires");
    return clubEntriesCmd;
}

CLI::App* AddProgressionCommand(CLI::App& app, ProgressionOptions& progression) {
    CLI::App* progressionCmd = app.add_subcommand(
        "progression", "One swimmer's season from results files drawn as an SVG chart in one pool");
    progressionCmd->footer(
        "A panel per event the swimmer swam (or the one --event names): time up the page, faster\n"
        "higher, dates along it. Each swim that counts as best-times counts it is a mark whose\n"
        "shape and fill tell the pool it was swum in, its title the date, the meet, the time as\n"
        "swum and its time in the pool drawn in as the window shows it (to a tenth); the best\n"
        "is marked. With --standards the qualifying time that applies to the swimmer's best swim\n"
        "(as entries judges it; age by the year of the last swim) is a dashed line, converted\n"
        "where the list is of another pool. Swims with no date are listed in the CSV but not\n"
        "drawn. The swimmer is named \"Lastname, Firstname\" (any case); where several match,\n"
        "they are listed and --birthdate or --license says which. Exit status: 0 drawn, 1 no\n"
        "such swimmer or no swims that count (nothing written), 2 usage error, a file that\n"
        "cannot be read or several swimmers of that name.\n\n" +
        WholeOrNotAtAll());
    progressionCmd->add_option("results", progression.results, "Results files: .lef or .lxf")
        ->required();
    progressionCmd->add_option("--course", progression.course, "The pool drawn in: LCM, SCM, ...")
        ->required();
    progressionCmd->add_option("--swimmer", progression.swimmer, "\"Lastname, Firstname\"")
        ->required();
    progressionCmd->add_option(
        "--birthdate", progression.birthdate,
        "The swimmer's birth date, 2012-05-04, where the name is not enough");
    progressionCmd->add_option("--license", progression.license,
                               "The swimmer's license, where the name is not enough");
    progressionCmd->add_option("--event", progression.event, "Only this event: \"100 Free\"");
    progressionCmd->add_option("--from", progression.from,
                               "Swims on or after this date: 2026-01-31");
    progressionCmd->add_option("--to", progression.to, "Swims on or before this date");
    progressionCmd->add_option("--club", progression.club,
                               "A swimmer whose club name or code holds this text (any case)");
    progressionCmd->add_option(
        "--standards", progression.standards,
        "Qualifying times: a Lenex file or a CSV table, as for entries (repeatable)");
    progressionCmd
        ->add_option("-o,--output", progression.output,
                     "The SVG chart, written whole or not at all; - for standard output")
        ->capture_default_str();
    progressionCmd->add_option("--csv", progression.csv,
                               "The swims as CSV: date,meet,event,swum_time,swum_course,time");
    return progressionCmd;
}

// A subcommand as the program knows it: where its arguments were read, and its run on them.
struct Subcommand {
    CLI::App* command;
    std::function<int()> run;
};

} // namespace
} // namespace et::cli

int main(int argc, char** argv) {
    using namespace et::cli;

    CLI::App app{"Equivalent swim times in nine pool lengths, and British comparative points.",
                 "equivtimes-cli"};
    app.set_version_flag("--version", "equivtimes-cli " EQUIVTIMES_VERSION);
    app.require_subcommand(1);
    app.footer(PoolsAndEvents());

    ConvertOptions convert;
    BatchOptions batch;
    TableOptions table;
    PointsOptions points;
    EntriesOptions entries;
    BestTimesOptions bestTimes;
    ClubEntriesOptions clubEntries;
    ProgressionOptions progression;
    clubEntries.version = EQUIVTIMES_VERSION;
    // In the order the help lists them.
    const std::array<Subcommand, 8> subcommands{{
        {AddConvertCommand(app, convert), [&] { return RunConvert(convert, stdout, stderr); }},
        {AddBatchCommand(app, batch), [&] { return RunBatch(batch, stdin, stdout, stderr); }},
        {AddTableCommand(app, table), [&] { return RunTable(table, stdout, stderr); }},
        {AddPointsCommand(app, points), [&] { return RunPoints(points, stdout, stderr); }},
        {AddEntriesCommand(app, entries), [&] { return RunEntries(entries, stdout, stderr); }},
        {AddBestTimesCommand(app, bestTimes),
         [&] { return RunBestTimes(bestTimes, stdout, stderr); }},
        {AddClubEntriesCommand(app, clubEntries),
         [&] { return RunClubEntries(clubEntries, stdout, stderr); }},
        {AddProgressionCommand(app, progression),
         [&] { return RunProgression(progression, stdout, stderr); }},
    }};

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version end the run successfully; every other parse error is bad usage.
        return app.exit(e) == 0 ? kExitOk : kExitUsage;
    }

    // Exactly one subcommand was given: parsing requires it.
    int status = kExitOk;
    for (const Subcommand& subcommand : subcommands) {
        if (subcommand.command->parsed()) {
            status = subcommand.run();
        }
    }
    // Whatever is still buffered must reach its destination: a full disk or a closed pipe is an
    // output error, not a successful run.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        if (status != kExitUsage) {
            std::fputs("equivtimes-cli: cannot write the output\n", stderr);
        }
        return kExitUsage;
    }
    return status;
}
