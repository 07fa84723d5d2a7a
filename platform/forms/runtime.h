#pragma once

#include <functional>

#include "platform/forms/peers.h"

namespace platform {
class Desktop;
class Screen;
}  // namespace platform

namespace forms {

// What every control of one program shares: the toolkit that makes its peers, the desktop it
// runs on (the screen's scale, the clipboard, ...), and the error boundary through which every
// event is delivered.
class Runtime {
 public:
  // Both must outlive the runtime and every control made on it.
  Runtime(Toolkit& toolkit, platform::Desktop& desktop) : toolkit_(toolkit), desktop_(desktop) {}

  Toolkit& toolkit() { return toolkit_; }
  platform::Desktop& desktop() { return desktop_; }
  platform::Screen& screen();

  // Runs one event handler. An error that escapes it ends the handler where it stands; it is
  // reported and the program carries on. A NotReady ends it too, shown as a short note.
  void deliver(const std::function<void()>& handler);

 private:
  Toolkit& toolkit_;
  platform::Desktop& desktop_;
};

}  // namespace forms
