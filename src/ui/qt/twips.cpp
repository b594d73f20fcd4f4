#include "ui/qt/twips.hpp"

#include <algorithm>
#include <cmath>

namespace et::qt {

int twipsToPixels(double twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / kTwipsPerInch));
}

double pixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<double>(pixels) * kTwipsPerInch / logicalDpi;
}

QPoint twipsToPixels(double left, double top, double logicalDpi) {
    return {twipsToPixels(left, logicalDpi), twipsToPixels(top, logicalDpi)};
}

QSize twipsToPixels(QSizeF twips, double logicalDpi) {
    return {twipsToPixels(twips.width(), logicalDpi), twipsToPixels(twips.height(), logicalDpi)};
}

QRect twipsToPixels(double left, double top, double width, double height, double logicalDpi) {
    const int x0 = twipsToPixels(left, logicalDpi);
    const int y0 = twipsToPixels(top, logicalDpi);
    const int x1 = twipsToPixels(left + width, logicalDpi);
    const int y1 = twipsToPixels(top + height, logicalDpi);
    return {x0, y0, x1 - x0, y1 - y0};
}

int pointsToPixels(double points, double logicalDpi) {
    return std::max(1, static_cast<int>(std::lround(points * logicalDpi / kPointsPerInch)));
}

} // namespace et::qt
