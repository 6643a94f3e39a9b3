#pragma once
// Conversions between the model's values (UTF-8 texts, 0xRRGGBB colours,
// dd.mm.yyyy dates) and their Qt counterparts.

#include "ui/Control.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <string>

namespace vargis::qt {

inline QString toQ(const std::string& text) {
    return QString::fromStdString(text);
}

inline std::string fromQ(const QString& text) {
    return text.toStdString();
}

// Texts of the model break lines with CR LF; Qt widgets want a bare LF.
inline QString displayText(const std::string& text) {
    QString result = toQ(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

// Button, check box, tab and menu captions are shown literally: an ampersand
// must not turn into a keyboard mnemonic.
inline QString literalCaption(const std::string& text) {
    QString result = displayText(text);
    result.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return result;
}

inline bool isDefaultColor(ui::Color color) {
    return color == ui::colors::Default;
}

inline QColor toQColor(ui::Color color) {
    return QColor(static_cast<int>((color >> 16) & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>(color & 0xFF));
}

inline const QString& dateFormat() {
    static const QString format = QStringLiteral("dd.MM.yyyy");
    return format;
}

inline QDate toQDate(const std::string& text) {
    return QDate::fromString(toQ(text), dateFormat());
}

inline std::string fromQDate(QDate date) {
    return fromQ(date.toString(dateFormat()));
}

} // namespace vargis::qt
