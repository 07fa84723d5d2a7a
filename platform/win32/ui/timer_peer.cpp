#include "platform/win32/ui/timer_peer.h"

#include <stdexcept>
#include <string>

#include "platform/win32/ui/window_classes.h"

namespace win32 {
namespace {

constexpr const wchar_t* kTimerClass = L"OrvexCaptureTimer";
constexpr UINT_PTR kTimerId = 1;

}  // namespace

TimerPeer::TimerPeer(forms::PeerListener& listener) : listener_(listener) {
  registerWindowClass(kTimerClass, procedure, nullptr);
  window_ = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (window_ == nullptr) {
    throw std::runtime_error("タイマーを作れません (エラー " + std::to_string(GetLastError()) +
                             ")");
  }
}

TimerPeer::~TimerPeer() { DestroyWindow(window_); }

// Starting a running timer starts it over with the new interval.
void TimerPeer::start(int intervalMs) {
  SetTimer(window_, kTimerId, static_cast<UINT>(intervalMs), nullptr);
}

void TimerPeer::stop() { KillTimer(window_, kTimerId); }

LRESULT CALLBACK TimerPeer::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* peer = peerOf<TimerPeer>(window, message, lParam);
  if (peer != nullptr && message == WM_TIMER && wParam == kTimerId) {
    peer->listener_.peerTicked();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace win32
