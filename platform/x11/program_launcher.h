#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/start_and_paste.h"
#include "platform/x11/unique_fd.h"

namespace x11 {

struct StartedProgram {
  int pid = 0;
  // The session it was started in, which whatever it starts keeps after it exits (a wrapper
  // script that forks the real program); 0 when unknown.
  int session = 0;
  std::string name;  // what was started, for messages: the path, or the paint program's name

  // Whether a window's WM_CLASS part (its instance or class name) names this program: the file
  // name in any letter case, alone, with a version ("gimp-2.10") or ending an application id
  // ("org.kde.kolourpaint").
  bool isNamedBy(std::string_view windowClass) const;
};

// How a program we started ends. The program is not our child, so that it outlives us and
// leaves no zombie behind: a small process of ours started it, waits for it and tells us. When
// this goes, that process is ended and reaped; the program runs on.
class EndWatch {
 public:
  EndWatch(UniqueFd reports, int watcher) : reports_(std::move(reports)), watcher_(watcher) {}
  ~EndWatch();
  EndWatch(EndWatch&& other) noexcept;
  EndWatch(const EndWatch&) = delete;
  EndWatch& operator=(const EndWatch&) = delete;
  EndWatch& operator=(EndWatch&&) = delete;

  // How the program ended, once it has; nothing while it runs. Never blocks.
  std::optional<platform::ProgramEnd> end();

 private:
  UniqueFd reports_;
  int watcher_;
  std::optional<platform::ProgramEnd> end_;
};

struct LaunchedProgram {
  StartedProgram program;
  EndWatch watch;
};

// Starts the program at `path` (searched in $PATH when it holds no '/'), with no arguments, in
// a session of its own. Returns once the program has been executed. Throws
// forms::RuntimeError::fileNotFound when there is nothing to start or it cannot start.
LaunchedProgram startProgram(const std::string& path);

// How a process ended, from its wait status: "終了コード 3", "シグナル SIGSEGV".
platform::ProgramEnd programEndOf(int waitStatus);

}  // namespace x11
