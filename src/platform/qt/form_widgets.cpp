#include "platform/qt/form_widgets.h"

#include <qdrawutil.h>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "platform/qt/qt_convert.h"

namespace platform::qt {

FormLabel::FormLabel(const ControlForm& form, QWidget* parent)
    : QLabel(parent),
      fill_(form.background),
      textColour_(ToQColor(form.textColour.value_or(Rgb{0, 0, 0}))),
      alignment_(ToQtAlignment(form.align, form.wrap)),
      wrap_(form.wrap) {
  setTextFormat(Qt::PlainText);
  setAlignment(alignment_);
  setWordWrap(wrap_);
  // A label with a background of its own covers what lies behind it: nothing behind needs to be
  // drawn again when its text changes.
  setAttribute(Qt::WA_OpaquePaintEvent, fill_.kind != Fill::Kind::None);
}

void FormLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  switch (fill_.kind) {
    case Fill::Kind::None:
      break;
    case Fill::Kind::Solid:
      painter.fillRect(rect(), ToQColor(fill_.colours.at(0)));
      break;
    case Fill::Kind::ButtonFace:
      painter.fillRect(rect(), palette().color(QPalette::Button));
      break;
    case Fill::Kind::Gradient: {
      QLinearGradient gradient(0, 0, width(), 0);
      const auto count = static_cast<double>(fill_.colours.size());
      for (std::size_t i = 0; i < fill_.colours.size(); ++i) {
        gradient.setColorAt(count > 1 ? static_cast<double>(i) / (count - 1) : 0,
                            ToQColor(fill_.colours[i]));
      }
      painter.fillRect(rect(), gradient);
      break;
    }
  }
  painter.setPen(textColour_);
  painter.setFont(font());
  int flags = static_cast<int>(alignment_) | (wrap_ ? Qt::TextWordWrap : Qt::TextSingleLine);
  painter.drawText(rect(), flags, text());
}

PictureBox::PictureBox(QPixmap picture, QColor background, bool framed, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)), background_(background), framed_(framed) {}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  QRect inside = rect();
  if (framed_) {
    // A sunken edge inside a raised frame, two pixels each.
    qDrawShadePanel(&painter, rect(), palette(), false, 2);
    inside = rect().adjusted(2, 2, -2, -2);
    qDrawShadePanel(&painter, inside, palette(), true, 2);
    inside = inside.adjusted(2, 2, -2, -2);
  }
  if (!picture_.isNull()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(inside, picture_);
  }
}

UpDownControl::UpDownControl(const QString& accessibleName, QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  setAccessibleName(accessibleName);
  const struct {
    QToolButton* button;
    Qt::ArrowType arrow;
    const char* name;
  } arrows[] = {{up_, Qt::UpArrow, "增加"}, {down_, Qt::DownArrow, "减少"}};
  for (const auto& arrow : arrows) {
    arrow.button->setArrowType(arrow.arrow);
    arrow.button->setAutoRepeat(true);
    arrow.button->setFocusPolicy(Qt::NoFocus);
    arrow.button->setAccessibleName(accessibleName + QString::fromUtf8(arrow.name));
  }
  connect(up_, &QToolButton::clicked, this, [this] { emit stepped(true); });
  connect(down_, &QToolButton::clicked, this, [this] { emit stepped(false); });
}

// The arrows sit inside a one-pixel frame of the control's own.
void UpDownControl::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(1, 1, width() - 2, half - 1);
  down_->setGeometry(1, half, width() - 2, height() - half - 1);
}

void UpDownControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

}  // namespace platform::qt
