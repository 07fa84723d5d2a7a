#include "platform/win32/desktop/program_window.h"

#include <windows.h>

#include "platform/win32/desktop/message_pump.h"

namespace win32 {
namespace {

// Short enough that the keys follow a window within a frame or two of its showing up.
constexpr std::chrono::milliseconds kPollInterval{20};

class WindowFinder {
 public:
  explicit WindowFinder(const StartedProgram& program) : program_(program) {}

  // One look: true once the program's main window is in the foreground.
  bool ready() {
    if (isProgramWindow(GetForegroundWindow())) return true;
    // Windows may keep a new window behind ours, the user having just typed in ours.
    EnumWindows(&WindowFinder::consider, reinterpret_cast<LPARAM>(this));
    return false;
  }

 private:
  static BOOL CALLBACK consider(HWND window, LPARAM finder) {
    auto* self = reinterpret_cast<WindowFinder*>(finder);
    if (window == self->askedFor_ || !self->isProgramWindow(window)) return TRUE;
    SetForegroundWindow(window);
    self->askedFor_ = window;
    return FALSE;
  }

  // A window with a button of its own on the task bar, as Windows decides it.
  static bool isMainWindow(HWND window) {
    if (window == nullptr || !IsWindowVisible(window)) return false;
    const LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
    return (extended & WS_EX_APPWINDOW) != 0 ||
           (GetWindow(window, GW_OWNER) == nullptr && (extended & WS_EX_TOOLWINDOW) == 0);
  }

  bool isProgramWindow(HWND window) const {
    if (!isMainWindow(window)) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (program_.job == nullptr) return pid == program_.pid;
    // Wine asks for the full query right here; Windows is content with the limited one, all
    // that a process of a higher integrity level than ours grants.
    KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (process == nullptr) {
      process.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    }
    BOOL inJob = FALSE;
    return process != nullptr && IsProcessInJob(process.get(), program_.job.get(), &inJob) && inJob;
  }

  const StartedProgram& program_;
  HWND askedFor_ = nullptr;  // brought forward once: Windows' answer follows
};

}  // namespace

bool waitForProgramWindow(const StartedProgram& program, std::chrono::milliseconds timeout) {
  WindowFinder finder(program);
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!finder.ready()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    serveWhileWaiting(kPollInterval);
  }
  return true;
}

}  // namespace win32
