#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace forms {
class RuntimeError;
}

namespace win32 {

// Tells the user about an error that ended a handler, without stopping the program: a message
// box in Japanese and a line on stderr. An error that comes again while its box is still up (a
// timer tick failing 20 times a second) is not told again: one box, one line.
//
// Each box runs on a thread of its own. A message box on the window's thread would run a modal
// loop of its own inside the failed handler's caller: the window's timers and clicks would go
// on inside it, a handler failing again would open a box inside the box, and the window would
// be disabled until the user answers. On its own thread the box leaves the window's loop alone:
// the window goes on as if nothing had been shown, and the boxes come and go in any order.
class ErrorReporter {
 public:
  // `window` (may be null) gives the box its title.
  void report(const forms::RuntimeError& error, HWND window);

 private:
  struct ShownError {
    int number;
    std::string description;
    std::shared_ptr<std::atomic<bool>> open;  // cleared by the box's thread when it closes
  };
  bool alreadyShown(const forms::RuntimeError& error);

  std::vector<ShownError> shown_;
};

}  // namespace win32
