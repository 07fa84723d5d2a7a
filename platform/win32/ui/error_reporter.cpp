#include "platform/win32/ui/error_reporter.h"

#include <algorithm>
#include <thread>

#include "platform/forms/runtime_error.h"
#include "platform/win32/ui/standard_streams.h"
#include "platform/win32/utf16.h"

namespace win32 {
namespace {

std::wstring titleOf(HWND window) {
  if (window != nullptr && IsWindow(window) != FALSE) {
    const int length = GetWindowTextLengthW(window);
    std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
    title.resize(static_cast<std::size_t>(GetWindowTextW(window, title.data(), length + 1)));
    if (!title.empty()) return title;
  }
  // Without a window: the program's file name, as a console would name it.
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  const std::size_t name = path.find_last_of(L"\\/");
  path.erase(0, name == std::wstring::npos ? 0 : name + 1);
  return path.substr(0, path.rfind(L'.'));
}

}  // namespace

void ErrorReporter::report(const forms::RuntimeError& error, HWND window) {
  if (alreadyShown(error)) return;
  const std::wstring title = titleOf(window);
  const std::string number = std::to_string(error.number());
  writeStandardStream(STD_ERROR_HANDLE, toUtf8(title) + ": 実行時エラー '" + number +
                                            "': " + error.description() + "\n");

  auto open = std::make_shared<std::atomic<bool>>(true);
  shown_.push_back({error.number(), error.description(), open});
  const std::wstring text = toUtf16("実行時エラー '" + number + "':\n\n" + error.description());
  // No owner: an owner would be disabled while the box is up. It comes to the front once, and
  // keeps a task bar button of its own so that it cannot get lost behind the window.
  std::thread([title, text, open] {
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    open->store(false);
  }).detach();
}

bool ErrorReporter::alreadyShown(const forms::RuntimeError& error) {
  std::erase_if(shown_, [](const ShownError& shown) { return !shown.open->load(); });
  return std::any_of(shown_.begin(), shown_.end(), [&](const ShownError& shown) {
    return shown.number == error.number() && shown.description == error.description();
  });
}

}  // namespace win32
