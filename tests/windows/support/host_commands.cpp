#include "support/host_commands.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/win32/utf16.h"
#include "support/wait.h"

namespace wine_test {
namespace {

// Wine's drive Z: is the host's root.
std::string onHost(const std::wstring& path) {
  std::string hostPath = win32::toUtf8(path.substr(2));
  for (char& c : hostPath) {
    if (c == '\\') c = '/';
  }
  return hostPath;
}

std::optional<std::string> fileText(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

std::optional<std::string> hostOutput(const std::string& command) {
  // A new file of a name no one else has, also another test under another Wine at once.
  wchar_t unique[MAX_PATH];
  if (GetTempFileNameW(L"Z:\\tmp", L"owt", 0, unique) == 0) return std::nullopt;
  const std::wstring output = unique;
  const std::wstring status = output + L".status";
  // Wine cannot wait for a Unix process: the command says when it is done, with its status.
  const std::string hostStatus = onHost(status);
  std::wstring commandLine =
      win32::toUtf16("Z:\\bin\\sh -c \"(" + command + ") >" + onHost(output) + "; echo $? >" +
                     hostStatus + ".part; mv " + hostStatus + ".part " + hostStatus + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return std::nullopt;
  }
  // Wine starts a Unix program without a process handle, and leaves whatever it likes in
  // hThread then: closing that would close one of ours (the window station, say, after which
  // the clipboard no longer opens).
  if (process.hProcess != nullptr) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  std::optional<std::string> exitStatus;
  waitUntil([&] { return (exitStatus = fileText(status)).has_value(); },
            std::chrono::milliseconds(15000));
  std::optional<std::string> text = fileText(output);
  DeleteFileW(output.c_str());
  DeleteFileW(status.c_str());
  if (exitStatus != "0\n") return std::nullopt;
  return text;
}

}  // namespace wine_test
