#include "platform/forms/timer.h"

#include "platform/forms/runtime.h"
#include "platform/forms/runtime_error.h"

namespace forms {

Timer::Timer(Runtime& runtime) : runtime_(runtime), peer_(runtime.toolkit().createTimer(*this)) {}

Timer::~Timer() { peer_->stop(); }

void Timer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  restart();
}

void Timer::setInterval(int milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535) throw RuntimeError::invalidPropertyValue();
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  restart();
}

void Timer::restart() {
  if (enabled_ && interval_ > 0) {
    peer_->start(interval_);
  } else {
    peer_->stop();
  }
}

void Timer::peerTicked() {
  if (!enabled_ || interval_ == 0) return;
  runtime_.deliver(Tick);
}

}  // namespace forms
