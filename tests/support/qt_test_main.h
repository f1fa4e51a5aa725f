// The main() of a widget test: a stable offscreen screen (800 x 800 at 96 dpi, no scaling), the
// program's own Qt platform, then the test object.
#pragma once

#include <QTest>

#include <cstdlib>

#include "platform/qt/qt_platform.h"

namespace testing_support {

inline std::unique_ptr<platform::qt::QtPlatform>& PlatformSlot() {
  static std::unique_ptr<platform::qt::QtPlatform> slot;
  return slot;
}

inline platform::qt::QtPlatform& Platform() {
  return *PlatformSlot();
}

inline void PrepareHeadlessScreen() {
  for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"}) {
    unsetenv(name);
  }
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace testing_support

#define AUTOSHUTDOWN_QT_TEST_MAIN(TestClass)                                    \
  int main(int argc, char** argv) {                                             \
    testing_support::PrepareHeadlessScreen();                                   \
    testing_support::PlatformSlot() = platform::qt::QtPlatform::Start(argv[0]); \
    if (!testing_support::PlatformSlot()) return 1;                             \
    int result = 0;                                                             \
    {                                                                           \
      TestClass test;                                                           \
      result = QTest::qExec(&test, argc, argv);                                 \
    }                                                                           \
    testing_support::PlatformSlot().reset();                                    \
    return result;                                                              \
  }
