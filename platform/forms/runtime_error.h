#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// The one error type of the runtime. Anything that fails inside a handler throws it; the
// error boundary that delivered the event reports it and the program carries on.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, std::string description);

  int number() const { return number_; }
  const std::string& description() const { return description_; }

  static RuntimeError invalidProcedureCall();
  static RuntimeError overflow();
  static RuntimeError floatingPointFault();
  static RuntimeError fileNotFound(const std::string& path);
  // None of the paint programs we can hand a picture to is installed; `programs` names them.
  static RuntimeError paintProgramNotFound(const std::string& programs);
  static RuntimeError invalidPropertyValue();
  static RuntimeError clipboardUnavailable();
  static RuntimeError invalidKeyString(const std::string& keys, const std::string& reason);
  static RuntimeError programWindowDidNotAppear(const std::string& program);
  // A program started to take keys ended before its window came; `how` says how it ended.
  static RuntimeError programEndedBeforeItsWindow(const std::string& program,
                                                  const std::string& how);
  static RuntimeError programNotStarted(const std::string& path);
  // The screen's pixels could not be read; `reason` says why (the screen's format, the X
  // server refusing, ...).
  static RuntimeError screenUnreadable(const std::string& reason);

 private:
  int number_;
  std::string description_;
};

}  // namespace forms
