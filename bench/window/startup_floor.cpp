// The least a Qt Widgets program can do: open one empty window and quit after its first frame,
// exactly as the calculator does with EQUIVTIMES_QUIT_AFTER_FIRST_FRAME=1.
#include "ui/qt/first_frame.hpp"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(560, 424); // the calculator's size at 96 dots per inch
    et::qt::quitAfterFirstFrame(window);
    window.show();
    return QApplication::exec();
}
