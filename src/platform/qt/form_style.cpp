#include "platform/qt/form_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QWidget>

namespace platform::qt {
namespace {

constexpr int kCaptionIndent = 8;   // from the box's left edge to the caption
constexpr int kCaptionPadding = 2;  // frame gap on each side of the caption

QFontMetrics CaptionMetrics(const QStyleOption* option, const QWidget* widget) {
  return widget ? widget->fontMetrics() : option->fontMetrics;
}

}  // namespace

FormStyle::FormStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

QRect FormStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl subControl, const QWidget* widget) const {
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || !box) {
    return QProxyStyle::subControlRect(control, option, subControl, widget);
  }
  const QFontMetrics metrics = CaptionMetrics(option, widget);
  const int captionHeight = metrics.height();
  const QRect all = option->rect;
  switch (subControl) {
    case SC_GroupBoxFrame:
      return all.adjusted(0, captionHeight / 2, 0, 0);
    case SC_GroupBoxLabel: {
      if (box->text.isEmpty()) return {};
      const int width = metrics.horizontalAdvance(box->text) + 2 * kCaptionPadding;
      int x = all.left() + kCaptionIndent;
      if (box->textAlignment & Qt::AlignHCenter) x = all.center().x() - width / 2;
      if (box->textAlignment & Qt::AlignRight) x = all.right() - kCaptionIndent - width;
      return QRect(x, all.top(), width, captionHeight);
    }
    case SC_GroupBoxContents:
      return all.adjusted(2, captionHeight, -2, -2);
    default:
      return {};
  }
}

void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
  const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || !box) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  painter->save();
  const QRect label = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
  const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
  QRegion around(option->rect);
  if (!label.isEmpty()) around -= QRegion(label);
  painter->setClipRegion(around);
  // Etched: a shadow line with a light line one pixel below and to the right.
  painter->setPen(QColor(128, 128, 128));
  painter->drawRect(frame.adjusted(0, 0, -2, -2));
  painter->setPen(QColor(255, 255, 255));
  painter->drawRect(frame.adjusted(1, 1, -1, -1));
  painter->setClipping(false);
  if (!label.isEmpty()) {
    painter->setPen(option->palette.color(QPalette::WindowText));
    painter->drawText(label, Qt::AlignCenter | Qt::TextSingleLine, box->text);
  }
  painter->restore();
}

}  // namespace platform::qt
