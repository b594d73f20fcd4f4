// One file format reading another's.
#include "lenex/meet_file.hpp"
#include "club/season.hpp"
