#pragma once

#include <QPointer>
#include <string>
#include <vector>

class QWidget;

namespace forms {
class RuntimeError;
}

namespace qtplatform {

class MessageWindow;

// Tells the user about an error that ended a handler, without stopping the program: a message
// that does not block the window, and a line on stderr. An error that comes again while its
// message is still up (a timer tick failing 20 times a second) is not told again: one message,
// one line; but a message that has not been seen yet is shown again where it can be.
class ErrorReporter {
 public:
  // `window` (may be null) gives the message its title and its place on screen.
  void report(const forms::RuntimeError& error, QWidget* window);

 private:
  struct ShownError {
    int number;
    std::string description;
    QPointer<MessageWindow> message;
  };
  // The message still up for `error`; null if there is none.
  MessageWindow* shownFor(const forms::RuntimeError& error);

  std::vector<ShownError> shown_;
};

}  // namespace qtplatform
