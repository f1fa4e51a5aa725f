#include "schedule/time_text.h"

#include <algorithm>

namespace schedule {

bool TextEquals(std::string_view a, std::string_view b) {
  return a == b;
}

std::string Concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces)
    size += piece.size();
  std::string result;
  result.reserve(size);
  for (std::string_view piece : pieces)
    result.append(piece);
  return result;
}

std::string RightCut(std::string_view text, int count) {
  if (count <= 0) return {};
  std::size_t keep = std::min(text.size(), static_cast<std::size_t>(count));
  return std::string(text.substr(text.size() - keep));
}

std::string IntegerText(std::int64_t value) {
  return std::to_string(value);
}

std::string TwoDigitField(int n) {
  return RightCut(Concat({"0", IntegerText(n)}), 2);
}

std::string TimeOfDayText(int hour, int minute, int second) {
  return Concat(
      {TwoDigitField(hour), "时", TwoDigitField(minute), "分", TwoDigitField(second), "秒"});
}

std::string DateTimeText(const platform::LocalDateTime& t) {
  std::string date =
      Concat({IntegerText(t.year), "年", IntegerText(t.month), "月", IntegerText(t.day), "日"});
  if (t.second != 0) {
    return Concat({date, IntegerText(t.hour), "时", IntegerText(t.minute), "分",
                   IntegerText(t.second), "秒"});
  }
  if (t.minute != 0) return Concat({date, IntegerText(t.hour), "时", IntegerText(t.minute), "分"});
  if (t.hour != 0) return Concat({date, IntegerText(t.hour), "时"});
  return date;
}

}  // namespace schedule
