#pragma once
// Ends the program as soon as a window has painted its first frame: the start-up measurements
// time the whole road from exec() to pixels on the screen without a human closing the window.

class QWidget;

namespace et::qt {

// Quits the application (QCoreApplication::quit, queued) right after the first paint of window.
void quitAfterFirstFrame(QWidget& window);

} // namespace et::qt
