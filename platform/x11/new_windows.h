#pragma once

#include <vector>

#include "platform/x11/connection.h"

namespace x11 {

// The top-level windows created from the moment this is made on. The server reports each
// creation on the root window, before a window manager reparents it into a frame, so this
// holds whether or not one runs and however far its lists lag behind. Listens on a connection
// of its own, so that no one else's events mix with these.
class NewWindows {
 public:
  // Throws std::runtime_error when the display cannot be opened.
  NewWindows();

  // Takes in the creations the server has reported so far: any window seen on another
  // connection before this call is known afterwards, if it is new.
  void update();
  bool contains(unsigned long window) const;

 private:
  Connection connection_;
  std::vector<unsigned long> created_;
};

}  // namespace x11
