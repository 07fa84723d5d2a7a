// A test program that shows no window of its own. With ORVEX_TEST_START naming a program, it
// starts that and ends at once, as launchers and wrapper scripts do; with ORVEX_TEST_EXIT, it
// ends at once with that exit code, as a program that fails at its start; without either, it
// stays a minute and shows nothing, as a program whose window never comes.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  wchar_t exitCode[16];
  if (GetEnvironmentVariableW(L"ORVEX_TEST_EXIT", exitCode, 16) - 1U < 15U) {
    return _wtoi(exitCode);
  }
  std::wstring program(MAX_PATH, L'\0');
  const DWORD length = GetEnvironmentVariableW(L"ORVEX_TEST_START", program.data(), MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    Sleep(60000);
    return 0;
  }
  program.resize(length);
  std::wstring commandLine = L'"' + program + L'"';
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return 1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
