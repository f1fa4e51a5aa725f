// The MPEG audio compliance streams, where the folder beside the project holds them: every
// Layer II and III stream plays in full and within the ISO limited-accuracy bound of its
// reference, no Layer I stream is ever heard, and the illegal streams neither crash nor hang.
#include <QTest>

#include <mpg123.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "services/mp3_stream.h"

namespace fs = std::filesystem;

namespace {

const fs::path kFolder = AUTOSHUTDOWN_ISO_VECTORS;
// 2^-11 / sqrt(12) of full scale, in 16-bit steps.
const double kBound = 32768.0 / 2048.0 / std::sqrt(12.0);

std::vector<std::int16_t> Ours(const fs::path& file, bool* noStream = nullptr) {
  auto stream = services::Mp3Stream::open(file.string());
  std::vector<std::int16_t> all;
  services::PcmFormat format;
  std::vector<std::int16_t> samples;
  services::Mp3Stream::Status status = services::Mp3Stream::Status::NoStream;
  while (stream && (status = stream->next(format, samples)) == services::Mp3Stream::Status::Pcm) {
    all.insert(all.end(), samples.begin(), samples.end());
  }
  if (noStream) *noStream = status == services::Mp3Stream::Status::NoStream;
  return all;
}

// What the library alone makes of the whole file, every frame it finds.
std::vector<std::int16_t> Everything(const fs::path& file) {
  mpg123_init();
  int error = 0;
  mpg123_handle* handle = mpg123_new(nullptr, &error);
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  mpg123_format_none(handle);
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  std::vector<std::int16_t> all;
  if (mpg123_open(handle, file.c_str()) == MPG123_OK) {
    for (;;) {
      off_t number = 0;
      unsigned char* audio = nullptr;
      std::size_t bytes = 0;
      const int result = mpg123_decode_frame(handle, &number, &audio, &bytes);
      if (result == MPG123_NEW_FORMAT) continue;
      if (result != MPG123_OK) break;
      const auto* pcm = reinterpret_cast<const std::int16_t*>(audio);
      all.insert(all.end(), pcm, pcm + bytes / 2);
    }
  }
  mpg123_close(handle);
  mpg123_delete(handle);
  return all;
}

std::vector<std::int16_t> Reference(const fs::path& file) {
  fs::path pcm = file;
  pcm.replace_extension(".pcm");
  std::ifstream in(pcm, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// The RMS difference over the overlap, at the best of the alignments the references need.
double RmsAgainst(const std::vector<std::int16_t>& ours, const std::vector<std::int16_t>& ref) {
  double best = INFINITY;
  for (long offset : {0L, 1152L, -1152L, 2304L, -2304L, 4608L, -4608L}) {
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
      const long j = static_cast<long>(i) + offset;
      if (j < 0 || j >= static_cast<long>(ref.size())) continue;
      const double d = ours[i] - ref[static_cast<std::size_t>(j)];
      sum += d * d;
      ++n;
    }
    if (n > ours.size() / 2) best = std::min(best, std::sqrt(sum / static_cast<double>(n)));
  }
  return best;
}

// Our output of a file as its chunks, each with its format.
std::vector<std::pair<services::PcmFormat, std::vector<std::int16_t>>> OursInChunks(
    const fs::path& file) {
  std::vector<std::pair<services::PcmFormat, std::vector<std::int16_t>>> chunks;
  auto stream = services::Mp3Stream::open(file.string());
  services::PcmFormat format;
  std::vector<std::int16_t> samples;
  while (stream && stream->next(format, samples) == services::Mp3Stream::Status::Pcm) {
    chunks.emplace_back(format, samples);
  }
  return chunks;
}

// l3-he_mode changes its channel count; it is checked on its own, below.
constexpr const char* kModeChanges = "l3-he_mode.bit";

bool Genuine(const std::string& name) {
  if (name == kModeChanges) return false;
  for (const char* prefix : {"l2-fl", "l3-compl", "l3-he_", "l3-hecommon", "l3-si", "M2L3_"}) {
    if (name.starts_with(prefix)) return true;
  }
  return name == "ILL2_ext_switching.bit" || name == "ILL2_layer3.bit" || name == "l3-sin1k0db.bit";
}

bool LayerOne(const std::string& name) {
  return name.starts_with("l1-fl") || name == "ILL2_layer1.bit";
}

std::vector<fs::path> Streams() {
  std::vector<fs::path> streams;
  for (const auto& entry : fs::directory_iterator(kFolder)) {
    if (entry.path().extension() == ".bit") streams.push_back(entry.path());
  }
  std::sort(streams.begin(), streams.end());
  return streams;
}

}  // namespace

class IsoVectorsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    if (!fs::is_directory(kFolder)) {
      QSKIP(qPrintable("no compliance streams at " + QString::fromStdString(kFolder.string())));
    }
  }

  void layerIIAndIIIPlayInFullWithinTheBound() {
    int checked = 0;
    for (const fs::path& file : Streams()) {
      const std::string name = file.filename().string();
      if (!Genuine(name)) continue;
      const auto ours = Ours(file);
      const auto everything = Everything(file);
      QVERIFY2(!ours.empty(), name.c_str());
      QVERIFY2(ours.size() == everything.size(), name.c_str());  // no frame held back for good
      const double rms = RmsAgainst(ours, Reference(file));
      QVERIFY2(rms <= kBound, qPrintable(QString("%1: %2 LSB").arg(name.c_str()).arg(rms)));
      ++checked;
    }
    QVERIFY(checked >= 20);
  }

  void theOutputFollowsTheChannelCount() {
    const fs::path file = kFolder / kModeChanges;
    const auto chunks = OursInChunks(file);
    const auto reference = Reference(file);
    std::vector<int> changes;  // the channel counts in the order they come
    std::size_t at = 0;
    double sum = 0;
    std::size_t compared = 0;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
      const auto& [format, samples] = chunks[i];
      if (changes.empty() || changes.back() != format.channels) changes.push_back(format.channels);
      // The first frame after a change of channel count carries the filter bank's overlap
      // across the change, where decoders differ; the library and the reference agree on all
      // other frames.
      const bool afterChange = i > 0 && chunks[i - 1].first.channels != format.channels;
      for (std::size_t k = 0; !afterChange && k < samples.size() && at + k < reference.size();
           ++k) {
        const double d = samples[k] - reference[at + k];
        sum += d * d;
        ++compared;
      }
      at += samples.size();
    }
    QCOMPARE(changes, (std::vector<int>{1, 2, 1}));
    QCOMPARE(at, reference.size());
    QVERIFY(compared > reference.size() * 9 / 10);
    const double rms = std::sqrt(sum / static_cast<double>(compared));
    QVERIFY2(rms <= kBound, qPrintable(QString::number(rms)));
  }

  void layerIIsNeverHeard() {
    for (const fs::path& file : Streams()) {
      const std::string name = file.filename().string();
      if (!LayerOne(name)) continue;
      bool noStream = false;
      QVERIFY2(Ours(file, &noStream).empty(), name.c_str());
      QVERIFY2(noStream, name.c_str());
    }
  }

  void theRestNeitherCrashesNorHangs() {
    for (const fs::path& file : Streams()) {
      const std::string name = file.filename().string();
      if (Genuine(name) || LayerOne(name) || name == kModeChanges) continue;
      const auto start = std::chrono::steady_clock::now();
      Ours(file);
      QVERIFY2(std::chrono::steady_clock::now() - start < std::chrono::seconds(5), name.c_str());
    }
  }
};

QTEST_APPLESS_MAIN(IsoVectorsTest)
#include "iso_vectors_test.moc"
