#pragma once

#include <windows.h>

#include <optional>

// The toolkit's own window classes and the messages its containers pass on to their controls.
namespace win32 {

// Registers a class of this program once; later calls with the same name do nothing.
// `background` is the brush a plain erase uses (null: the window paints all of itself).
void registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background);

// Native controls tell their parent what happened (WM_COMMAND, WM_HSCROLL) and ask it for their
// colours (WM_CTLCOLOR*). A container of ours passes such a message back to the control it is
// about, as kReflected + the message, so that each control's peer deals with its own. The
// control's non-zero answer is the container's; without one (0: a notification dealt with, or
// a control that does not care) the container leaves the message to the default handling,
// which does nothing with notifications and gives the default colours.
constexpr UINT kReflected = WM_APP + 0x100;
std::optional<LRESULT> reflectToControl(UINT message, WPARAM wParam, LPARAM lParam);

// The peer that `window` was made for, kept in its user data at WM_NCCREATE from the creation
// parameter; null before that.
template <typename Peer>
Peer* peerOf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* peer = static_cast<Peer*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
    return peer;
  }
  return reinterpret_cast<Peer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace win32
