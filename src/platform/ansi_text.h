// Lengths in the Chinese ANSI code page (GBK), where the program's fixed limits are counted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The longest start of a UTF-8 text whose GBK form takes at most `limit` bytes, cut before a
// character rather than through it. A character GBK lacks counts as the one byte ("?") it
// would become; bytes that are not UTF-8 count one each and are kept as they are.
std::string CutToAnsiBytes(std::string_view utf8, std::size_t limit);

}  // namespace platform
