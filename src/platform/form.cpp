#include "platform/form.h"

namespace platform {

const ControlForm* FindControl(const WindowForm& form, std::string_view name) {
  for (const ControlForm& control : form.controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

}  // namespace platform
