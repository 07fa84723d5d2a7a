#pragma once

#include <windows.h>

#include "platform/forms/peers.h"

namespace win32 {

// A SetTimer timer on a message-only window of its own: its ticks end when the peer goes, also
// those already waiting in the queue.
class TimerPeer final : public forms::TimerPeer {
 public:
  explicit TimerPeer(forms::PeerListener& listener);
  ~TimerPeer() override;
  TimerPeer(const TimerPeer&) = delete;
  TimerPeer& operator=(const TimerPeer&) = delete;

  void start(int intervalMs) override;
  void stop() override;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  forms::PeerListener& listener_;
  HWND window_;
};

}  // namespace win32
