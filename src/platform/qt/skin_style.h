// The skinned look: gradient bodies by state and trimmed corners for push buttons, a boxed
// check, a ringed radio, thin group frames, edit, combo and list frames and up-down arrows, in
// one of three colour schemes. Everything else keeps the base look (FormStyle): labels,
// pictures, list and tree views, scroll bars and the rest.
#pragma once

#include <QColor>

#include "platform/qt/form_style.h"

namespace platform::qt {

class SkinStyle final : public FormStyle {
 public:
  explicit SkinStyle(int scheme);

  void polish(QWidget* widget) override;
  void unpolish(QWidget* widget) override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;

  // The colours of the look (red, green, blue).
  static const QColor kButtonFace;      // the face colour around buttons
  static const QColor kDisabledBody;    // a disabled push button's body
  static const QColor kDisabledText;    // the text of a disabled or indeterminate button
  static const QColor kCheckBorder;     // every scheme
  static const QColor kRadioRing;       // every scheme
  static const QColor kGroupFrame;      // every scheme
  static const QColor kAttachedUpDown;  // the outer frame of an up-down beside its edit box
  static QColor Darker(QColor colour);  // by 32 in each channel: the disabled frames

  QColor frameColour() const;   // edit, combo and list frames
  QColor buttonBorder() const;  // push buttons
  QColor arrowColour() const;   // up-down and combo arrows

 private:
  struct Pair {
    QColor top, bottom;
  };
  enum class State { Pressed, Hot, Ticked, Focused, Normal };

  Pair bodyOf(State state) const;
  void drawButton(QPainter* painter, QRect rect, State state, bool enabled) const;
  void drawArrowButton(QPainter* painter, QRect rect, Qt::ArrowType arrow, State state,
                       bool enabled) const;
  void drawEditFrame(QPainter* painter, QRect rect, const QPalette& palette, bool enabled,
                     bool readOnly, bool openRight) const;
  bool restyledButton(const QWidget* widget) const;

  int scheme_;
};

}  // namespace platform::qt
