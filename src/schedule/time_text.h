// The texts of time: the text operations the schedule works with, the two-digit field, the time
// of day that the clock writes and the schedule compares, and the long date and time.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace schedule {

// Exact equality: the same bytes in the same order; no trimming, no normalising.
bool TextEquals(std::string_view a, std::string_view b);

// The pieces joined in order; always a new text, possibly empty.
std::string Concat(std::initializer_list<std::string_view> pieces);

// The last min(count, length) bytes; a count of 0 or less gives the empty text.
std::string RightCut(std::string_view text, int count);

// Plain decimal, no padding, a leading "-" for negative values.
std::string IntegerText(std::int64_t value);

// "0" followed by the decimal text of n, cut to its last two characters: 5 -> "05", 59 -> "59".
std::string TwoDigitField(int n);

// "HH时MM分SS秒" from three TwoDigitFields, for example "09时05分07秒".
std::string TimeOfDayText(int hour, int minute, int second);

// "2024年3月9日" followed by the time without its trailing zero fields: "9时5分7秒", "0时5分",
// "9时", or nothing at exactly midnight. No number is padded.
std::string DateTimeText(const platform::LocalDateTime& time);

}  // namespace schedule
