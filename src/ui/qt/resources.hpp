#pragma once
// Images compiled into the program.

#include <QIcon>

namespace et::qt {

// The program's icon (the scalable drawing and its 32-pixel rendering); a null icon if the
// resources were not built in, so the window falls back to the desktop's default.
QIcon applicationIcon();

} // namespace et::qt
