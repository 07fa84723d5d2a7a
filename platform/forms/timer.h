#pragma once

#include <functional>
#include <memory>

#include "platform/forms/peers.h"

namespace forms {

class Runtime;

// Ticks every Interval milliseconds while Enabled. Enabling a running timer does not restart
// its interval, so repeated writes of true never hold the ticks off.
class Timer final : private PeerListener {
 public:
  explicit Timer(Runtime& runtime);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  int Interval() const { return interval_; }
  void setInterval(int milliseconds);

  std::function<void()> Tick;

  TimerPeer& timerPeer() { return *peer_; }

 private:
  void peerTicked() override;
  void restart();

  Runtime& runtime_;
  std::unique_ptr<TimerPeer> peer_;
  bool enabled_ = false;
  int interval_ = 0;
};

}  // namespace forms
