#pragma once

#include <QPointer>
#include <string>
#include <vector>

class QMessageBox;
class QWidget;

namespace forms {
class RuntimeError;
}

namespace qtplatform {

// Tells the user about an error that ended a handler, without stopping the program: a message
// box that does not block the window, and a line on stderr. An error that comes again while
// its message is still up (a timer tick failing 20 times a second) is not told again: one
// box, one line.
class ErrorReporter {
 public:
  // `window` (may be null) gives the message its title and its place on screen.
  void report(const forms::RuntimeError& error, QWidget* window);

 private:
  struct ShownError {
    int number;
    std::string description;
    QPointer<QMessageBox> box;
  };
  bool alreadyShown(const forms::RuntimeError& error);

  std::vector<ShownError> shown_;
};

}  // namespace qtplatform
