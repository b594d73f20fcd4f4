#include "ui/form/elements.hpp"

namespace et::form {
namespace {

// The help button's corner is where the menu drops down; the handler reads it from this table.
static_assert(FindElement(kMainWindowElements, "cmdHelp")->geometry.Left == 7320);
static_assert(FindElement(kMainWindowElements, "optPoolLen", 3)->caption == "50 metres");
static_assert(FindElement(kMainWindowElements, "optPoolLen", 3)->geometry.Top == 240);
static_assert(FindElement(kMainWindowElements, "lblStroke", 5)->caption == "I.M.");
static_assert(!FindElement(kMainWindowElements, "optEvent", 18).has_value());

} // namespace
} // namespace et::form
