// The window system over Qt: makes windows from forms, runs the event loop, ends it when the last
// window has gone, and ends it at once when the session ends.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/tick_grid.h"
#include "platform/window_system.h"

namespace platform::qt {

class QtWindow;

class QtWindowSystem final : public QObject, public platform::WindowSystem {
  Q_OBJECT
 public:
  QtWindowSystem();
  ~QtWindowSystem() override;

  Window* load(const WindowForm& form, WindowHandlers handlers, Window* owner) override;
  bool run() override;
  std::size_t windowCount() const override { return live_.size(); }
  Window* find(std::string_view formName) const override;
  void destroyNow(Window& window) override;

  // Ends the event loop at once, with no closing step of any window.
  void endSession();

  // The timers of all windows tick together on a grid of 1/20 s locked to the wall clock: the
  // program wakes 20 times a second however many timers run (a wake-up costs about 0.1 ms of
  // CPU here whatever it does), and every new second is seen within about two milliseconds.
  // Returns the timer's id; its first tick comes one period later. Lower ranks tick first.
  int startTicks(int rank, int milliseconds, std::function<void()> tick);
  void stopTicks(int id);
  int nextTimerRank() { return ++timerRanks_; }
  // A finer grid, for tests that walk a simulated day through the real timers.
  void setTickGridStep(std::chrono::nanoseconds step) { gridStep_ = step; }

  // For QtWindow.
  std::vector<QtWindow*> ownedBy(const QtWindow* owner) const;
  void windowDestroyed(QtWindow* window);  // no longer counts; quits when none is left
  void release(QtWindow* window);          // deleted once control is back in the event loop
  void windowPainted();                    // the first time: font file pages go back

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<std::unique_ptr<QtWindow>> live_;
  std::vector<std::unique_ptr<QtWindow>> destroyed_;
  std::vector<std::unique_ptr<QtWindow>> released_;
  bool sessionEnded_ = false;
  bool running_ = false;
  bool painted_ = false;  // the event loop of run() is on: quitting it makes sense

  void armGrid();
  void onGridPoint();
  TickGrid grid_;
  std::map<int, std::function<void()>> ticks_;
  QTimer gridTimer_;
  std::chrono::nanoseconds gridStep_;
  int timerIds_ = 0;
  int timerRanks_ = 0;
};

}  // namespace platform::qt
