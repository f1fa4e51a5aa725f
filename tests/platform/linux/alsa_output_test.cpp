// The player through real ALSA, on devices of the test's own: a file plugin that captures what
// would be heard, a device that does not exist, and a device paced like real playback. The
// machine's sound card is never used: every test points ALSA_CONFIG_PATH at its own file.
#include <QTest>

#include <alsa/asoundlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/alsa_output.h"
#include "services/mp3_stream.h"
#include "services/player.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::string Fixture(const char* name) {
  return std::string(AUTOSHUTDOWN_FIXTURES "/") + name;
}

std::vector<std::int16_t> Pcm(const std::string& path) {
  auto stream = services::Mp3Stream::open(path);
  std::vector<std::int16_t> all;
  services::PcmFormat format;
  std::vector<std::int16_t> samples;
  while (stream && stream->next(format, samples) == services::Mp3Stream::Status::Pcm) {
    all.insert(all.end(), samples.begin(), samples.end());
  }
  return all;
}

std::vector<std::int16_t> ReadSamples(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

std::uintmax_t SizeOf(const fs::path& file) {
  std::error_code error;
  const auto size = fs::file_size(file, error);
  return error ? 0 : size;
}

std::vector<std::uint64_t> ReadTimes(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::uint64_t> times;
  for (std::uint64_t t; in >> t;)
    times.push_back(t);
  return times;
}

}  // namespace

class AlsaOutputTest : public QObject {
  Q_OBJECT
  fs::path folder_;
  platform::os::AlsaOutput output_;

  // Points ALSA at a configuration of the test's own and makes it read it afresh.
  void useConfiguration(const std::string& text) {
    const fs::path file = folder_ / "asound.conf";
    std::ofstream(file) << text;
    setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + file.string()).c_str(), 1);
    snd_config_update_free_global();
  }

 private slots:
  void initTestCase() {
    folder_ = fs::temp_directory_path() / ("autoshutdown-alsa-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void cleanupTestCase() { fs::remove_all(folder_); }

  void capturedSoundIsTheDecodedPcm_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("capture");
    QTest::newRow("MPEG-1 Layer III stereo") << "mpeg1_l3_44k_stereo.mp3"
                                             << "out_44100_2_16.raw";
    QTest::newRow("MPEG-2 Layer III mono 22.05 kHz") << "mpeg2_l3_22k_mono.mp3"
                                                     << "out_22050_1_16.raw";
    QTest::newRow("Layer II 48 kHz") << "mpeg1_l2_48k_stereo.mp3"
                                     << "out_48000_2_16.raw";
  }
  void capturedSoundIsTheDecodedPcm() {
    QFETCH(QString, file);
    QFETCH(QString, capture);
    // The file plugin names its output by rate, channels and bits: the name shows the format.
    useConfiguration("pcm.!default { type file slave.pcm \"null\" file \"" + folder_.string() +
                     "/out_%r_%c_%b.raw\" format \"raw\" }\n");
    const std::string path = Fixture(file.toUtf8().constData());
    const auto expected = Pcm(path);
    const fs::path captured = folder_ / capture.toStdString();
    fs::remove(captured);
    services::PlayerSlot slot(output_);
    services::PlayMp3(slot, 1, {path});
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (SizeOf(captured) < expected.size() * 2 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(10ms);
    }
    std::this_thread::sleep_for(50ms);
    services::StopPlayback(slot);
    QVERIFY(ReadSamples(captured) == expected);
  }

  void noDeviceIsSilence() {
    useConfiguration("pcm.!default { type hw card 97 device 0 }\n");
    services::PlayerSlot slot(output_);
    services::PlayMp3(slot, -1, {Fixture("mpeg1_l3_44k_stereo.mp3")});
    std::this_thread::sleep_for(200ms);
    QVERIFY(slot.holdsPlayer());
    const auto start = std::chrono::steady_clock::now();
    services::StopPlayback(slot);
    QVERIFY(std::chrono::steady_clock::now() - start < 200ms);
  }

  void pacedDeviceEndsAPassWhenItsLastSampleIsHeard() {
    const fs::path log = folder_ / "first-samples.log";
    fs::remove(log);
    setenv("PACED_PCM_LOG", log.c_str(), 1);
    useConfiguration("pcm_type.paced { lib \"" AUTOSHUTDOWN_PACED_PCM
                     "\" }\n"
                     "pcm.!default { type paced }\n");
    services::PlayerSlot slot(output_);
    services::PlayMp3(slot, 2, {Fixture("mpeg25_l3_8k_mono.mp3")});  // 1.15 s a pass
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (ReadTimes(log).size() < 2 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(10ms);
    }
    const auto times = ReadTimes(log);
    QCOMPARE(times.size(), std::size_t{2});
    const double gap = static_cast<double>(times[1] - times[0]) / 1e9;
    QVERIFY2(gap > 1.05 && gap < 1.6, qPrintable(QString::number(gap)));
    services::StopPlayback(slot);
    unsetenv("PACED_PCM_LOG");
  }

  void stopInTheMiddleOfALongFileReturnsAtOnce() {
    useConfiguration("pcm_type.paced { lib \"" AUTOSHUTDOWN_PACED_PCM
                     "\" }\n"
                     "pcm.!default { type paced }\n");
    services::PlayerSlot slot(output_);
    services::PlayMp3(slot, 1, {Fixture("long_12s_8k_mono.mp3")});
    std::this_thread::sleep_for(500ms);
    const auto start = std::chrono::steady_clock::now();
    services::StopPlayback(slot);
    const auto took = std::chrono::steady_clock::now() - start;
    QVERIFY2(took < 100ms,
             qPrintable(QString::number(std::chrono::duration<double, std::milli>(took).count())));
  }
};

QTEST_APPLESS_MAIN(AlsaOutputTest)
#include "alsa_output_test.moc"
