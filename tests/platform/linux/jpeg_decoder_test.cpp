#include <QTest>

#include <string>
#include <vector>

#include "platform/image.h"
#include "resources/resources.h"

namespace {

struct Rgb {
  int r, g, b;
};

Rgb At(const platform::Image& image, int x, int y) {
  const auto* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
  return {p[0], p[1], p[2]};
}

bool Near(Rgb a, Rgb b, int tolerance = 30) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

}  // namespace

class JpegDecoderTest : public QObject {
  Q_OBJECT
 private slots:
  void decodesTheHelpPicture() {
    const auto picture = platform::DecodeJpeg(resources::HelpPicture());
    QVERIFY(picture);
    QCOMPARE(picture->width, 670);
    QCOMPARE(picture->height, 502);
    QVERIFY(Near(At(*picture, 5, 5), {20, 40, 110}));        // the sky at the top
    QVERIFY(Near(At(*picture, 300, 150), {240, 245, 250}));  // the clock face
    QVERIFY(Near(At(*picture, 470, 300), {215, 25, 25}));    // the power sign
    QVERIFY(Near(At(*picture, 10, 490), {10, 30, 20}, 40));  // the hills at the bottom
    QCOMPARE(int(picture->rgba[3]), 255);                    // opaque
  }

  void brokenDataGivesNothing() {
    const auto whole = resources::HelpPicture();
    const std::vector<unsigned char> truncated(whole.begin(), whole.begin() + whole.size() / 2);
    QVERIFY(!platform::DecodeJpeg(truncated));
    const std::string text = "这不是图片 not a picture";
    const std::vector<unsigned char> notJpeg(text.begin(), text.end());
    QVERIFY(!platform::DecodeJpeg(notJpeg));
    QVERIFY(!platform::DecodeJpeg({}));
    std::vector<unsigned char> damaged(whole.begin(), whole.end());
    for (std::size_t i = 600; i < 900; ++i)
      damaged[i] = 0xFF;            // inside the tables
    platform::DecodeJpeg(damaged);  // whatever it gives, it returns
  }

  void picturesByTheirSignature() {
    const auto icon = platform::DecodePicture(resources::ProgramIcon());
    QVERIFY(icon);
    QCOMPARE(icon->width, 32);
    const auto help = platform::DecodePicture(resources::HelpPicture());
    QVERIFY(help);
    QCOMPARE(help->width, 670);
  }
};

QTEST_APPLESS_MAIN(JpegDecoderTest)
#include "jpeg_decoder_test.moc"
