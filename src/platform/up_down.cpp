#include "platform/up_down.h"

#include <charconv>

namespace platform {
namespace {

long long DecimalOrZero(std::string_view text) {
  long long value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;  // from_chars takes "-" but not "+"
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || text.empty()) return 0;
  return value;
}

}  // namespace

std::string SpinStep(std::string_view text, int min, int max, SpinDirection direction) {
  long long value = DecimalOrZero(text);
  if (direction == SpinDirection::Up) {
    value = value >= max ? min : value + 1;  // value + 1 > max, without overflow
  } else {
    value = value <= min ? max : value - 1;
  }
  return std::to_string(value);
}

}  // namespace platform
