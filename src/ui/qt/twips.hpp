#pragma once
// Twips (1/1440 inch) to device-independent pixels at a screen's logical DPI. The window's
// geometry and font sizes are given in twips and points, so the same table lays the window out at
// 96 DPI and at any higher logical DPI; Qt's own scale factor multiplies on top of that.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace et::qt {

inline constexpr double kTwipsPerInch = 1440.0;
inline constexpr double kPointsPerInch = 72.0;

// Rounds to the nearest pixel, halves away from zero, so that adjacent elements placed on the
// same twip grid stay adjacent.
int twipsToPixels(double twips, double logicalDpi);
double pixelsToTwips(int pixels, double logicalDpi);

QPoint twipsToPixels(double left, double top, double logicalDpi);
QSize twipsToPixels(QSizeF twips, double logicalDpi);
// Left, top, width and height in twips. The right and bottom edges are rounded as edges, not the
// width and height as lengths, so neighbours never overlap or gap by a rounding pixel.
QRect twipsToPixels(double left, double top, double width, double height, double logicalDpi);

// A font size in points at the same DPI as the geometry, as a whole pixel size (at least 1).
int pointsToPixels(double points, double logicalDpi);

} // namespace et::qt
