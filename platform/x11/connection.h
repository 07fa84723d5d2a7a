#pragma once

#include "platform/x11/display_type.h"

namespace x11 {

// A connection of our own to the X server, apart from Qt's, so that screen reads and sent keys
// never disturb Qt's event handling. The server's refusals on it go to the ErrorTraps watching
// the requests refused, or are reported once for each kind: none ever ends the program.
class Connection {
 public:
  // Opens $DISPLAY. Throws std::runtime_error when there is no X display to open.
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  _XDisplay* display() const { return display_; }
  unsigned long rootWindow() const { return rootWindow_; }

 private:
  _XDisplay* display_;
  unsigned long rootWindow_;
};

}  // namespace x11
