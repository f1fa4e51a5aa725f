// The widgets that stand for the form kinds Qt has no exact match for.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

#include "platform/form.h"

namespace platform::qt {

// A label: its text drawn over its own background (solid, gradient, button face or none), in its
// own colour whether enabled or not. QLabel keeps the text for accessibility.
class FormLabel final : public QLabel {
  Q_OBJECT
 public:
  FormLabel(const ControlForm& form, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Fill fill_;
  QColor textColour_;
  Qt::Alignment alignment_;
  bool wrap_;
};

// A picture stretched smoothly to the box, over a solid background.
class PictureBox final : public QWidget {
  Q_OBJECT
 public:
  PictureBox(QPixmap picture, QColor background, bool framed, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  QColor background_;
  bool framed_;
};

// The two arrows of an up-down control; they auto-repeat while held and take no focus.
class UpDownControl final : public QWidget {
  Q_OBJECT
 public:
  UpDownControl(const QString& accessibleName, QWidget* parent);
  QToolButton* up() const { return up_; }
  QToolButton* down() const { return down_; }

 signals:
  void stepped(bool up);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;  // the style's background and outer frame

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace platform::qt
