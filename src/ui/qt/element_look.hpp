#pragma once
// How an element of the form's tables looks in Qt: texts, fonts, colours and geometry.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

#include "ui/form/elements.hpp"

class QWidget;

namespace et::qt {

// The form's texts are UTF-8.
QString toQString(std::string_view text);
// A caption or title of the window, through the translations of the "frmPlivarn" context.
QString uiText(std::string_view text);
// A caption as a screen reader reads it: the accelerator mark removed ("&Done" -> "Done").
QString withoutAccelerator(const QString& caption);

// Line breaks of the form's texts are CR LF; Qt's text widgets and message boxes want LF.
QString toDisplayText(std::string_view text);
std::string fromDisplayText(const QString& text);

// The family that stands in for the element fonts on a Debian desktop: Liberation Sans is
// metric-compatible with Arial and close to MS Sans Serif.
inline constexpr std::string_view kSansFamily = "Liberation Sans";

// The element's font at the given logical DPI, sized in pixels like the geometry.
QFont elementFont(const et::form::Font& font, double logicalDpi);
// A colour of the tables; Default gives an invalid QColor (keep the style's colour).
QColor elementColour(const et::form::Colour& colour);
// Paints the background and text colours of an element into the widget's palette roles.
void applyColours(QWidget& widget, const et::form::Element& element, QPalette::ColorRole background,
                  QPalette::ColorRole text);

QRect elementRect(const et::form::Twips& geometry, double logicalDpi);

} // namespace et::qt
