// The program's embedded files.
#pragma once

#include <span>

namespace resources {

// The program icon: a 32 x 32 PNG in 256 colours (made by make_icon.py).
std::span<const unsigned char> ProgramIcon();

// The help window's picture: a baseline JPEG of 670 x 502 pixels (made by
// make_help_picture.py).
std::span<const unsigned char> HelpPicture();

}  // namespace resources
