#include "platform/win32/ui/label_peer.h"

#include "platform/win32/utf16.h"

namespace win32 {

LabelPeer::LabelPeer(NativeContainer& parent, forms::PeerListener& listener)
    : ControlPeer(parent, listener) {
  create(L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0);
}

void LabelPeer::setCaption(const std::string& caption) {
  SetWindowTextW(handle(), toUtf16(caption).c_str());
}

}  // namespace win32
