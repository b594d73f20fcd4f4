// A rule that reaches up into the club and a file format, as no rule may.
#include "check/rule.hpp"
#include "club/season.hpp"
#include "lenex/meet_file.hpp"
#include "model/events.hpp"
#include <pugixml.hpp>
