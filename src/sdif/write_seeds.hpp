#pragma once
// A converted copy of an SDIF entries file: the seed times of some swims (D0 89-96) and their
// course letters (97) written anew, and in a CL2 file those lines' checksums (159-160); every other
// byte as it was, line ends included. A short line that is edited is first padded with blanks to
// the columns written (160 in a CL2 file), the only bytes the copy adds.
//
// A file read from a .zip is written as its bare SDIF member (UnwrapSdif's bytes): the .hy3
// beside it in the archive would no longer agree with it, and a meet program imports the .cl2 or
// .sd3 on its own.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace et::sdif {

struct SeedEdit {
    std::size_t offset = 0; // where the D0 line begins in the bytes (Swim::offset)
    long hundredths = 0;    // the new seed time: above zero and under 100 minutes
    char course = ' ';      // the course letter it goes with: S, Y or L
};

struct WrittenCopy {
    std::string bytes;
    std::string error; // why nothing was written: an edit that names no D0 line, a time too long
};

// bytes are a bare SDIF file; edits may come in any order, one a line.
WrittenCopy WriteSeedTimes(std::string_view bytes, std::vector<SeedEdit> edits);

} // namespace et::sdif
