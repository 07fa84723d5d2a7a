#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace x11 {

// The path by which the program asks for the system's paint program, in any letter case.
bool isClassicPaintPath(std::string_view path);

// The desktop's paint program: the first installed of the programs that take a picture pasted
// from the clipboard by Ctrl+V straight after they start. Nothing when none is installed.
std::optional<std::string> installedPaintProgram();

// The programs that installedPaintProgram looks for, in its order: "kolourpaint, gimp, ...".
std::string paintProgramNames();

}  // namespace x11
