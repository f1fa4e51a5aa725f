// Conversions between the program's plain types and Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

#include "platform/form.h"

namespace platform::qt {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToStdString(const QString& text) {
  return text.toUtf8().toStdString();
}

inline QColor ToQColor(Rgb colour) {
  return QColor(colour.r, colour.g, colour.b);
}

inline QRect ToQRect(Rect place) {
  return QRect(place.x, place.y, place.width, place.height);
}

// The font of a control: the application's default GUI font, or face, pixel height and weight.
QFont ToQFont(const std::optional<Font>& font);

// A face at a pixel height, drawn from the face's own bitmaps where it has them for that size.
QFont SizedFont(const QString& face, int pixels, bool bold);
inline constexpr int kLargestBitmapPixels = 16;

Qt::Alignment ToQtAlignment(Align align, bool wrap);

}  // namespace platform::qt
