#include "platform/win32/ui/standard_streams.h"

#include <string>

#include "platform/win32/utf16.h"

namespace win32 {
namespace {

bool writeConsole(HANDLE console, std::string_view text) {
  // Consoles want CR LF.
  std::wstring wide;
  for (const wchar_t character : toUtf16(text)) {
    if (character == L'\n') wide.push_back(L'\r');
    wide.push_back(character);
  }
  DWORD written = 0;
  return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
         FALSE;
}

}  // namespace

StreamWrite writeStandardStream(DWORD stream, std::string_view text) {
  HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return StreamWrite::kNoStream;
  DWORD mode = 0;
  DWORD written = 0;
  const bool whole = GetConsoleMode(handle, &mode) != FALSE
                         ? writeConsole(handle, text)
                         : WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written,
                                     nullptr) != FALSE &&
                               written == text.size();
  return whole ? StreamWrite::kWritten : StreamWrite::kFailed;
}

bool writeParentConsole(std::string_view text) {
  if (AttachConsole(ATTACH_PARENT_PROCESS) == FALSE) return false;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  const bool written =
      console != INVALID_HANDLE_VALUE && writeConsole(console, "\n" + std::string(text));
  if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
  FreeConsole();
  return written;
}

}  // namespace win32
