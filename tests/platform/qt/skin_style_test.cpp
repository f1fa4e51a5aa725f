// The skinned look, checked by the pixels its controls draw.
#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_window.h"
#include "services/control_look.h"
#include "services/message_box.h"
#include "support/qt_test_main.h"

using platform::ControlKind;

namespace {

platform::WindowForm LookForm() {
  platform::WindowForm form{.name = "Look", .caption = "look", .width = 300, .height = 160};
  const platform::Fill black{platform::Fill::Kind::Solid, {{0, 0, 0}}};
  const platform::Fill white{platform::Fill::Kind::Solid, {{255, 255, 255}}};
  form.controls = {
      {.kind = ControlKind::Button, .name = "button", .place = {10, 10, 60, 24}, .text = "启动"},
      {.kind = ControlKind::Button,
       .name = "disabled",
       .place = {80, 10, 60, 24},
       .text = "口",
       .disabled = true},
      {.kind = ControlKind::Label,
       .name = "label",
       .place = {150, 10, 100, 20},
       .text = "标签",
       .textColour = platform::Rgb{255, 0, 0},
       .background = black},
      {.kind = ControlKind::GroupBox,
       .name = "group",
       .place = {10, 40, 280, 110},
       .text = "选项：",
       .textColour = platform::Rgb{255, 0, 0},
       .background = black},
      {.kind = ControlKind::CheckBox,
       .name = "check",
       .container = "group",
       .place = {10, 20, 80, 16},
       .text = "整点",
       .textColour = platform::Rgb{255, 255, 255}},
      {.kind = ControlKind::RadioButton,
       .name = "radio",
       .container = "group",
       .place = {100, 20, 80, 16},
       .text = "关机",
       .textColour = platform::Rgb{255, 255, 255},
       .ticked = true},
      {.kind = ControlKind::EditBox,
       .name = "edit",
       .container = "group",
       .place = {10, 50, 48, 32},
       .text = "00",
       .textColour = platform::Rgb{0, 0, 0},
       .background = white,
       .readOnly = true,
       .border = true,
       .spin = platform::Spin{0, 23}},
  };
  return form;
}

QColor Pixel(QWidget* widget, QPoint at) {
  return widget->grab().toImage().pixelColor(at);
}

// The top-left corner of the button's text: its first pixel far darker than the body.
QPoint TextCorner(const QImage& image) {
  QPoint corner(image.width(), image.height());
  for (int y = 3; y < image.height() - 3; ++y) {
    for (int x = 3; x < image.width() - 3; ++x) {
      if (qGray(image.pixel(x, y)) < 100) {
        corner.setX(std::min(corner.x(), x));
        corner.setY(std::min(corner.y(), y));
      }
    }
  }
  return corner;
}

bool Is(QColor colour, int r, int g, int b) {
  return colour.red() == r && colour.green() == g && colour.blue() == b;
}

}  // namespace

class SkinStyleTest : public QObject {
  Q_OBJECT
  platform::Window* window_ = nullptr;
  QWidget* root_ = nullptr;

  QWidget* child(const char* name) { return root_->findChild<QWidget*>(QString::fromUtf8(name)); }
  QWidget* upDown() {
    return child("edit")->parentWidget()->findChildren<QToolButton*>()[0]->parentWidget();
  }
  void look(int scheme) {
    services::SetControlLook(testing_support::Platform().controlLook(), scheme);
  }

 private slots:
  void initTestCase() {
    window_ = testing_support::Platform().windows().load(LookForm(), {}, nullptr);
    root_ = dynamic_cast<platform::qt::QtWindow*>(window_)->widget();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(root_));
  }
  void cleanupTestCase() {
    look(0);
    window_->requestClose();
  }

  void pushButtonBorderByScheme_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QColor>("border");
    QTest::newRow("scheme 1") << 1 << QColor(0, 60, 115);
    QTest::newRow("scheme 2") << 2 << QColor(55, 98, 6);
    QTest::newRow("scheme 3") << 3 << QColor(0, 60, 116);
  }
  void pushButtonBorderByScheme() {
    QFETCH(int, scheme);
    QFETCH(QColor, border);
    QCOMPARE(services::SetControlLook(testing_support::Platform().controlLook(), scheme), 1);
    QWidget* button = child("button");
    QCOMPARE(Pixel(button, {1, 12}), border);                 // the border, left edge
    QCOMPARE(Pixel(button, {1, 1}), QColor(236, 233, 216));   // a trimmed corner: face colour
    QCOMPARE(Pixel(button, {0, 12}), QColor(236, 233, 216));  // the outer frame
  }

  void aPressedButtonChangesBodyAndMovesItsText() {
    look(3);
    auto* button = qobject_cast<QPushButton*>(child("button"));
    const QImage normal = button->grab().toImage();
    button->setDown(true);
    const QImage pressed = button->grab().toImage();
    button->setDown(false);
    QVERIFY(normal.pixelColor(4, 4) != pressed.pixelColor(4, 4));
    QCOMPARE(pressed.pixelColor(1, 12), normal.pixelColor(1, 12));  // the same border
    QCOMPARE(TextCorner(pressed), TextCorner(normal) + QPoint(1, 1));
  }

  void theControlsOfSchemeThree() {
    look(3);
    QCOMPARE(Pixel(child("disabled"), {4, 4}), QColor(245, 244, 234));   // a disabled body
    QCOMPARE(Pixel(child("disabled"), {1, 12}), QColor(204, 201, 184));  // face darkened by 32

    auto* check = qobject_cast<QCheckBox*>(child("check"));
    QStyleOptionButton option;
    option.initFrom(check);
    const QRect box = check->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check);
    QCOMPARE(box.size(), QSize(13, 13));
    QCOMPARE(Pixel(check, box.topLeft() + QPoint(0, 6)), QColor(24, 81, 132));

    auto* radio = qobject_cast<QRadioButton*>(child("radio"));
    option.initFrom(radio);
    const QRect ring =
        radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
    QCOMPARE(Pixel(radio, ring.topLeft() + QPoint(0, 6)), QColor(33, 85, 132));

    QWidget* group = child("group");
    QCOMPARE(Pixel(group, {0, 40}), QColor(191, 184, 191));

    QWidget* edit = child("edit");
    QCOMPARE(Pixel(edit, {0, 16}), QColor(198, 197, 215));      // the outer edit frame
    QCOMPARE(Pixel(edit, {1, 16}), QColor(236, 233, 216));      // read-only: a face-coloured inside
    QVERIFY(!Is(Pixel(edit, {47, 16}), 198, 197, 215));         // the edge shared with the arrows
    QCOMPARE(Pixel(upDown(), {0, 16}), QColor(123, 158, 189));  // the up-down's outer frame
  }

  void labelsKeepTheirLookAndOffRestoresEverything() {
    look(0);
    const QImage plain = root_->grab().toImage();
    const QImage label = child("label")->grab().toImage();
    look(3);
    const QImage once = root_->grab().toImage();
    QVERIFY(once != plain);
    QCOMPARE(child("label")->grab().toImage(), label);
    look(3);  // on twice: restyled once
    QCOMPARE(root_->grab().toImage(), once);
    look(7);  // any other number: off
    QCOMPARE(root_->grab().toImage(), plain);
  }

  void messageBoxesAndTheFileDialogToo() {
    look(3);
    QColor boxButton;
    QTimer::singleShot(100, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      QAbstractButton* ok = box->buttons().front();
      boxButton = Pixel(ok, {1, ok->height() / 2});
      ok->click();
    });
    platform::qt::QtMessageBoxes boxes;
    services::ShowMessageBox(boxes, "x", services::kStyleInformation, "信息：");
    QCOMPARE(boxButton, QColor(0, 60, 116));

    QFileDialog dialog(nullptr);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QPushButton* open = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->isVisible() && !button->text().isEmpty()) open = button;
    }
    QVERIFY(open);
    QCOMPARE(Pixel(open, {1, open->height() / 2}), QColor(0, 60, 116));
    dialog.close();
  }
};

AUTOSHUTDOWN_QT_TEST_MAIN(SkinStyleTest)
#include "skin_style_test.moc"
