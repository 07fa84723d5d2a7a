#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/desktop/programs.h"
#include "platform/x11/connection.h"
#include "platform/x11/key_sender.h"
#include "platform/x11/new_windows.h"
#include "platform/x11/program_launcher.h"

namespace x11 {

// Starts programs and types into them through XTEST. Keys sent right after a start wait,
// bounded, for the started program's window to be active, and go nowhere else.
class Programs final : public platform::Programs {
 public:
  // `serveWhileWaiting` runs often while we wait for a started program's window: the program
  // may need something of ours meanwhile (kolourpaint asks for the clipboard before it shows).
  Programs(Connection& connection, std::function<void()> serveWhileWaiting);

  double Shell(const std::string& path, int windowStyle) override;
  void SendKeys(const std::string& keys, bool wait) override;

 private:
  Connection& connection_;
  KeySender keySender_;
  std::function<void()> serveWhileWaiting_;
  // Started by Shell and not yet waited for: the next keys are meant for its window, which is
  // one of the windows created since the start.
  struct AwaitedProgram {
    StartedProgram program;
    std::unique_ptr<NewWindows> newWindows;
  };
  std::optional<AwaitedProgram> programAwaitingKeys_;
};

}  // namespace x11
