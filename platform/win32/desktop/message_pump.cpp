#include "platform/win32/desktop/message_pump.h"

#include <windows.h>

namespace win32 {
namespace {

// A window that never validates its area would be handed WM_PAINT forever.
constexpr int kMostPaintsPerLook = 64;

}  // namespace

void serveWhileWaiting(std::chrono::milliseconds timeout) {
  MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(timeout.count()),
                              QS_PAINT | QS_SENDMESSAGE, 0);
  // Looking at the queue delivers the messages sent to us; WM_PAINT we dispatch ourselves.
  MSG message;
  for (int paints = 0; paints < kMostPaintsPerLook &&
                       PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
       ++paints) {
    DispatchMessageW(&message);
  }
}

}  // namespace win32
