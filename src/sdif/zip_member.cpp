#include "sdif/zip_member.hpp"

#include "sdif/sdif_file.hpp"

#include <array>
#include <memory>
#include <vector>
#include <zip.h>

namespace et::sdif {
namespace {

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

Archive Open(std::string_view bytes, std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    zip_t* archive =
        source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &zipError);
    if (archive == nullptr) {
        if (source != nullptr) {
            zip_source_free(source);
        }
        error = std::string("not a readable ZIP archive: ") + zip_error_strerror(&zipError);
    }
    zip_error_fini(&zipError);
    return Archive(archive);
}

bool EndsWith(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) {
        return false;
    }
    const std::string_view tail = name.substr(name.size() - ending.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] + 32) : tail[i];
        if (c != ending[i]) {
            return false;
        }
    }
    return true;
}

// The SDIF members' indexes of the kind read: the .cl2 ones, or the .sd3 ones if there is no
// .cl2. Every member's name goes to names.
std::vector<zip_uint64_t> SdifMembers(zip_t* archive, std::vector<std::string>& names) {
    std::vector<zip_uint64_t> cl2;
    std::vector<zip_uint64_t> sd3;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* name = zip_get_name(archive, index, 0);
        if (name == nullptr) {
            continue;
        }
        names.emplace_back(name);
        if (EndsWith(name, ".cl2")) {
            cl2.push_back(index);
        } else if (EndsWith(name, ".sd3")) {
            sd3.push_back(index);
        }
    }
    return cl2.empty() ? sd3 : cl2;
}

std::string Inflate(zip_t* archive, zip_uint64_t index, std::string& bytes) {
    const std::string tooLarge =
        "its SDIF file inflates to more than " + std::to_string(kLargestSdifFile >> 20) + " MiB";
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) != 0) {
        return zip_strerror(archive);
    }
    if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > kLargestSdifFile) {
        return tooLarge;
    }
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, index, 0));
    if (!file) {
        return zip_strerror(archive);
    }
    // The size in the archive's directory may lie: the inflated bytes are counted as they come.
    bytes.clear();
    std::array<char, 1 << 16> chunk{};
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), chunk.data(), chunk.size());
        if (got < 0) {
            return zip_file_strerror(file.get());
        }
        if (got == 0) {
            return {};
        }
        if (bytes.size() + static_cast<std::size_t>(got) > kLargestSdifFile) {
            return tooLarge;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

} // namespace

bool IsSdifName(std::string_view name) {
    return EndsWith(name, ".cl2") || EndsWith(name, ".sd3");
}

std::string InflateSdifMember(std::string_view zip, std::string& bytes, std::string& member) {
    std::string error;
    const Archive archive = Open(zip, error);
    if (!archive) {
        return error;
    }
    std::vector<std::string> names;
    const std::vector<zip_uint64_t> members = SdifMembers(archive.get(), names);
    if (members.empty()) {
        std::string message = "the ZIP archive holds no SDIF file (.cl2 or .sd3)";
        if (!names.empty()) {
            message += "; it holds ";
            for (std::size_t i = 0; i < names.size() && i < 5; ++i) {
                message += (i == 0 ? "" : ", ") + names[i];
            }
            message += names.size() > 5 ? ", ..." : "";
        }
        return message;
    }
    if (members.size() > 1) {
        std::string message =
            "the ZIP archive holds " + std::to_string(members.size()) + " SDIF files (";
        for (std::size_t i = 0; i < members.size(); ++i) {
            message +=
                (i == 0 ? "" : ", ") + std::string(zip_get_name(archive.get(), members[i], 0));
        }
        return message + "); it must hold one";
    }
    member = zip_get_name(archive.get(), members.front(), 0);
    return Inflate(archive.get(), members.front(), bytes);
}

bool ZipHoldsSdif(std::string_view zip) {
    std::string error;
    const Archive archive = Open(zip, error);
    std::vector<std::string> names;
    return archive && !SdifMembers(archive.get(), names).empty();
}

} // namespace et::sdif
