#pragma once

#include <functional>

#include "platform/forms/peers.h"

namespace platform {
class Screen;
}

namespace forms {

// What every control of one program shares: the toolkit that makes its peers, the screen's
// scale, and the error boundary through which every event is delivered.
class Runtime {
 public:
  Runtime(Toolkit& toolkit, platform::Screen& screen) : toolkit_(toolkit), screen_(screen) {}

  Toolkit& toolkit() { return toolkit_; }
  platform::Screen& screen() { return screen_; }

  // Runs one event handler. An error that escapes it ends the handler where it stands; it is
  // reported and the program carries on.
  void deliver(const std::function<void()>& handler);

 private:
  Toolkit& toolkit_;
  platform::Screen& screen_;
};

}  // namespace forms
