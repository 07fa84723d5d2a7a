#pragma once

#include "platform/win32/ui/native_control.h"

namespace win32 {

// A label (STATIC): text from the top-left, wrapped at its width. It takes the pointer's moves
// and its tooltip (SS_NOTIFY): a plain STATIC is transparent to the mouse.
class LabelPeer final : public ControlPeer<forms::LabelPeer> {
 public:
  LabelPeer(NativeContainer& parent, forms::PeerListener& listener);
  void setCaption(const std::string& caption) override;
};

}  // namespace win32
