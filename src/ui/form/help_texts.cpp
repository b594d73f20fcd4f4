#include "ui/form/help_texts.hpp"

namespace et::form {

std::string AboutText() {
    return {};
}
std::string VersionText() {
    return {};
}
std::string CopyrightText() {
    return {};
}
std::string GBPointsText() {
    return {};
}

} // namespace et::form
