#include "platform/win32/desktop/key_sender.h"

#include <chrono>
#include <optional>

#include "platform/forms/runtime_error.h"
#include "platform/win32/desktop/key_input.h"
#include "platform/win32/desktop/message_pump.h"

namespace win32 {
namespace {

// Bounds for the parts of the wait that depend on others: Windows lets a low-level hook take
// up to a second before it passes input on without it.
constexpr std::chrono::milliseconds kRoutingTimeout{1000};
constexpr std::chrono::milliseconds kRoutingLook{10};
constexpr std::chrono::milliseconds kProcessingTimeout{2000};

// Counts our input as Windows routes it to the focused window's queue: a low-level hook sees
// each event after SendInput has returned, just before it is queued.
class RoutedInput {
 public:
  RoutedInput()
      : hook_(SetWindowsHookExW(WH_KEYBOARD_LL, &RoutedInput::seen, GetModuleHandleW(nullptr), 0)) {
    routed_ = 0;
  }
  ~RoutedInput() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  RoutedInput(const RoutedInput&) = delete;
  RoutedInput& operator=(const RoutedInput&) = delete;

  // Returns once `count` events of ours have passed, or after a while; at once without a hook.
  void waitFor(std::size_t count) const {
    if (hook_ == nullptr) return;
    const auto deadline = std::chrono::steady_clock::now() + kRoutingTimeout;
    while (routed_ < count && std::chrono::steady_clock::now() < deadline) {
      serveWhileWaiting(kRoutingLook);
    }
  }

 private:
  static LRESULT CALLBACK seen(int code, WPARAM message, LPARAM event) {
    if (code == HC_ACTION &&
        reinterpret_cast<const KBDLLHOOKSTRUCT*>(event)->dwExtraInfo == kOurKeyInput) {
      ++routed_;
    }
    return CallNextHookEx(nullptr, code, message, event);
  }

  // The hook runs on the thread that set it, which is the one waiting.
  static thread_local std::size_t routed_;
  HHOOK hook_;
};

thread_local std::size_t RoutedInput::routed_ = 0;

}  // namespace

void sendKeyboardInput(const std::vector<INPUT>& input, bool wait) {
  if (input.empty()) return;
  HWND target = GetForegroundWindow();
  std::optional<RoutedInput> routed;
  if (wait) routed.emplace();  // before the input goes, so that it misses none of it
  const auto count = static_cast<UINT>(input.size());
  if (SendInput(count, const_cast<INPUT*>(input.data()), sizeof(INPUT)) != count) {
    throw forms::RuntimeError::invalidProcedureCall();
  }
  if (!wait || target == nullptr) return;
  routed->waitFor(input.size());
  // Each event makes up to two messages in the window's queue (the key, and the character that
  // TranslateMessage adds); the window takes one per look at its queue and answers a message
  // sent to it at its next look.
  const auto deadline = std::chrono::steady_clock::now() + kProcessingTimeout;
  for (std::size_t look = 0; look <= 2 * input.size(); ++look) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                                  static_cast<UINT>(left.count()), nullptr)) {
      break;  // gone, hung or slow beyond reason: nothing more to wait for
    }
  }
}

}  // namespace win32
