#include "tests/support/headless_timer.h"

#include <algorithm>
#include <stdexcept>

namespace headless {

Timer::Timer(TimerSchedule& schedule, forms::PeerListener& listener)
    : schedule_(schedule), listener_(listener) {
  schedule_.timers_.push_back(this);
}

Timer::~Timer() { std::erase(schedule_.timers_, this); }

void Timer::start(int intervalMs) {
  if (intervalMs <= 0) throw std::logic_error("a native timer needs a positive interval");
  running_ = true;
  interval_ = intervalMs;
  ++starts_;
  nextTick_ = schedule_.now() + intervalMs;
}

void TimerSchedule::advance(int milliseconds) {
  if (milliseconds < 0) throw std::logic_error("time does not run backwards");
  const std::int64_t end = now_ + milliseconds;
  // A tick may start or stop timers, so the next one due is looked up afresh each time.
  while (Timer* timer = firstDueBy(end)) {
    now_ = timer->nextTick_;
    timer->nextTick_ += timer->interval_;
    fire(*timer);
  }
  now_ = end;
}

void TimerSchedule::fire(Timer& timer) { timer.listener_.peerTicked(); }

Timer* TimerSchedule::firstDueBy(std::int64_t time) const {
  Timer* first = nullptr;
  for (Timer* timer : timers_) {
    if (!timer->running_ || timer->nextTick_ > time) continue;
    if (first == nullptr || timer->nextTick_ < first->nextTick_) first = timer;
  }
  return first;
}

}  // namespace headless
