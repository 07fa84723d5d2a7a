#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The program's few options, read before anything touches a toolkit or a display, so that
// --help and --version answer anywhere; and what it says when it cannot start. Plain C++:
// every platform's entry shares it.
namespace commandline {

// What the program calls itself in what it writes to the terminal.
constexpr std::string_view kProgramName = "orvex-capture";
// The status of an answer to an option that could not be written.
constexpr int kUnwrittenStatus = 1;
// The line that says so, where it can still be said.
std::string unwrittenAnswer();

enum class Action { kRunWindow, kPrintHelp, kPrintVersion, kReportMisuse };

struct Request {
  Action action = Action::kRunWindow;
  std::string misuse;  // the one-line complaint that goes with kReportMisuse
};

// Reads the arguments after the program's name: none runs the window, one known option is
// answered, anything else (an unknown option, an argument, anything after an option) is a
// misuse.
Request parse(std::span<const char* const> arguments);

// Prints what the request asks for and gives the exit status; nothing when the program has to
// run instead. An answer that cannot be written (a full disk, a closed stream) fails: status 1,
// said on `err` if that can be written.
std::optional<int> answer(const Request& request, std::ostream& out, std::ostream& err);

// An argument as the user can read it back: in double quotes, or where it holds control
// characters (an escape sequence would act on the terminal) or bytes that are no UTF-8, in the
// shell's $'...' form with those escaped: $'\e[31m'.
std::string quoted(std::string_view argument);

// Whether the user reads Japanese, by the locale variables in their order of precedence
// (LC_ALL, LC_MESSAGES, LANG); each may be null or empty.
bool localeIsJapanese(const char* lcAll, const char* lcMessages, const char* lang);

// What the program says when it cannot start: a line in Japanese, and for a user who does not
// read Japanese the same in English under it.
std::string startFailure(std::string_view japaneseReason, std::string_view englishReason,
                         bool japaneseReader);

}  // namespace commandline
