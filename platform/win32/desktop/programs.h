#pragma once

#include <optional>
#include <string>

#include "platform/desktop/programs.h"
#include "platform/win32/desktop/program_launcher.h"

namespace win32 {

// Starts programs and types into them with SendInput. Keys sent right after a start wait,
// bounded, for the started program's main window to be in the foreground, and go nowhere else.
class Programs final : public platform::Programs {
 public:
  double Shell(const std::string& path, int windowStyle) override;
  void SendKeys(const std::string& keys, bool wait) override;

 private:
  // Started by Shell and not yet waited for: the next keys are meant for its window.
  std::optional<StartedProgram> programAwaitingKeys_;
};

}  // namespace win32
