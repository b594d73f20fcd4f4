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
    return meet::AddResults(results, bytes, name);
}

} // namespace et::formats
