#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/desktop/start_and_paste.h"
#include "platform/x11/connection.h"
#include "platform/x11/key_sender.h"

namespace x11 {

// The desktop's paint program: the first installed of the programs that take a picture pasted
// from the clipboard by Ctrl+V straight after they start. Nothing when none is installed.
std::optional<std::string> installedPaintProgram();

// The programs that installedPaintProgram looks for, in its order: "kolourpaint, gimp, ...".
std::string paintProgramNames();

// Starts the desktop's paint program for a paste that `keys` types into its window, once that
// is up (see ProgramWindow). Throws forms::RuntimeError::paintProgramNotFound naming the
// programs looked for when none is installed, fileNotFound when it cannot start.
std::unique_ptr<platform::StartedPaintProgram> startPaintProgram(Connection& connection,
                                                                 KeySender& keys);

}  // namespace x11
