// Results files told apart by their content and handed to their format's reader.

#include "formats/results_files.hpp"

#include "lenex/results_file.hpp"
#include "sdif/sdif_file.hpp"
#include "sdif/sdif_results.hpp"

namespace et::formats {

std::string AddResultsFile(meet::Results& results, std::string_view bytes, std::string_view name) {
    if (sdif::IsSdif(bytes)) {
        return sdif::AddSdifResults(results, bytes, name);
    }
    // Lenex is XML, perhaps after a byte order mark or blanks, or a ZIP archive; a file that
    // begins with any other text is neither format.
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    const char c = first == std::string_view::npos ? '\0' : bytes[first];
    if (c == '\0' || (c != '<' && bytes.substr(first, 2) != "PK" && c > ' ' && c <= '~')) {
        return std::string(name) +
               ": neither a Lenex results file (XML) nor an SDIF one (its first line an A0 record)";
    }
    return meet::AddResults(results, bytes, name);
}

} // namespace et::formats
