#include "platform/qt/qt_window_system.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>

#include "platform/linux/font_pages.h"
#include "platform/qt/qt_window.h"

namespace platform::qt {
namespace {

using namespace std::chrono_literals;
constexpr std::chrono::nanoseconds kGridStep = 50ms;  // 20 wake-ups a second
constexpr std::chrono::nanoseconds kGridPhase = 1ms;  // after each multiple of the step
constexpr std::chrono::nanoseconds kTolerance = 2ms;  // a timer this close to due ticks now

std::unique_ptr<QtWindow> Take(std::vector<std::unique_ptr<QtWindow>>& from, QtWindow* window) {
  auto found = std::find_if(from.begin(), from.end(),
                            [window](const auto& held) { return held.get() == window; });
  if (found == from.end()) return nullptr;
  std::unique_ptr<QtWindow> taken = std::move(*found);
  from.erase(found);
  return taken;
}

}  // namespace

QtWindowSystem::QtWindowSystem() : gridStep_(kGridStep) {
  qApp->installEventFilter(this);
  gridTimer_.setSingleShot(true);
  gridTimer_.setTimerType(Qt::PreciseTimer);
  connect(&gridTimer_, &QTimer::timeout, this, &QtWindowSystem::onGridPoint);
}

QtWindowSystem::~QtWindowSystem() {
  qApp->removeEventFilter(this);
  // A window's widget is deleted with it, or with its owner's if that goes first: windows hold
  // their widgets through guarded pointers, so the order does not matter.
  released_.clear();
  destroyed_.clear();
  live_.clear();
}

Window* QtWindowSystem::load(const WindowForm& form, WindowHandlers handlers, Window* owner) {
  auto* ownerWindow = dynamic_cast<QtWindow*>(owner);
  live_.push_back(std::make_unique<QtWindow>(*this, form, std::move(handlers), ownerWindow));
  QtWindow* window = live_.back().get();
  window->deliverLoadEvents();
  return window->destroyed() ? nullptr : window;
}

bool QtWindowSystem::run() {
  if (live_.empty() || sessionEnded_) return !sessionEnded_;
  running_ = true;
  QApplication::exec();
  running_ = false;
  return !sessionEnded_;
}

Window* QtWindowSystem::find(std::string_view formName) const {
  for (const auto& held : live_) {
    if (held->form().name == formName) return held.get();
  }
  return nullptr;
}

void QtWindowSystem::destroyNow(Window& window) {
  if (auto* made = dynamic_cast<QtWindow*>(&window)) made->destroyNow();
}

void QtWindowSystem::endSession() {
  sessionEnded_ = true;
  if (running_) QCoreApplication::exit(0);
}

std::vector<QtWindow*> QtWindowSystem::ownedBy(const QtWindow* owner) const {
  std::vector<QtWindow*> owned;
  for (const auto& held : live_) {
    if (held->owner() == owner) owned.push_back(held.get());
  }
  return owned;
}

void QtWindowSystem::windowDestroyed(QtWindow* window) {
  if (auto taken = Take(live_, window)) destroyed_.push_back(std::move(taken));
  if (live_.empty() && running_) QCoreApplication::exit(0);
}

void QtWindowSystem::release(QtWindow* window) {
  auto taken = Take(destroyed_, window);
  if (!taken) return;
  released_.push_back(std::move(taken));
  QTimer::singleShot(0, this, [this] { released_.clear(); });
}

int QtWindowSystem::startTicks(int rank, int milliseconds, std::function<void()> tick) {
  const int id = ++timerIds_;
  ticks_[id] = std::move(tick);
  grid_.start(id, rank, std::chrono::milliseconds(milliseconds), std::chrono::steady_clock::now());
  armGrid();
  return id;
}

void QtWindowSystem::stopTicks(int id) {
  grid_.stop(id);
  ticks_.erase(id);
  armGrid();
}

void QtWindowSystem::armGrid() {
  const auto earliest = grid_.earliest();
  if (!earliest) {
    gridTimer_.stop();
    return;
  }
  const auto monotonic = std::chrono::steady_clock::now();
  const auto wall = std::chrono::system_clock::now();
  const auto wait = std::max(*earliest - monotonic, std::chrono::steady_clock::duration::zero());
  const auto point =
      NextGridPoint(wall + std::chrono::duration_cast<std::chrono::system_clock::duration>(wait) -
                        std::chrono::duration_cast<std::chrono::system_clock::duration>(kTolerance),
                    gridStep_, kGridPhase);
  const auto delay = std::chrono::ceil<std::chrono::milliseconds>(point - wall);
  gridTimer_.start(std::max(delay, std::chrono::milliseconds::zero()));
}

void QtWindowSystem::onGridPoint() {
  const std::vector<TickGrid::Due> due = grid_.take(std::chrono::steady_clock::now(), kTolerance);
  armGrid();  // before the handlers: a handler's modal box keeps the ticks coming
  for (const TickGrid::Due& one : due) {
    if (!grid_.current(one)) continue;
    auto found = ticks_.find(one.id);
    if (found == ticks_.end()) continue;
    const std::function<void()> tick = found->second;  // the handler may stop its own timer
    if (tick) tick();
  }
}

void QtWindowSystem::windowPainted() {
  if (painted_) return;
  painted_ = true;
  // Once the whole first picture is drawn, its glyphs are cached as images.
  QTimer::singleShot(0, this, [] { os::ReleaseFontFilePages(); });
}

bool QtWindowSystem::eventFilter(QObject* watched, QEvent* event) {
  // A quit asked of the application (the session manager's "die", for one) ends the session:
  // the program agrees at once and no window takes closing steps.
  if (watched == qApp && event->type() == QEvent::Quit) {
    endSession();
    return true;
  }
  return false;
}

}  // namespace platform::qt
