#pragma once

#include <QTimer>

#include "platform/forms/peers.h"

namespace qtplatform {

class QtTimerPeer final : public forms::TimerPeer {
 public:
  explicit QtTimerPeer(forms::PeerListener& listener);
  void start(int intervalMs) override { timer_.start(intervalMs); }
  void stop() override { timer_.stop(); }

 private:
  QTimer timer_;
};

}  // namespace qtplatform
