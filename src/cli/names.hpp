#pragma once
// Pools and events as people type them on a command line or in a spreadsheet column; the core
// reads them, so that a meet's qualifying times in a spreadsheet take the same names.

#include "convert/names.hpp" // IWYU pragma: export

namespace et::cli {

using et::EqualsIgnoringCase;
using et::EventName;
using et::ParseEvent;
using et::ParsePool;
using et::TrimBlanks;
using et::UnknownEventMessage;
using et::UnknownPoolMessage;

} // namespace et::cli
