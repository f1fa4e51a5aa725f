#include "platform/qt/qt_convert.h"

#include <QApplication>

namespace platform::qt {

QFont ToQFont(const std::optional<Font>& font) {
  QFont result = QApplication::font();
  if (!font) return result;
  result.setFamily(ToQString(font->face));
  result.setPixelSize(font->pixelHeight);
  result.setBold(font->bold);
  result.setItalic(false);
  return result;
}

Qt::Alignment ToQtAlignment(Align align, bool wrap) {
  Qt::Alignment horizontal = align == Align::Centre  ? Qt::AlignHCenter
                             : align == Align::Right ? Qt::AlignRight
                                                     : Qt::AlignLeft;
  return horizontal | (wrap ? Qt::AlignTop : Qt::AlignVCenter);
}

}  // namespace platform::qt
