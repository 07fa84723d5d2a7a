#include "support/stand_in_paint.h"

#include <string>

#include "support/pictures.h"
#include "support/wait.h"

namespace wine_test {
namespace {

constexpr const wchar_t* kDirectory = LR"(C:\Program Files\Accessories)";
constexpr const wchar_t* kProgram = LR"(C:\Program Files\Accessories\MSPAINT.EXE)";
constexpr const wchar_t* kPasted = LR"(C:\Program Files\Accessories\pasted.bmp)";
constexpr const wchar_t* kWindowClass = L"OrvexStandInPaint";

}  // namespace

StandInPaint::StandInPaint() {
  CreateDirectoryW(kDirectory, nullptr);
  DeleteFileW(kPasted);
  installed_ = CopyFileW(ORVEX_TEST_PAINT_PROGRAM, kProgram, FALSE) != 0;
}

StandInPaint::~StandInPaint() {
  // One window a start; a few at most.
  for (int closed = 0; closed < 8; ++closed) {
    HWND open = window();
    if (open == nullptr) break;
    DWORD pid = 0;
    GetWindowThreadProcessId(open, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    PostMessageW(open, WM_CLOSE, 0, 0);
    if (process == nullptr) break;
    if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  DeleteFileW(kPasted);
  DeleteFileW(kProgram);
}

std::optional<graphics::Bitmap> StandInPaint::pasted(std::chrono::milliseconds timeout) const {
  std::optional<graphics::Bitmap> picture;
  waitUntil([&] { return (picture = loadBmp(kPasted)).has_value(); }, timeout);
  return picture;
}

HWND StandInPaint::window() { return FindWindowW(kWindowClass, nullptr); }

bool StandInPaint::start() const {
  std::wstring commandLine = std::wstring(L"\"") + kProgram + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(kProgram, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return waitUntil([] { return window() != nullptr && GetForegroundWindow() == window(); });
}

}  // namespace wine_test
