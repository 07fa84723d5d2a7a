#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace win32 {

struct StartedProgram {
  DWORD pid = 0;
  KernelHandle process;  // to learn how it ended
  // A job holding the program and every process it starts (unless one leaves it on purpose),
  // also after the program itself has exited: a launcher that starts the real program and
  // ends. Null when Windows would not put the program in it.
  KernelHandle job;
  std::string name;  // what was started, for messages
};

// Starts Paint with a normal window that has the focus: the file at the classic path
// "C:\Program Files\Accessories\MSPAINT.EXE" if there is one, else
// "%SystemRoot%\System32\mspaint.exe", else mspaint.exe as the system's search finds it (which
// Windows 11 resolves to its Paint app). Throws forms::RuntimeError: paintProgramNotFound
// naming the places looked at when no Paint is found, programNotStarted when Windows refuses
// to start it.
StartedProgram startPaint();

}  // namespace win32
