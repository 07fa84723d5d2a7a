#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

// The program's few options, read before anything touches a toolkit or a display, so that
// --help and --version answer anywhere. Plain C++: every platform's entry shares it.
namespace commandline {

enum class Action { kRunWindow, kPrintHelp, kPrintVersion, kReportMisuse };

struct Request {
  Action action = Action::kRunWindow;
  std::string misuse;  // the one-line complaint that goes with kReportMisuse
};

// Reads the arguments after the program's name. The first one decides, as with most tools:
// a known option is answered at once, anything else is a misuse.
Request parse(std::span<const char* const> arguments);

// Prints what the request asks for and gives the exit status; nothing when the program has to
// run instead.
std::optional<int> answer(const Request& request, std::ostream& out, std::ostream& err);

}  // namespace commandline
