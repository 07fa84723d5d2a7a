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
std::wstring onDriveZ(const std::string& hostPath) {
  std::wstring path = L"Z:" + win32::toUtf16(hostPath);
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
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
  static int runs = 0;
  const std::string base = "/tmp/orvex-wine-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++runs);
  const std::string output = base + ".out";
  const std::string status = base + ".status";
  // Wine cannot wait for a Unix process: the command says when it is done, with its status.
  std::wstring commandLine =
      win32::toUtf16("Z:\\bin\\sh -c \"(" + command + ") >" + output + "; echo $? >" + status +
                     ".part; mv " + status + ".part " + status + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return std::nullopt;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::optional<std::string> exitStatus;
  waitUntil([&] { return (exitStatus = fileText(onDriveZ(status))).has_value(); },
            std::chrono::milliseconds(15000));
  std::optional<std::string> text = fileText(onDriveZ(output));
  DeleteFileW(onDriveZ(output).c_str());
  DeleteFileW(onDriveZ(status).c_str());
  if (exitStatus != "0\n") return std::nullopt;
  return text;
}

}  // namespace wine_test
