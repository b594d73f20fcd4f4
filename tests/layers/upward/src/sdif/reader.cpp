// One file format reading another's.
#include "club/season.hpp"
#include "lenex/meet_file.hpp"
