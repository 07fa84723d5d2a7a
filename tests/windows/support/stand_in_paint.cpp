#include "support/stand_in_paint.h"

#include <tlhelp32.h>

#include <string>
#include <vector>

#include "support/pictures.h"
#include "support/wait.h"

namespace wine_test {
namespace {

constexpr const wchar_t* kDirectory = LR"(C:\Program Files\Accessories)";
constexpr const wchar_t* kProgram = LR"(C:\Program Files\Accessories\MSPAINT.EXE)";
constexpr const wchar_t* kPasted = LR"(C:\Program Files\Accessories\pasted.bmp)";
constexpr const wchar_t* kWindowClass = L"OrvexStandInPaint";

// The ids of the processes of the program at the classic path.
std::vector<DWORD> processesAtClassicPath() {
  std::vector<DWORD> pids;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return pids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more != FALSE;
       more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, L"MSPAINT.EXE") == 0) pids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return pids;
}

}  // namespace

StandInPaint::StandInPaint(const wchar_t* atClassicPath) {
  CreateDirectoryW(kDirectory, nullptr);
  DeleteFileW(kPasted);
  installed_ = CopyFileW(atClassicPath, kProgram, FALSE) != 0 &&
               CopyFileW(ORVEX_TEST_PAINT_PROGRAM, kBeside, FALSE) != 0;
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
  // A launcher that waits on without a window.
  for (const DWORD pid : processesAtClassicPath()) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    if (process == nullptr) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  DeleteFileW(kPasted);
  DeleteFileW(kProgram);
  DeleteFileW(kBeside);
}

int StandInPaint::running() { return static_cast<int>(processesAtClassicPath().size()); }

std::optional<graphics::Bitmap> StandInPaint::pasted(std::chrono::milliseconds timeout) const {
  std::optional<graphics::Bitmap> picture;
  waitUntil([&] { return (picture = loadBmp(kPasted)).has_value(); }, timeout);
  return picture;
}

HWND StandInPaint::window() { return FindWindowW(kWindowClass, nullptr); }

bool StandInPaint::start() const {
  std::wstring commandLine = std::wstring(L"\"") + kBeside + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(kBeside, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return waitUntil([] { return window() != nullptr && GetForegroundWindow() == window(); });
}

}  // namespace wine_test
