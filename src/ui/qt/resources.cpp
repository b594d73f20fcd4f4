#include "ui/qt/resources.hpp"

#include <QFile>
#include <QString>

namespace et::qt {

QIcon applicationIcon() {
    QIcon icon;
    for (const auto* path :
         {":/icons/org.equivtimes.EquivTimes.svg", ":/icons/org.equivtimes.EquivTimes-32.png"}) {
        const QString file = QString::fromLatin1(path);
        if (QFile::exists(file)) {
            icon.addFile(file);
        }
    }
    return icon;
}

} // namespace et::qt
