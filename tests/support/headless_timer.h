#pragma once

#include <cstdint>
#include <vector>

#include "platform/forms/peers.h"

namespace headless {

class TimerSchedule;

// A headless timer: it records how it is started and ticks when the schedule says so.
class Timer final : public forms::TimerPeer {
 public:
  Timer(TimerSchedule& schedule, forms::PeerListener& listener);
  ~Timer() override;
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void start(int intervalMs) override;
  void stop() override { running_ = false; }

  bool running() const { return running_; }
  int interval() const { return interval_; }
  // How often start() was called: a timer that is enabled again must not be restarted.
  int starts() const { return starts_; }

 private:
  friend class TimerSchedule;

  TimerSchedule& schedule_;
  forms::PeerListener& listener_;
  bool running_ = false;
  int interval_ = 0;
  int starts_ = 0;
  std::int64_t nextTick_ = 0;  // milliseconds on the schedule's clock
};

// The clock of one toolkit: time passes only when a test says so.
class TimerSchedule {
 public:
  TimerSchedule() = default;
  TimerSchedule(const TimerSchedule&) = delete;
  TimerSchedule& operator=(const TimerSchedule&) = delete;

  std::int64_t now() const { return now_; }
  // Lets the time pass, ticking every running timer whenever its interval runs out, in time
  // order (timers made first go first at equal times).
  void advance(int milliseconds);
  // One tick now, running or not, like a tick that was already on its way.
  static void fire(Timer& timer);

 private:
  friend class Timer;

  Timer* firstDueBy(std::int64_t time) const;

  std::vector<Timer*> timers_;
  std::int64_t now_ = 0;
};

}  // namespace headless
