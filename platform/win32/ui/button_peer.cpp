#include "platform/win32/ui/button_peer.h"

#include "platform/win32/utf16.h"

namespace win32 {

ButtonPeer::ButtonPeer(NativeContainer& parent, forms::PeerListener& listener)
    : ControlPeer(parent, listener) {
  create(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0);
}

void ButtonPeer::setCaption(const std::string& caption) {
  SetWindowTextW(handle(), toUtf16(caption).c_str());
}

std::optional<LRESULT> ButtonPeer::reflected(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) listener().peerClicked();
  return std::nullopt;
}

}  // namespace win32
