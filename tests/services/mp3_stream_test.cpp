// Decoding and the acceptance rule, on the fixtures made by fixtures/make_fixtures.sh.
#include <QTest>

#include <string>
#include <vector>

#include "services/mp3_stream.h"

using services::Mp3Stream;
using services::PcmFormat;

namespace {

std::string Fixture(const char* name) {
  return std::string(AUTOSHUTDOWN_FIXTURES "/") + name;
}

struct Decoded {
  bool opened = false;
  Mp3Stream::Status end = Mp3Stream::Status::End;
  std::vector<PcmFormat> formats;  // of every chunk
  std::vector<std::int16_t> samples;
};

Decoded DecodeAll(const std::string& path) {
  Decoded decoded;
  auto stream = Mp3Stream::open(path);
  if (!stream) return decoded;
  decoded.opened = true;
  PcmFormat format;
  std::vector<std::int16_t> samples;
  for (;;) {
    const Mp3Stream::Status status = stream->next(format, samples);
    if (status != Mp3Stream::Status::Pcm) {
      decoded.end = status;
      return decoded;
    }
    decoded.formats.push_back(format);
    decoded.samples.insert(decoded.samples.end(), samples.begin(), samples.end());
  }
}

}  // namespace

class Mp3StreamTest : public QObject {
  Q_OBJECT
 private slots:
  void playsEveryLayerIIAndIIIStreamInFull_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("samplesPerFrame");
    QTest::newRow("MPEG-1 Layer III 44.1 kHz stereo")
        << "mpeg1_l3_44k_stereo.mp3" << 44100 << 2 << 40 << 1152;
    QTest::newRow("MPEG-2 Layer III 22.05 kHz mono")
        << "mpeg2_l3_22k_mono.mp3" << 22050 << 1 << 41 << 576;
    QTest::newRow("MPEG-2.5 Layer III 8 kHz mono")
        << "mpeg25_l3_8k_mono.mp3" << 8000 << 1 << 16 << 576;
    QTest::newRow("MPEG-1 Layer II 48 kHz stereo")
        << "mpeg1_l2_48k_stereo.mp3" << 48000 << 2 << 42 << 1152;
  }
  void playsEveryLayerIIAndIIIStreamInFull() {
    QFETCH(QString, file);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, frames);
    QFETCH(int, samplesPerFrame);
    const Decoded decoded = DecodeAll(Fixture(file.toUtf8().constData()));
    QVERIFY(decoded.opened);
    QCOMPARE(decoded.end, Mp3Stream::Status::End);
    for (const PcmFormat& format : decoded.formats) {
      QCOMPARE(format.rate, rate);
      QCOMPARE(format.channels, channels);
    }
    QCOMPARE(decoded.samples.size(), std::size_t(frames * samplesPerFrame * channels));
    // Sound, not silence.
    QVERIFY(*std::max_element(decoded.samples.begin(), decoded.samples.end()) > 3000);
  }

  void tagsAreNotPlayed() {
    const Decoded plain = DecodeAll(Fixture("mpeg1_l3_44k_stereo.mp3"));
    for (const char* tagged : {"id3v2_small.mp3", "id3v2_large.mp3", "trailing_tag.mp3"}) {
      const Decoded decoded = DecodeAll(Fixture(tagged));
      QVERIFY2(decoded.samples == plain.samples, tagged);
      QCOMPARE(decoded.end, Mp3Stream::Status::End);
    }
  }

  void damagedAndTruncatedFilesGoOn() {
    const Decoded plain = DecodeAll(Fixture("mpeg1_l3_44k_stereo.mp3"));
    const Decoded damaged = DecodeAll(Fixture("damaged_middle.mp3"));
    QCOMPARE(damaged.end, Mp3Stream::Status::End);
    // The frames around the damage are lost; the garbage met on the way is never heard.
    QVERIFY(damaged.samples.size() >= plain.samples.size() * 8 / 10);
    QVERIFY(damaged.samples.size() < plain.samples.size());
    for (const PcmFormat& format : damaged.formats)
      QCOMPARE(format, (PcmFormat{44100, 2}));
    // After the damage the stream plays on to its end.
    QVERIFY(
        std::equal(plain.samples.end() - 4608, plain.samples.end(), damaged.samples.end() - 4608));

    const Decoded truncated = DecodeAll(Fixture("truncated.mp3"));
    QCOMPARE(truncated.end, Mp3Stream::Status::End);
    QVERIFY(truncated.samples.size() >= plain.samples.size() * 6 / 10);
    QVERIFY(std::equal(truncated.samples.begin(), truncated.samples.end() - 2304,
                       plain.samples.begin()));
  }

  void theChannelCountMayChange() {
    const Decoded decoded = DecodeAll(Fixture("channels_change.mp3"));
    QCOMPARE(decoded.end, Mp3Stream::Status::End);
    QCOMPARE(decoded.formats.front(), (PcmFormat{44100, 2}));
    QCOMPARE(decoded.formats.back(), (PcmFormat{44100, 1}));
    QCOMPARE(decoded.samples.size(), std::size_t{40 * 2304 + 21 * 1152});
  }

  void noiseIsNeverHeard_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("Layer I") << "layer1.mp3";
    QTest::newRow("text") << "text.mp3";
    QTest::newRow("random bytes") << "random.mp3";
    QTest::newRow("empty") << "empty.mp3";
  }
  void noiseIsNeverHeard() {
    QFETCH(QString, file);
    const Decoded decoded = DecodeAll(Fixture(file.toUtf8().constData()));
    QVERIFY(decoded.opened);
    QCOMPARE(decoded.samples.size(), std::size_t{0});
    QCOMPARE(decoded.end, Mp3Stream::Status::NoStream);
  }

  void unreadableFilesDoNotOpen() {
    QVERIFY(!Mp3Stream::open(Fixture("no-such-file.mp3")));
    QVERIFY(!Mp3Stream::open(""));
    QVERIFY(!Mp3Stream::open(AUTOSHUTDOWN_FIXTURES));  // a folder
    QVERIFY(!Mp3Stream::open("/dev/zero"));            // a device that never ends
  }
};

QTEST_APPLESS_MAIN(Mp3StreamTest)
#include "mp3_stream_test.moc"
