#pragma once

#include "platform/win32/ui/native_control.h"

namespace win32 {

// A push button (BUTTON); a click, by the mouse or the space bar, is reported once.
class ButtonPeer final : public ControlPeer<forms::ButtonPeer> {
 public:
  ButtonPeer(NativeContainer& parent, forms::PeerListener& listener);
  void setCaption(const std::string& caption) override;

 private:
  std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win32
