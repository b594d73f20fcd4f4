#pragma once
// A ZIP archive made in memory from named members, as meet programs send their files.

#include <string>
#include <utility>
#include <vector>
#include <zip.h>

namespace et::test {

inline std::string Zip(const std::vector<std::pair<std::string, std::string>>& members) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    zip_source_keep(target);
    for (const auto& [name, bytes] : members) {
        zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        zip_file_add(archive, name.c_str(), data, 0);
    }
    zip_close(archive);
    zip_stat_t stat;
    zip_source_stat(target, &stat);
    std::string out(stat.size, '\0');
    zip_source_open(target);
    zip_source_read(target, out.data(), out.size());
    zip_source_close(target);
    zip_source_free(target);
    zip_error_fini(&error);
    return out;
}

} // namespace et::test
