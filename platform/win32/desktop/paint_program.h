#pragma once

#include <windows.h>

#include <memory>

#include "platform/desktop/start_and_paste.h"

namespace win32 {

// Starts Paint (see startPaint) for a Ctrl+V typed into its main window once that is in the
// foreground (see ProgramWindow). Throws as startPaint does.
std::unique_ptr<platform::StartedPaintProgram> startPaintProgram();

// How a process ended, from its exit code: "終了コード 3"; the codes of a crash (an NTSTATUS
// such as 0xC0000005) in hexadecimal.
platform::ProgramEnd programEndOf(DWORD exitCode);

}  // namespace win32
