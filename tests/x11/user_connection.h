#pragma once

#include "platform/x11/display_type.h"

// The tests' own client of the display under test ($DISPLAY): it plays the user and looks at
// the screen, apart from the program's connections.
class UserConnection {
 public:
  UserConnection();
  ~UserConnection();
  UserConnection(const UserConnection&) = delete;
  UserConnection& operator=(const UserConnection&) = delete;

  // Null when there is no display to open.
  _XDisplay* display() const { return display_; }
  unsigned long root() const;
  // Returns once the server has handled every request sent so far.
  void sync() const;

 private:
  _XDisplay* display_;
};
