#pragma once

#include "platform/win32/ui/native_control.h"

namespace win32 {

// A horizontal scroll bar (SCROLLBAR). Its arrows and the Left/Right/Up/Down keys step by the
// small change, the track and Page Up/Down by the large change, Home and End go to the ends; a
// dragged thumb is reported once, where it is let go. The program's values are not reported.
class ScrollBarPeer final : public ControlPeer<forms::ScrollBarPeer> {
 public:
  ScrollBarPeer(NativeContainer& parent, forms::PeerListener& listener);
  void setRange(const forms::ScrollRange& range) override;
  void setValue(int value) override;

 private:
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Where a scroll request takes the bar; nothing for requests that do not move it.
  std::optional<int> target(int request) const;

  forms::ScrollRange range_;
  int value_ = 0;
};

}  // namespace win32
