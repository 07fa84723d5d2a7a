#include "platform/win32/desktop/program_window.h"

namespace win32 {
namespace {

// A window with a button of its own on the task bar, as Windows decides it.
bool isMainWindow(HWND window) {
  if (window == nullptr || !IsWindowVisible(window)) return false;
  const LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
  return (extended & WS_EX_APPWINDOW) != 0 ||
         (GetWindow(window, GW_OWNER) == nullptr && (extended & WS_EX_TOOLWINDOW) == 0);
}

}  // namespace

bool ProgramWindow::ready() {
  if (isProgramWindow(GetForegroundWindow())) return true;
  // Windows may keep a new window behind ours, the user having just typed in ours.
  EnumWindows(&ProgramWindow::consider, reinterpret_cast<LPARAM>(this));
  return false;
}

BOOL CALLBACK ProgramWindow::consider(HWND window, LPARAM finder) {
  auto* self = reinterpret_cast<ProgramWindow*>(finder);
  if (window == self->askedFor_ || !self->isProgramWindow(window)) return TRUE;
  SetForegroundWindow(window);
  self->askedFor_ = window;
  return FALSE;
}

bool ProgramWindow::isProgramWindow(HWND window) const {
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

}  // namespace win32
