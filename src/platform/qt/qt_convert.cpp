#include "platform/qt/qt_convert.h"

#include <QApplication>
#include <QFontInfo>

namespace platform::qt {

QFont ToQFont(const std::optional<Font>& font) {
  if (!font) return QApplication::font();
  return SizedFont(ToQString(font->face), font->pixelHeight, font->bold);
}

QFont SizedFont(const QString& face, int pixels, bool bold) {
  QFont font(face);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(false);
  // Song faces carry hand-tuned bitmaps for small sizes, and a Chinese desktop draws 宋体 from
  // them, unsmoothed, up to 16 pixels. Smoothing would draw the outlines instead.
  const QString resolved = QFontInfo(font).family();
  const bool song =
      resolved.contains(QStringLiteral("UMing")) || resolved.contains(QStringLiteral("SimSun"));
  if (song && pixels <= kLargestBitmapPixels) font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

Qt::Alignment ToQtAlignment(Align align, bool wrap) {
  Qt::Alignment horizontal = align == Align::Centre  ? Qt::AlignHCenter
                             : align == Align::Right ? Qt::AlignRight
                                                     : Qt::AlignLeft;
  return horizontal | (wrap ? Qt::AlignTop : Qt::AlignVCenter);
}

}  // namespace platform::qt
