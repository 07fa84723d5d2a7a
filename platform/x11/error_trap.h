#pragma once

#include "platform/x11/connection.h"

namespace x11 {

// Catches the X errors of a stretch of requests on one connection, which Xlib's default
// handler would answer by ending the program. Install one around every group of requests
// that might fail; traps nest. Errors on other connections (Qt's) go to the handler that was
// there before.
class ErrorTrap {
 public:
  explicit ErrorTrap(const Connection& connection) : ErrorTrap(connection.display()) {}
  // Also for a connection that is not ours (Qt's).
  explicit ErrorTrap(_XDisplay* display);
  // Waits for the server to catch up first if requests are still in flight, so that their
  // errors still land here.
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Waits until the server has processed every request so far; true if any of them failed
  // since the trap was set.
  bool failed();

 private:
  friend struct ErrorTrapChain;

  _XDisplay* display_;
  ErrorTrap* outer_;
  int errorCode_ = 0;
};

}  // namespace x11
