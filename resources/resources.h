// The program's embedded files.
#pragma once

#include <span>

namespace resources {

// The program icon: a 32 x 32 PNG in 256 colours (made by make_icon.py).
std::span<const unsigned char> ProgramIcon();

}  // namespace resources
