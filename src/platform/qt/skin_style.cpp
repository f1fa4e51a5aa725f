#include "platform/qt/skin_style.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyleOption>
#include <QToolButton>
#include <QWidget>

#include <algorithm>

namespace platform::qt {
namespace {

struct SchemeColours {
  QColor frame, buttonBorder, arrow;
  // Push-button and arrow-button bodies, top to bottom, by state: pressed, hot, ticked,
  // focused or default, normal.
  QColor body[5][2];
};

const SchemeColours kSchemes[3] = {
    // 1: blue
    {QColor(123, 158, 189),
     QColor(0, 60, 115),
     QColor(123, 158, 189),
     {{QColor(176, 198, 228), QColor(232, 240, 250)},
      {QColor(255, 248, 222), QColor(255, 206, 120)},
      {QColor(210, 224, 244), QColor(168, 192, 230)},
      {QColor(255, 255, 255), QColor(178, 204, 242)},
      {QColor(255, 255, 255), QColor(204, 220, 242)}}},
    // 2: olive green
    {QColor(164, 185, 127),
     QColor(55, 98, 6),
     QColor(255, 255, 255),
     {{QColor(182, 196, 148), QColor(236, 241, 224)},
      {QColor(255, 248, 222), QColor(246, 200, 110)},
      {QColor(222, 232, 196), QColor(188, 204, 150)},
      {QColor(255, 255, 255), QColor(196, 214, 156)},
      {QColor(255, 255, 255), QColor(220, 229, 196)}}},
    // 3: silver
    {QColor(198, 197, 215),
     QColor(0, 60, 116),
     QColor(0, 0, 0),
     {{QColor(205, 202, 195), QColor(243, 241, 236)},
      {QColor(255, 255, 255), QColor(236, 221, 176)},
      {QColor(236, 235, 230), QColor(206, 203, 194)},
      {QColor(255, 255, 255), QColor(198, 210, 232)},
      {QColor(255, 255, 255), QColor(222, 219, 211)}}},
};

// The check box's and radio button's inside, top to bottom: pressed, hot, normal.
const QColor kIndicatorBody[3][2] = {{QColor(176, 176, 167), QColor(232, 231, 225)},
                                     {QColor(255, 240, 207), QColor(250, 208, 126)},
                                     {QColor(220, 220, 215), QColor(255, 255, 255)}};
const QColor kTick(33, 161, 33);

// A one-pixel frame whose four corner pixels are left out.
void TrimmedFrame(QPainter* painter, QRect rect, QColor colour, bool openRight = false) {
  painter->setPen(colour);
  painter->drawLine(rect.left() + 1, rect.top(), rect.right() - 1, rect.top());
  painter->drawLine(rect.left() + 1, rect.bottom(), rect.right() - 1, rect.bottom());
  painter->drawLine(rect.left(), rect.top() + 1, rect.left(), rect.bottom() - 1);
  if (!openRight) painter->drawLine(rect.right(), rect.top() + 1, rect.right(), rect.bottom() - 1);
}

void VerticalGradient(QPainter* painter, QRect rect, QColor top, QColor bottom) {
  QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter->fillRect(rect, gradient);
}

bool InUpDown(const QWidget* widget) {
  return widget && widget->parentWidget() &&
         widget->parentWidget()->inherits("platform::qt::UpDownControl");
}

}  // namespace

const QColor SkinStyle::kButtonFace(236, 233, 216);
const QColor SkinStyle::kDisabledBody(245, 244, 234);
const QColor SkinStyle::kDisabledText(165, 162, 148);
const QColor SkinStyle::kCheckBorder(24, 81, 132);
const QColor SkinStyle::kRadioRing(33, 85, 132);
const QColor SkinStyle::kGroupFrame(191, 184, 191);
const QColor SkinStyle::kAttachedUpDown(123, 158, 189);

QColor SkinStyle::Darker(QColor colour) {
  return QColor(std::max(colour.red() - 32, 0), std::max(colour.green() - 32, 0),
                std::max(colour.blue() - 32, 0));
}

SkinStyle::SkinStyle(int scheme) : scheme_(std::clamp(scheme, 1, 3)) {}

QColor SkinStyle::frameColour() const {
  return kSchemes[scheme_ - 1].frame;
}
QColor SkinStyle::buttonBorder() const {
  return kSchemes[scheme_ - 1].buttonBorder;
}
QColor SkinStyle::arrowColour() const {
  return kSchemes[scheme_ - 1].arrow;
}

SkinStyle::Pair SkinStyle::bodyOf(State state) const {
  const QColor* pair = kSchemes[scheme_ - 1].body[static_cast<int>(state)];
  return {pair[0], pair[1]};
}

// Push buttons keep their own look when they draw only a picture, or are flat.
bool SkinStyle::restyledButton(const QWidget* widget) const {
  const auto* button = qobject_cast<const QPushButton*>(widget);
  if (!button) return widget == nullptr;
  if (button->isFlat()) return false;
  return !(button->text().isEmpty() && !button->icon().isNull());
}

void SkinStyle::polish(QWidget* widget) {
  FormStyle::polish(widget);
  // Hot tracking: the look follows the mouse over buttons, boxes and arrows.
  if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)) {
    widget->setAttribute(Qt::WA_Hover, true);
  }
}

void SkinStyle::unpolish(QWidget* widget) {
  FormStyle::unpolish(widget);
}

int SkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
  switch (metric) {
    case PM_ButtonShiftHorizontal:
    case PM_ButtonShiftVertical:
      return 1;  // the text moves one pixel while pressed
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
      return 13;
    default:
      return FormStyle::pixelMetric(metric, option, widget);
  }
}

void SkinStyle::drawButton(QPainter* painter, QRect rect, State state, bool enabled) const {
  painter->fillRect(rect, kButtonFace);  // the outer frame
  const QRect border = rect.adjusted(1, 1, -1, -1);
  const QRect body = rect.adjusted(2, 2, -2, -2);
  if (!enabled) {
    painter->fillRect(body, kDisabledBody);
    TrimmedFrame(painter, border, Darker(kButtonFace));
    return;
  }
  const Pair pair = bodyOf(state);
  VerticalGradient(painter, body, pair.top, pair.bottom);
  TrimmedFrame(painter, border, buttonBorder());
}

void SkinStyle::drawArrowButton(QPainter* painter, QRect rect, Qt::ArrowType arrow, State state,
                                bool enabled) const {
  const Pair pair = enabled ? bodyOf(state) : Pair{kDisabledBody, kDisabledBody};
  VerticalGradient(painter, rect.adjusted(1, 1, -1, -1), pair.top, pair.bottom);
  TrimmedFrame(painter, rect, enabled ? frameColour() : Darker(kButtonFace));
  // The glyph: a small filled triangle.
  const QPoint centre = rect.center() + QPoint(1, 1);
  const int half = std::max(2, std::min(rect.width(), rect.height()) / 4);
  QPainterPath glyph;
  const int rise = arrow == Qt::UpArrow ? -1 : 1;
  glyph.moveTo(centre.x() - half, centre.y() - rise * half / 2);
  glyph.lineTo(centre.x() + half, centre.y() - rise * half / 2);
  glyph.lineTo(centre.x(), centre.y() + rise * (half + 1) / 2);
  glyph.closeSubpath();
  painter->save();
  painter->setPen(Qt::NoPen);
  painter->setBrush(enabled ? arrowColour() : kDisabledText);
  painter->drawPath(glyph);
  painter->restore();
}

void SkinStyle::drawEditFrame(QPainter* painter, QRect rect, const QPalette& palette, bool enabled,
                              bool readOnly, bool openRight) const {
  painter->save();
  painter->setPen(enabled ? frameColour() : Darker(kButtonFace));
  painter->setBrush(Qt::NoBrush);
  const QRect outer = rect.adjusted(0, 0, -1, -1);
  painter->drawLine(outer.topLeft(), outer.topRight());
  painter->drawLine(outer.bottomLeft(), outer.bottomRight());
  painter->drawLine(outer.topLeft(), outer.bottomLeft());
  if (!openRight) painter->drawLine(outer.topRight(), outer.bottomRight());
  const QRect inner = outer.adjusted(1, 1, -1, -1);
  painter->setPen(enabled && !readOnly ? palette.color(QPalette::Base) : kButtonFace);
  painter->drawLine(inner.topLeft(), inner.topRight());
  painter->drawLine(inner.bottomLeft(), inner.bottomRight());
  painter->drawLine(inner.topLeft(), inner.bottomLeft());
  if (!openRight) painter->drawLine(inner.topRight(), inner.bottomRight());
  painter->restore();
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
  const bool enabled = option->state & State_Enabled;
  switch (element) {
    case PE_PanelButtonCommand:
      if (!restyledButton(widget)) break;
      {
        State state = State::Normal;
        if (option->state & State_Sunken) {
          state = State::Pressed;
        } else if (option->state & State_MouseOver) {
          state = State::Hot;
        } else if (option->state & (State_On | State_NoChange)) {
          state = State::Ticked;
        } else if (option->state & State_HasFocus) {
          state = State::Focused;
        } else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
                   button && (button->features & QStyleOptionButton::DefaultButton)) {
          state = State::Focused;
        }
        drawButton(painter, option->rect, state, enabled);
      }
      return;
    case PE_FrameFocusRect: {
      painter->save();
      QPen dotted(Qt::black, 1, Qt::DotLine);
      painter->setPen(dotted);
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
      painter->restore();
      return;
    }
    case PE_IndicatorCheckBox: {
      const QRect box(option->rect.x(), option->rect.y() + (option->rect.height() - 13) / 2, 13,
                      13);
      const int row = option->state & State_Sunken ? 0 : option->state & State_MouseOver ? 1 : 2;
      if (enabled) {
        VerticalGradient(painter, box, kIndicatorBody[row][0], kIndicatorBody[row][1]);
      } else {
        painter->fillRect(box, Qt::white);
      }
      painter->save();
      painter->setPen(enabled ? kCheckBorder : Darker(kButtonFace));
      painter->drawRect(box.adjusted(0, 0, -1, -1));
      const QColor mark = enabled ? kTick : kDisabledText;
      if (option->state & State_NoChange) {
        painter->fillRect(box.adjusted(3, 3, -3, -3), mark);
      } else if (option->state & State_On) {
        painter->setPen(QPen(mark, 2));
        painter->drawPolyline(QPolygon({box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(5, 9),
                                        box.topLeft() + QPoint(10, 3)}));
      }
      painter->restore();
      return;
    }
    case PE_IndicatorRadioButton: {
      const QRect circle(option->rect.x(), option->rect.y() + (option->rect.height() - 13) / 2, 13,
                         13);
      const int row = option->state & State_Sunken ? 0 : option->state & State_MouseOver ? 1 : 2;
      painter->save();
      painter->setRenderHint(QPainter::Antialiasing, false);
      QLinearGradient gradient(circle.topLeft(), circle.bottomLeft());
      gradient.setColorAt(0, enabled ? kIndicatorBody[row][0] : Qt::white);
      gradient.setColorAt(1, enabled ? kIndicatorBody[row][1] : Qt::white);
      painter->setBrush(gradient);
      painter->setPen(enabled ? kRadioRing : Darker(kButtonFace));
      painter->drawEllipse(circle.adjusted(0, 0, -1, -1));
      if (option->state & State_On) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(enabled ? kTick : kDisabledText);
        painter->drawEllipse(circle.adjusted(4, 4, -4, -4));
      }
      painter->restore();
      return;
    }
    case PE_PanelLineEdit: {
      const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
      if (!frame || frame->lineWidth <= 0) break;  // an edit box without a frame keeps its look
      painter->fillRect(option->rect.adjusted(2, 2, -2, -2), option->palette.brush(QPalette::Base));
      drawEditFrame(painter, option->rect, option->palette, enabled, option->state & State_ReadOnly,
                    widget && widget->property("upDownAttached").toBool());
      return;
    }
    case PE_FrameLineEdit:
      drawEditFrame(painter, option->rect, option->palette, enabled, option->state & State_ReadOnly,
                    widget && widget->property("upDownAttached").toBool());
      return;
    case PE_Widget:
      if (widget && widget->inherits("platform::qt::UpDownControl")) {
        painter->fillRect(option->rect, frameColour());
        painter->setPen(enabled ? kAttachedUpDown : Darker(kButtonFace));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
      }
      break;
    case PE_FrameMenu:
    case PE_PanelMenu:
      // The drop-down list of a combo box.
      if (widget && widget->inherits("QComboBoxPrivateContainer")) {
        painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
        painter->setPen(frameColour());
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
      }
      break;
    default:
      break;
  }
  FormStyle::drawPrimitive(element, option, painter, widget);
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
  switch (element) {
    case CE_PushButtonBevel:
      if (!restyledButton(widget)) break;
      drawPrimitive(PE_PanelButtonCommand, option, painter, widget);
      return;
    case CE_PushButtonLabel:
      if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
          button && restyledButton(widget)) {
        QStyleOptionButton label = *button;
        const bool grey = !(option->state & State_Enabled) || (option->state & State_NoChange);
        label.palette.setColor(QPalette::ButtonText, grey ? kDisabledText : QColor(Qt::black));
        label.palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
        FormStyle::drawControl(element, &label, painter, widget);
        return;
      }
      break;
    default:
      break;
  }
  FormStyle::drawControl(element, option, painter, widget);
}

void SkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
  const bool enabled = option->state & State_Enabled;
  switch (control) {
    case CC_GroupBox: {
      const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
      if (!box) break;
      painter->save();
      const QRect label = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
      const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
      QRegion around(option->rect);
      if (!label.isEmpty()) around -= QRegion(label);
      painter->setClipRegion(around);
      TrimmedFrame(painter, frame.adjusted(0, 0, -1, -1), kGroupFrame);
      painter->setClipping(false);
      if (!label.isEmpty()) {
        painter->setPen(option->palette.color(QPalette::WindowText));
        painter->drawText(label, Qt::AlignCenter | Qt::TextSingleLine, box->text);
      }
      painter->restore();
      return;
    }
    case CC_ToolButton:
      if (const auto* tool = qstyleoption_cast<const QStyleOptionToolButton*>(option);
          tool && InUpDown(widget)) {
        State state = State::Normal;
        if (option->state & State_Sunken) {
          state = State::Pressed;
        } else if (option->state & State_MouseOver) {
          state = State::Hot;
        }
        drawArrowButton(painter, option->rect, tool->arrowType, state, enabled);
        return;
      }
      break;
    case CC_ComboBox:
      if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
        if (!combo->frame) break;
        painter->fillRect(option->rect.adjusted(2, 2, -2, -2),
                          option->palette.brush(QPalette::Base));
        drawEditFrame(painter, option->rect, option->palette, enabled, !combo->editable, false);
        const QRect arrow = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget)
                                .intersected(option->rect.adjusted(2, 2, -2, -2));
        State state = State::Normal;
        if (option->state & State_Sunken) {
          state = State::Pressed;
        } else if (option->state & State_MouseOver) {
          state = State::Hot;
        }
        drawArrowButton(painter, arrow, Qt::DownArrow, state, enabled);
        return;
      }
      break;
    default:
      break;
  }
  FormStyle::drawComplexControl(control, option, painter, widget);
}

}  // namespace platform::qt
