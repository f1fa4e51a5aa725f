#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QFont>
#include <QSocketNotifier>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/linux/termination_signals.h"
#include "platform/qt/form_style.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_window_system.h"
#include "platform/qt/skin_style.h"

namespace platform::qt {
namespace {

// The face the forms ask for, and the installed faces that stand for it, best first.
constexpr char kSongFace[] = "宋体";
const QStringList kSongSubstitutes = {QStringLiteral("AR PL UMing CN"), QStringLiteral("SimSun"),
                                      QStringLiteral("Noto Serif CJK SC"),
                                      QStringLiteral("Noto Sans CJK SC")};
// The default GUI font of a Chinese desktop: 宋体 at 12 pixels.
constexpr int kDefaultFontPixels = 12;

// Until the GUI has started, a fatal message from Qt (no display, no platform plugin) becomes one
// line on stderr and a plain exit instead of an abort; warnings of that phase are dropped.
void StartupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) return;
  std::fprintf(stderr, "autoshutdown: 无法打开显示 (cannot open the display): %s\n",
               message.section(QLatin1Char('\n'), 0, 0).toLocal8Bit().constData());
  std::fflush(stderr);
  _exit(1);
}

bool HasDisplayFor(const char* platform) {
  const std::string name = platform ? platform : "";
  const bool needsDisplay = name.empty() || name.starts_with("xcb") || name.starts_with("wayland");
  return !needsDisplay || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

// The look of every window, by the application's style: widgets that exist are restyled at
// once, those made later take it on when they are made.
class QtControlLook final : public ControlLookBackend {
 public:
  void switchOn(int scheme) override { QApplication::setStyle(new SkinStyle(scheme)); }
  void switchOff() override { QApplication::setStyle(new FormStyle()); }
};

}  // namespace

struct QtPlatform::Parts {
  std::string program;  // QApplication keeps argc and argv for its whole life
  int argc = 1;
  char* argv[2] = {nullptr, nullptr};
  std::unique_ptr<QApplication> application;
  std::unique_ptr<QtWindowSystem> windows;
  QtMessageBoxes messageBoxes;
  QtControlLook controlLook;
  os::TerminationSignals termination;
  std::unique_ptr<QSocketNotifier> signalNotifier;
};

std::unique_ptr<QtPlatform> QtPlatform::Start(const char* programPath) {
  if (!HasDisplayFor(std::getenv("QT_QPA_PLATFORM"))) {
    std::fputs("autoshutdown: 没有可用的显示 (no display: DISPLAY is not set)\n", stderr);
    return nullptr;
  }
  // The windows are drawn in software; loading OpenGL would only cost memory and start-up time.
  if (!std::getenv("QT_XCB_GL_INTEGRATION")) setenv("QT_XCB_GL_INTEGRATION", "none", 1);

  auto parts = std::make_unique<Parts>();
  parts->program = programPath ? programPath : "autoshutdown";
  parts->argv[0] = parts->program.data();
  if (!QCoreApplication::instance()) {
    QtMessageHandler previous = qInstallMessageHandler(StartupMessages);
    parts->application = std::make_unique<QApplication>(parts->argc, parts->argv);
    qInstallMessageHandler(previous);
  }
  QApplication::setApplicationName(QStringLiteral("autoshutdown"));
  // No display name: Qt would append it to the caption of every window and box.
  QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setStyle(new FormStyle());
  QFont::insertSubstitutions(QString::fromUtf8(kSongFace), kSongSubstitutes);
  QApplication::setFont(SizedFont(QString::fromUtf8(kSongFace), kDefaultFontPixels, false));

  parts->windows = std::make_unique<QtWindowSystem>();
  if (parts->termination.fd() >= 0) {
    parts->signalNotifier =
        std::make_unique<QSocketNotifier>(parts->termination.fd(), QSocketNotifier::Read);
    QtWindowSystem* windows = parts->windows.get();
    os::TerminationSignals* termination = &parts->termination;
    QObject::connect(parts->signalNotifier.get(), &QSocketNotifier::activated, windows,
                     [windows, termination] {
                       termination->drain();
                       windows->endSession();
                     });
  }
  return std::unique_ptr<QtPlatform>(new QtPlatform(std::move(parts)));
}

QtPlatform::QtPlatform(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

QtPlatform::~QtPlatform() {
  parts_->signalNotifier.reset();
  parts_->windows.reset();
}

WindowSystem& QtPlatform::windows() {
  return *parts_->windows;
}
MessageBoxBackend& QtPlatform::messageBoxes() {
  return parts_->messageBoxes;
}
ControlLookBackend& QtPlatform::controlLook() {
  return parts_->controlLook;
}

}  // namespace platform::qt
