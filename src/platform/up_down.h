// The step of an up-down control attached to an edit box.
#pragma once

#include <string>
#include <string_view>

namespace platform {

enum class SpinDirection { Up, Down };

// The box's text read as a decimal number (a text that is not one counts as 0), moved one step
// with wrap-around within [min, max], written back as plain decimal without leading zeros.
std::string SpinStep(std::string_view text, int min, int max, SpinDirection direction);

}  // namespace platform
