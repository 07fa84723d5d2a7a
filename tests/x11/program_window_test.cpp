#include "platform/x11/program_window.h"

#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/forms/runtime_error.h"
#include "platform/x11/paint_program.h"
#include "test_display.h"
#include "wait_until.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace std::chrono_literals;

constexpr const char* kNormal = "_NET_WM_WINDOW_TYPE_NORMAL";
// Above the largest process id Linux hands out: the process id a sandboxed program's window
// names means nothing outside the sandbox.
constexpr int kNoSuchProcess = (1 << 22) + 1;

// An executable shell script in the temporary directory, gone with the object.
class Script {
 public:
  Script(const std::string& name, const std::string& body)
      : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::ofstream(path_) << "#!/bin/sh\n" << body;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
  }
  ~Script() { std::filesystem::remove(path_); }
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;
  std::string path() const { return path_.string(); }
  std::string name() const { return path_.filename().string(); }

 private:
  std::filesystem::path path_;
};

class ProgramWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_.get(), nullptr) << "these tests need DISPLAY to name a running X server";
    connection_ = std::make_unique<x11::Connection>();
    newWindows_ = std::make_unique<x11::NewWindows>();
  }

  // A top-level window the window manager (if any) will manage, claimed by process `pid` and,
  // when `program` is given, named after it in its WM_CLASS.
  Window createWindowOf(int pid, const char* type = kNormal, const char* program = nullptr) {
    Display* display = display_.get();
    const Window window = XCreateSimpleWindow(display, display_.root(), 100, 100, 300, 200, 0, 0,
                                              WhitePixel(display, DefaultScreen(display)));
    const long pidValue = pid;
    XChangeProperty(display, window, display_.atom("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pidValue), 1);
    const Atom typeValue = display_.atom(type);
    XChangeProperty(display, window, display_.atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&typeValue), 1);
    if (program != nullptr) {
      std::string name = program;
      XClassHint hint{name.data(), name.data()};
      XSetClassHint(display, window, &hint);
    }
    XSelectInput(display, window, StructureNotifyMask | KeyPressMask);
    windows_.push_back(window);
    return window;
  }

  // Returns once the window manager has handled the window too: a look that does not find it
  // has seen it as it stays.
  Window mapWindowOf(int pid, const char* type = kNormal, const char* program = nullptr) {
    const Window window = createWindowOf(pid, type, program);
    XMapWindow(display_.get(), window);
    display_.waitFor(window, MapNotify);
    EXPECT_TRUE(display_.windowManagerCaughtUp()) << "the window manager did not answer";
    return window;
  }

  // Waits for the window of `program`, started after the fixture was set up, looking as the
  // paint hand-off does; `betweenLooks` runs between two looks.
  bool waitForWindowOf(
      const x11::StartedProgram& program, std::chrono::milliseconds timeout,
      const std::function<void()>& betweenLooks = [] {}) {
    x11::ProgramWindow window(*connection_, program, *newWindows_);
    return waitUntil([&] { return window.ready(); }, timeout,
                     [&] {
                       betweenLooks();
                       sleepBetweenLooks();
                     });
  }

  void TearDown() override {
    for (const Window window : windows_) XDestroyWindow(display_.get(), window);
    if (display_.get() != nullptr) display_.sync();
  }

  TestDisplay display_;
  std::unique_ptr<x11::Connection> connection_;
  std::unique_ptr<x11::NewWindows> newWindows_;
  std::vector<Window> windows_;
  // This test process, standing for a program started after the fixture was set up.
  const x11::StartedProgram thisProcess_{getpid(), 0, "program-window-test"};
};

TEST_F(ProgramWindow, IsFoundActiveOnceItShows) {
  const Window window = mapWindowOf(getpid());
  EXPECT_TRUE(waitForWindowOf(thisProcess_, 5s));
  EXPECT_EQ(display_.focusedWindow(), window);
}

TEST_F(ProgramWindow, IsActivatedWhenTheWindowManagerLeavesItBehind) {
  const Window window = createWindowOf(getpid());
  // A user time of 0 asks the window manager not to focus the window when it maps, as it may
  // decide by itself when the user has just typed into another window.
  const long never = 0;
  XChangeProperty(display_.get(), window, display_.atom("_NET_WM_USER_TIME"), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&never), 1);
  XMapWindow(display_.get(), window);
  display_.waitFor(window, MapNotify);
  EXPECT_TRUE(waitForWindowOf(thisProcess_, 5s));
  EXPECT_EQ(display_.focusedWindow(), window);
}

TEST_F(ProgramWindow, ASplashScreenIsNotTheWindow) {
  mapWindowOf(getpid(), "_NET_WM_WINDOW_TYPE_SPLASH");
  EXPECT_FALSE(waitForWindowOf(thisProcess_, 300ms));
}

TEST_F(ProgramWindow, AnotherProcesssWindowDoesNotCount) {
  mapWindowOf(getpid());
  int looks = 0;
  const x11::StartedProgram another{kNoSuchProcess, 0, "another"};
  EXPECT_FALSE(waitForWindowOf(another, 200ms, [&] { ++looks; }));
  EXPECT_GT(looks, 0);
}

// The message names what the user can install.
TEST_F(ProgramWindow, WithoutAPaintProgramTheStartNamesTheOnesLookedFor) {
  const char* searched = std::getenv("PATH");
  const std::string path = searched != nullptr ? searched : "";
  setenv("PATH", testing::TempDir().c_str(), 1);
  x11::KeySender keys(*connection_);
  try {
    x11::startPaintProgram(*connection_, keys);
    ADD_FAILURE() << "no error";
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.number(), 53);
    for (const char* program : {"kolourpaint", "gimp", "drawing"}) {
      EXPECT_NE(error.description().find(program), std::string::npos) << error.description();
    }
  }
  setenv("PATH", path.c_str(), 1);
}

// A launcher script that starts the real program in the background and exits: the window is
// that of a process the start produced, though not of the one started. An unrelated window
// that shows up meanwhile is not it.
TEST_F(ProgramWindow, IsTheWindowOfWhatAWrapperStarted) {
  const std::string childPidFile = testing::TempDir() + "wrapped-" + std::to_string(getpid());
  const Script wrapper("wrapper", "sleep 30 &\necho $! > '" + childPidFile + "'\n");
  Window unrelated = 0;
  Window wrapped = 0;
  int child = 0;
  const x11::LaunchedProgram launched = x11::startProgram(wrapper.path());
  EXPECT_TRUE(waitForWindowOf(launched.program, 5s, [&] {
    // The unrelated window in front for one look at least, then the program's.
    if (unrelated == 0) {
      unrelated = mapWindowOf(getpid(), kNormal, "unrelated");
      EXPECT_TRUE(display_.takeFocus(unrelated));
    } else if (wrapped == 0 && (std::ifstream(childPidFile) >> child)) {
      wrapped = mapWindowOf(child);
    }
  }));
  EXPECT_TRUE(wrapped != 0 && display_.focusedWindow() == wrapped);
  if (child > 0) kill(child, SIGTERM);
  std::filesystem::remove(childPidFile);
}

// A sandbox (flatpak run) gives the program process ids of its own, which name nothing here;
// its window's class names it. A window of that class that was there before is not it.
TEST_F(ProgramWindow, IsTheNewWindowNamedAfterASandboxedProgram) {
  const Script program("sandboxed", "sleep 10\n");
  const Window earlier = mapWindowOf(getpid(), kNormal, program.name().c_str());
  ASSERT_TRUE(display_.takeFocus(earlier));
  newWindows_ = std::make_unique<x11::NewWindows>();  // the start comes after it
  Window sandboxed = 0;
  const x11::LaunchedProgram launched = x11::startProgram(program.path());
  EXPECT_TRUE(waitForWindowOf(launched.program, 5s, [&] {
    if (sandboxed == 0) sandboxed = mapWindowOf(kNoSuchProcess, kNormal, program.name().c_str());
  }));
  EXPECT_EQ(display_.focusedWindow(), sandboxed);
  kill(launched.program.pid, SIGTERM);
}

}  // namespace
