#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <memory>
#include <string>

#include "program_layout.h"
#include "program_process.h"

class UserScreen;

// The real orvex-capture, started as a child process on the display under test; stopped when
// the object goes (which also closes any error message it has up).
class ProgramUnderTest {
 public:
  static constexpr const char* kTitle = "Orvex画面キャプチャー";

  explicit ProgramUnderTest(const UserScreen& screen);
  ~ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  // Waits until the window is mapped, framed, active (so keys reach it) and painted, with its
  // frame's top left corner moved to `place` (the window manager puts it anywhere).
  ::testing::AssertionResult waitUntilReadyAt(QPoint place);

  int pid() const { return process_->pid(); }
  unsigned long window() const { return window_; }
  QRect clientArea() const;
  QRect frameArea() const;
  ProgramLayout layout() const { return ProgramLayout::of(clientArea()); }
  bool active() const;

  // What it wrote to stderr so far; a runtime error's report shows up there too.
  std::string errorOutput() const;
  void stop() { process_->stop(); }
  // Its exit status once it has ended by itself, waiting up to `bound`; nothing if it has not.
  std::optional<int> exitStatusWithin(std::chrono::milliseconds bound) {
    return process_->exitStatusWithin(bound);
  }

 private:
  bool findWindow();
  bool painted() const;
  bool framedAt(QPoint place) const;

  const UserScreen& screen_;
  std::string errorFile_;
  std::unique_ptr<ChildProcess> process_;
  unsigned long window_ = 0;
  mutable QImage lastLook_;
};
