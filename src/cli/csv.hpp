#pragma once
// The CSV reader and writer the command line's entry lists and tables use; they live in the io
// library, where the meet library reads qualifying times from a spreadsheet with them too.

#include "io/csv.hpp" // IWYU pragma: export

namespace et::cli {

using io::CsvReader;
using io::CsvRecord;
using io::CsvWriter;
using io::ReadBytes;
using io::ReadFromFile;
using io::ReadFromText;
using io::WriteBytes;
using io::WriteToFile;

} // namespace et::cli
