#pragma once

#include <utility>
#include <vector>

#include "platform/x11/connection.h"

namespace x11 {

// The X server's refusal of one request, as it reported it.
struct Refusal {
  unsigned long serial = 0;
  int errorCode = 0;
  int requestCode = 0;         // the major opcode: the core request, or the extension
  int minorCode = 0;           // the extension's request
  unsigned long resource = 0;  // the window, pixmap or picture it could not use, if any
};

// Catches the X server's refusals of the requests sent on one display connection while the
// trap watches. Each error is put down to the request it answers, by its serial number, and
// goes to the newest trap that watched that request, whenever it arrives; nothing swaps the
// process-wide Xlib handler. An error no trap watches ends nothing either: on a connection of
// our own (Connection) it is reported on stderr, once for each kind; on another (Qt's) it goes
// to the handler in force, as if no trap had been there.
class ErrorTrap {
 public:
  // Watches from now on.
  explicit ErrorTrap(const Connection& connection) : ErrorTrap(connection.display()) {}
  // Also for a connection that is not ours (Qt's).
  explicit ErrorTrap(_XDisplay* display);
  // Waits for the server to carry out the requests it watched that are still in flight, so
  // that their refusals land here.
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Requests sent from now on are not the trap's until it watches again: one trap can watch the
  // requests of several calls, and of nobody else in between.
  void pause();
  void watch();
  // Whether the server is known to have carried out the requests watched so far: a reply to a
  // later request has come. failed() waits for nothing then.
  bool settled() const;
  // Waits until the server has carried out the requests watched so far, unless it is settled;
  // true if it refused any.
  bool failed();
  // What it refused, in the order the answers came.
  const std::vector<Refusal>& refusals() const { return refusals_; }
  // Reports the refusals on stderr, each kind once in the program's life, like an error no trap
  // watches: for refusals that are failures, not answers.
  void report() const;
  // Forgets the requests watched so far and their refusals; watches on if it did.
  void clear();

 private:
  friend struct DisplayErrors;

  bool watches(unsigned long serial) const;
  // The last request it watched; 0 before the first.
  unsigned long lastWatched() const;

  _XDisplay* display_;
  // The serial numbers watched: from the first, up to the second (0 while still watching).
  std::vector<std::pair<unsigned long, unsigned long>> spans_;
  std::vector<Refusal> refusals_;
};

// Puts every error on `display` through the traps, and reports one that none watches instead
// of handing it on. For our own connections, from their opening to their closing.
void catchErrorsOf(_XDisplay* display);

}  // namespace x11
