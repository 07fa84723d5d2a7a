#pragma once

#include <windows.h>

#include <string_view>

namespace win32 {

enum class StreamWrite { kWritten, kFailed, kNoStream };

// Writes UTF-8 text to a standard stream of the program (STD_OUTPUT_HANDLE or
// STD_ERROR_HANDLE): a console gets it as UTF-16, so that Japanese shows whatever its code
// page; a file or a pipe gets the UTF-8 bytes. A program of the Windows subsystem started from
// Explorer has no such stream.
StreamWrite writeStandardStream(DWORD stream, std::string_view text);

// Writes to the console of the program that started this one (cmd.exe, PowerShell), if there
// is one, for a GUI program that has no stream of its own. The shell has not waited for us, so
// the text starts on a line of its own below its prompt.
bool writeParentConsole(std::string_view text);

}  // namespace win32
