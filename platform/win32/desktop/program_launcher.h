#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace win32 {

struct StartedProgram {
  DWORD pid = 0;
  // A job holding the program and every process it starts (unless one leaves it on purpose),
  // also after the program itself has exited: a launcher that starts the real program and
  // ends. Null when Windows would not put the program in it.
  KernelHandle job;
  std::string name;  // what was started, for messages
};

// Whether `path` is the classic path by which the program asks for Paint, in any letter case.
bool isClassicPaintPath(const std::string& path);

// Starts the program at `path`, with no arguments, its window shown as `windowStyle` says
// (the classic Shell styles: 1 a normal window with the focus, ...). For the classic Paint
// path it starts the file there if there is one, else Windows' Paint:
// "%SystemRoot%\System32\mspaint.exe", else mspaint.exe as the system's search finds it (which
// Windows 11 resolves to its Paint app). Throws forms::RuntimeError: invalidProcedureCall for an
// unknown style, fileNotFound when there is nothing at `path`, paintProgramNotFound naming the
// places looked at when no Paint is found, programNotStarted when Windows refuses to start it.
StartedProgram startProgram(const std::string& path, int windowStyle);

}  // namespace win32
