#include "platform/ansi_text.h"

#include <iconv.h>

#include <mutex>

namespace platform {
namespace {

// The length in bytes of the UTF-8 sequence that starts with this byte; 1 for a byte that
// cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// Bytes of one character in GBK: 1 or 2; 1 where GBK has no such character.
std::size_t GbkLength(std::string_view character) {
  static std::mutex mutex;  // one converter, its state reset for every character
  static const iconv_t converter = iconv_open("GBK", "UTF-8");
  if (character.size() == 1) return 1;
  if (converter == reinterpret_cast<iconv_t>(-1)) return 2;
  std::lock_guard lock(mutex);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char out[8];
  char* in = const_cast<char*>(character.data());
  std::size_t inLeft = character.size();
  char* outPointer = out;
  std::size_t outLeft = sizeof out;
  if (iconv(converter, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) {
    return 1;
  }
  return sizeof out - outLeft;
}

}  // namespace

std::string CutToAnsiBytes(std::string_view utf8, std::size_t limit) {
  std::size_t taken = 0;  // bytes of utf8 kept
  std::size_t ansi = 0;   // their GBK length
  while (taken < utf8.size()) {
    std::size_t length = SequenceLength(static_cast<unsigned char>(utf8[taken]));
    if (taken + length > utf8.size()) length = 1;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(utf8[taken + i]) & 0xC0) != 0x80) length = 1;
    }
    const std::size_t bytes = GbkLength(utf8.substr(taken, length));
    if (ansi + bytes > limit) break;
    ansi += bytes;
    taken += length;
  }
  return std::string(utf8.substr(0, taken));
}

}  // namespace platform
