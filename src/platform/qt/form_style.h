// The base look of the form widgets: Fusion, with group boxes drawn as a window system draws
// them (a thin etched frame with the caption cut into its top edge, in the box's own font and
// text colour).
#pragma once

#include <QProxyStyle>

namespace platform::qt {

class FormStyle : public QProxyStyle {
 public:
  FormStyle();

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                       SubControl subControl, const QWidget* widget) const override;
};

}  // namespace platform::qt
