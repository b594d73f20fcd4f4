#include "ui/qt/element_look.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include "ui/qt/twips.hpp"

namespace et::qt {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString uiText(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const std::string key(text);
    return QCoreApplication::translate("frmPlivarn", key.c_str());
}

QString withoutAccelerator(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" stands for a literal ampersand.
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        plain += caption[i];
    }
    return plain;
}

QString toDisplayText(std::string_view text) {
    QString shown = toQString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

std::string fromDisplayText(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return lines.toStdString();
}

QFont elementFont(const et::form::Font& font, double logicalDpi) {
    QFont qfont(toQString(kSansFamily));
    qfont.setStyleHint(QFont::SansSerif);
    qfont.setPixelSize(pointsToPixels(font.pointSize, logicalDpi));
    qfont.setBold(font.bold);
    qfont.setUnderline(font.underline);
    return qfont;
}

QColor elementColour(const et::form::Colour& colour) {
    switch (colour.kind) {
    case et::form::ColourKind::Rgb:
        return QColor(colour.red, colour.green, colour.blue);
    case et::form::ColourKind::SystemMenu:
        return QApplication::palette("QMenu").color(QPalette::Window);
    case et::form::ColourKind::Default:
        break;
    }
    return {};
}

void applyColours(QWidget& widget, const et::form::Element& element, QPalette::ColorRole background,
                  QPalette::ColorRole text) {
    const QColor back = elementColour(element.background);
    const QColor fore = elementColour(element.foreground);
    if (!back.isValid() && !fore.isValid()) {
        return;
    }
    QPalette palette = widget.palette();
    if (back.isValid()) {
        palette.setColor(background, back);
        widget.setAutoFillBackground(true);
    }
    if (fore.isValid()) {
        palette.setColor(text, fore);
    }
    widget.setPalette(palette);
}

QRect elementRect(const et::form::Twips& geometry, double logicalDpi) {
    return twipsToPixels(geometry.Left, geometry.Top, geometry.Width, geometry.Height, logicalDpi);
}

} // namespace et::qt
