#include <windows.h>
// After windows.h, on whose types it builds.
#include <shellapi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/form1.h"
#include "platform/forms/numeric.h"
#include "platform/forms/runtime.h"
#include "platform/win32/desktop/win32_desktop.h"
#include "platform/win32/ui/message_loop.h"
#include "platform/win32/ui/standard_streams.h"
#include "platform/win32/ui/win32_toolkit.h"
#include "platform/win32/utf16.h"

namespace {

// The desktop, the toolkit and the window, made in this order and destroyed in reverse.
struct Program {
  win32::Win32Desktop desktop;
  win32::Win32Toolkit toolkit;
  forms::Runtime runtime{toolkit, desktop};
  Form1 form{runtime};
};

// The arguments after the program's name, as the UTF-8 the shared parser reads.
std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(win32::toUtf8(wide[i]));
  LocalFree(wide);
  return utf8;
}

// Shows what the program has to say outside its window. A GUI program has no console of its
// own, so: to its standard stream if it was given one (redirected to a file or a pipe, or
// under Wine from a terminal); else to the console of the shell that started it (cmd.exe,
// PowerShell); else, started from Explorer or a shortcut, in a message box, since text
// written nowhere would leave the user with nothing at all. False when the stream it was
// given failed to take it, or it could be shown nowhere.
bool tell(std::string_view text, bool problem) {
  switch (win32::writeStandardStream(problem ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, text)) {
    case win32::StreamWrite::kWritten:
      return true;
    case win32::StreamWrite::kFailed:
      return false;
    case win32::StreamWrite::kNoStream:
      break;
  }
  return win32::writeParentConsole(text) ||
         MessageBoxW(nullptr, win32::toUtf16(text).c_str(),
                     win32::toUtf16(commandline::kProgramName).c_str(),
                     MB_OK | (problem ? MB_ICONERROR : MB_ICONINFORMATION)) != 0;
}

// The decimal separator the user chose in the regional settings.
std::string userDecimalSeparator() {
  wchar_t separator[8] = {};  // at most four characters and the null
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
  return win32::toUtf8(separator);
}

// Whether the user's interface language is Japanese.
bool userReadsJapanese() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE; }

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  // Options are answered before any window is made.
  const std::vector<std::string> options = arguments();
  std::vector<const char*> pointers;
  pointers.reserve(options.size());
  for (const std::string& option : options) pointers.push_back(option.c_str());
  const commandline::Request request = commandline::parse(pointers);
  std::ostringstream out;
  std::ostringstream err;
  if (const auto status = commandline::answer(request, out, err)) {
    if (tell(*status == 0 ? out.str() : err.str(), *status != 0)) return *status;
    // The answer went nowhere: a failure, whatever it was.
    tell(commandline::unwrittenAnswer(), true);
    return *status == 0 ? commandline::kUnwrittenStatus : *status;
  }

  forms::setDecimalSeparator(userDecimalSeparator());
  std::unique_ptr<Program> program;
  try {
    program = std::make_unique<Program>();
  } catch (const std::exception& error) {
    tell(commandline::startFailure(error.what(), error.what(), userReadsJapanese()), true);
    return EXIT_FAILURE;
  }
  // Closing the window ends the loop, and the program with it.
  program->form.Start();
  return win32::runMessageLoop();
}
