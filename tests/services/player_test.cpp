// The player slot, its passes and its threads, through a recording output.
#include <QTest>

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "services/mp3_stream.h"
#include "services/player.h"
#include "support/recording_audio.h"

using namespace std::chrono_literals;
using services::PlayerSlot;
using testing_support::RecordingAudio;
using Devices = std::vector<RecordingAudio::Device>;

namespace {

std::string Fixture(const char* name) {
  return std::string(AUTOSHUTDOWN_FIXTURES "/") + name;
}

std::vector<std::int16_t> Pcm(const char* name) {
  auto stream = services::Mp3Stream::open(Fixture(name));
  std::vector<std::int16_t> all;
  services::PcmFormat format;
  std::vector<std::int16_t> samples;
  while (stream && stream->next(format, samples) == services::Mp3Stream::Status::Pcm) {
    all.insert(all.end(), samples.begin(), samples.end());
  }
  return all;
}

const std::string kStereo = Fixture("mpeg1_l3_44k_stereo.mp3");

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

class PlayerTest : public QObject {
  Q_OBJECT
 private slots:
  void countOnePlaysOnceAndStaysInTheSlot() {
    RecordingAudio audio;
    PlayerSlot slot(audio);
    const auto pcm = Pcm("mpeg1_l3_44k_stereo.mp3");
    services::PlayMp3(slot, 1, {kStereo});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() == 1 && d[0].closed; }));
    std::this_thread::sleep_for(100ms);
    const Devices devices = audio.devices();
    QCOMPARE(devices.size(), std::size_t{1});
    QVERIFY(devices[0].samples == pcm);
    QVERIFY(devices[0].drained);  // the end came only after every sample was heard
    QCOMPARE(devices[0].format, (platform::AudioFormat{44100, 2}));
    QVERIFY(slot.holdsPlayer());  // finished, stopped, still in the slot
    services::StopPlayback(slot);
    QVERIFY(!slot.holdsPlayer());
    services::StopPlayback(slot);  // twice: nothing
    QCOMPARE(audio.opens(), 1);
  }

  void countNPlaysEachPassOnAFreshDevice() {
    RecordingAudio audio;
    PlayerSlot slot(audio);
    const auto pcm = Pcm("mpeg2_l3_22k_mono.mp3");
    services::PlayMp3(slot, 3, {Fixture("mpeg2_l3_22k_mono.mp3")});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() == 3 && d[2].closed; }));
    std::this_thread::sleep_for(100ms);
    const Devices devices = audio.devices();
    QCOMPARE(devices.size(), std::size_t{3});
    for (const auto& device : devices) {
      QCOMPARE(device.format, (platform::AudioFormat{22050, 1}));  // 1 channel, 22050 Hz
      QVERIFY(device.samples == pcm);
      QVERIFY(device.drained);
    }
  }

  void negativeCountsPlayUntilStopped() {
    for (const int count : {-1, -5}) {
      RecordingAudio audio;
      PlayerSlot slot(audio);
      services::PlayMp3(slot, count, {Fixture("mpeg25_l3_8k_mono.mp3")});
      QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() >= 5; }));
      services::StopPlayback(slot);
      const int opens = audio.opens();
      std::this_thread::sleep_for(50ms);
      QCOMPARE(audio.opens(), opens);  // nothing after the stop
      for (const auto& device : audio.devices())
        QVERIFY(device.closed);
    }
  }

  void countZeroAndEmptyPathsStopAndStartNothing() {
    RecordingAudio audio;
    audio.paced = true;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, -1, {Fixture("long_12s_8k_mono.mp3")});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return !d.empty(); }));
    services::PlayMp3(slot, 0, {kStereo});
    QVERIFY(!slot.holdsPlayer());
    QVERIFY(audio.devices()[0].closed);  // the earlier sound is gone
    services::PlayMp3(slot, 5, {""});
    services::PlayMp3(slot, 5, {});
    QVERIFY(!slot.holdsPlayer());
    std::this_thread::sleep_for(50ms);
    QCOMPARE(audio.opens(), 1);
  }

  void aNewCallCutsOffAndStartsFromTheBeginning() {
    RecordingAudio audio;
    audio.paced = true;  // the first file is still playing when the second call comes
    PlayerSlot slot(audio);
    const auto pcm = Pcm("long_12s_8k_mono.mp3");
    for (int call = 0; call < 2; ++call) {
      services::PlayMp3(slot, 100, {Fixture("long_12s_8k_mono.mp3")});  // the same file again
      QVERIFY(audio.waitFor(5s, [call](const Devices& d) {
        return d.size() == std::size_t(call + 1) && d.back().samples.size() > 4000;
      }));
    }
    const Devices devices = audio.devices();
    QVERIFY(devices[0].closed);
    QVERIFY(!devices[0].drained);
    QVERIFY(devices[0].samples.size() < pcm.size());  // cut off
    QVERIFY(std::equal(devices[1].samples.begin(), devices[1].samples.end(), pcm.begin()));
    services::StopPlayback(slot);
  }

  void stopEndsALongSoundAtOnce() {
    RecordingAudio audio;
    audio.paced = true;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, 1, {Fixture("long_12s_8k_mono.mp3")});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return !d.empty(); }));
    std::this_thread::sleep_for(200ms);
    const auto start = std::chrono::steady_clock::now();
    services::StopPlayback(slot);
    QVERIFY(std::chrono::steady_clock::now() - start < 500ms);
    QVERIFY(audio.devices()[0].closed);
  }

  void aMissingFileIsSilentAndStaysInTheSlot() {
    RecordingAudio audio;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, -1, {Fixture("no-such-file.mp3")});
    std::this_thread::sleep_for(200ms);
    QVERIFY(slot.holdsPlayer());
    QCOMPARE(audio.opens(), 0);
    services::StopPlayback(slot);
  }

  void noiseNeverReachesTheOutput() {
    for (const char* file : {"layer1.mp3", "text.mp3", "random.mp3", "empty.mp3"}) {
      RecordingAudio audio;
      PlayerSlot slot(audio);
      services::PlayMp3(slot, 2, {Fixture(file)});
      std::this_thread::sleep_for(100ms);
      QCOMPARE(audio.opens(), 0);
      QCOMPARE(audio.totalSamples(), std::size_t{0});
    }
  }

  void aFailingFileIsRetriedEndlesslyWithoutSpinning() {
    RecordingAudio audio;
    PlayerSlot slot(audio);
    const double cpuBefore = ProcessCpuSeconds();
    services::PlayMp3(slot, -1, {Fixture("layer1.mp3")});
    std::this_thread::sleep_for(1s);
    const auto start = std::chrono::steady_clock::now();
    services::StopPlayback(slot);
    QVERIFY(std::chrono::steady_clock::now() - start < 300ms);
    // A loop without pause would have used a whole core for the second.
    QVERIFY2(ProcessCpuSeconds() - cpuBefore < 0.3, "the retries spin");
    QCOMPARE(audio.totalSamples(), std::size_t{0});
  }

  void noDeviceMeansSilenceAndNoProgress() {
    RecordingAudio audio;
    audio.noDevice = true;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, 3, {Fixture("mpeg25_l3_8k_mono.mp3")});
    std::this_thread::sleep_for(300ms);
    QCOMPARE(audio.opens(), 1);  // the passes never advance
    QVERIFY(slot.holdsPlayer());
    services::StopPlayback(slot);
  }

  void aDeviceBreakingDownEndsThePass() {
    RecordingAudio audio;
    audio.failAfterSamples = 20000;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, 2, {kStereo});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() == 2 && d[1].closed; }));
    for (const auto& device : audio.devices()) {
      QVERIFY(device.samples.size() <= 20000);
      QVERIFY(!device.drained);
    }
  }

  void theOutputFollowsAChannelChange() {
    RecordingAudio audio;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, 1, {Fixture("channels_change.mp3")});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() == 2 && d[1].closed; }));
    const Devices devices = audio.devices();
    QCOMPARE(devices[0].format, (platform::AudioFormat{44100, 2}));
    QVERIFY(devices[0].drained);  // the stereo part played out before the device was reopened
    QCOMPARE(devices[1].format, (platform::AudioFormat{44100, 1}));
    QCOMPARE(devices[0].samples.size(), std::size_t{40 * 2304});
  }

  void theListIsPlayedInOrderEachPass() {
    RecordingAudio audio;
    PlayerSlot slot(audio);
    services::PlayMp3(slot, 2, {Fixture("mpeg2_l3_22k_mono.mp3"), "", kStereo});
    QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() == 4 && d[3].closed; }));
    const Devices devices = audio.devices();
    const int rates[] = {22050, 44100, 22050, 44100};
    for (int i = 0; i < 4; ++i)
      QCOMPARE(devices[std::size_t(i)].format.rate, rates[i]);
  }

  void pathsAreBytesAsTheyCome() {
    // Names in UTF-8 with spaces, and in GBK, which is not UTF-8 at all.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("autoshutdown-paths-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const char* name : {"闹钟 铃声 1.mp3", "\xc4\xd6\xd6\xd3.mp3"}) {
      const std::string path = folder.string() + "/" + name;  // the bytes as they are
      std::filesystem::copy_file(Fixture("mpeg25_l3_8k_mono.mp3"), path);
      RecordingAudio audio;
      PlayerSlot slot(audio);
      services::PlayMp3(slot, 1, {path});
      QVERIFY(audio.waitFor(5s, [](const Devices& d) { return d.size() == 1 && d[0].closed; }));
      QCOMPARE(audio.devices()[0].samples.size(), std::size_t{16 * 576});
    }
    std::filesystem::remove_all(folder);
  }

  void manyQuickReplacements() {
    // As the alarm and the chimes do on every tick of their second.
    RecordingAudio audio;
    audio.paced = true;
    PlayerSlot slot(audio);
    for (int i = 0; i < 200; ++i)
      services::PlayMp3(slot, i % 2 ? 100 : -1, {kStereo});
    QVERIFY(audio.waitFor(
        5s, [](const Devices& d) { return !d.empty() && d.back().samples.size() > 0; }));
    services::StopPlayback(slot);
    for (const auto& device : audio.devices())
      QVERIFY(device.closed);
  }
};

QTEST_APPLESS_MAIN(PlayerTest)
#include "player_test.moc"
