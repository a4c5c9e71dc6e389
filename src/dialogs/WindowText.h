// Conversion of model texts (Windows-1251 bytes) to and from Qt strings, used
// only where a text crosses into or out of a window, and the windows' font.
#pragma once

#include <QFont>
#include <QString>
#include <string>
#include <string_view>

#include "platform/Cp1251.h"

inline QString ToQString(std::string_view text) { return QString::fromStdString(Cp1251ToUtf8(text)); }
inline std::string FromQString(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

// The windows' font: Tahoma at a character height in pixels (Qt falls back to a system font).
inline QFont TahomaFont(int pixels) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}
