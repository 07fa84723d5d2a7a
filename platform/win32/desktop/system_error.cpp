#include "platform/win32/desktop/system_error.h"

#include <string_view>

#include "platform/win32/utf16.h"

namespace win32 {

std::string systemMessage(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring_view message(text, length);
  // Windows ends its messages with a line break; ours go on the same line.
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.remove_suffix(1);
  }
  std::string utf8 = message.empty() ? "エラー " + std::to_string(error) : toUtf8(message);
  if (text != nullptr) LocalFree(text);
  return utf8;
}

}  // namespace win32
