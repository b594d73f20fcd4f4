#include "ui/qt/resources.hpp"

#include <QFile>
#include <QString>

namespace et::qt {

QIcon applicationIcon() {
    QIcon icon;
    // The bitmap, not the SVG: drawing the SVG would load the SVG plugin at every start for an
    // icon the window manager shows at 32 pixels anyway.
    const QString file = QStringLiteral(":/icons/org.equivtimes.EquivTimes-32.png");
    if (QFile::exists(file)) {
        icon.addFile(file);
    }
    return icon;
}

} // namespace et::qt
