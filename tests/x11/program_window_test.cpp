#include "platform/x11/program_window.h"

#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/forms/runtime_error.h"
#include "platform/x11/programs.h"
#include "platform/x11/qt/desktop.h"
#include "test_display.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace std::chrono_literals;

constexpr int kProgramWindowDidNotAppear = 75;
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

  // Waits for the window of `program`, started after the fixture was set up.
  bool waitForWindowOf(
      const x11::StartedProgram& program, std::chrono::milliseconds timeout,
      const std::function<void()>& betweenLooks = [] {}) {
    return x11::waitForProgramWindow(*connection_, program, *newWindows_, timeout, betweenLooks);
  }

  // Whether keys reached `window`: all sent so far has by the time the server answers us.
  bool receivedKeys(Window window) const {
    display_.sync();
    XEvent event;
    return XCheckWindowEvent(display_.get(), window, KeyPressMask, &event) != 0;
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

TEST_F(ProgramWindow, KeysAfterAStartWaitForTheWindowAndAreNotSentWithoutIt) {
  const Window witness = display_.mapUnmanagedWindow(0, 0, 50, 50);
  windows_.push_back(witness);
  ASSERT_TRUE(display_.takeFocus(witness));

  x11::Desktop desktop;
  platform::Programs& programs = desktop.programs();
  const Script program("windowless", "sleep 10\n");
  const double task = programs.Shell(program.path(), platform::vbNormalFocus);
  EXPECT_GT(task, 0);
  try {
    programs.SendKeys("x", true);
    ADD_FAILURE() << "no error";
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.number(), kProgramWindowDidNotAppear);
    EXPECT_NE(error.description().find(program.path()), std::string::npos);
  }
  EXPECT_FALSE(receivedKeys(witness));

  // Only the keys right after a start wait.
  ASSERT_TRUE(display_.takeFocus(witness));
  programs.SendKeys("x", true);
  EXPECT_TRUE(receivedKeys(witness));
  kill(static_cast<pid_t>(task), SIGTERM);
}

// A launcher script that starts the real program in the background and exits: the window is
// that of a process the start produced, though not of the one started. An unrelated window
// that shows up meanwhile gets nothing.
TEST_F(ProgramWindow, KeysGoToTheWindowOfWhatAWrapperStarted) {
  const std::string childPidFile = testing::TempDir() + "wrapped-" + std::to_string(getpid());
  const Script wrapper("wrapper", "sleep 30 &\necho $! > '" + childPidFile + "'\n");
  Window unrelated = 0;
  Window wrapped = 0;
  int child = 0;
  x11::Programs programs(*connection_, [&] {
    // The unrelated window in front for one look at least, then the program's.
    if (unrelated == 0) {
      unrelated = mapWindowOf(getpid(), kNormal, "unrelated");
      EXPECT_TRUE(display_.takeFocus(unrelated));
    } else if (wrapped == 0 && (std::ifstream(childPidFile) >> child)) {
      wrapped = mapWindowOf(child);
    }
  });
  programs.Shell(wrapper.path(), platform::vbNormalFocus);
  EXPECT_NO_THROW(programs.SendKeys("x", true));
  EXPECT_TRUE(wrapped != 0 && receivedKeys(wrapped));
  EXPECT_FALSE(receivedKeys(unrelated));
  if (child > 0) kill(child, SIGTERM);
  std::filesystem::remove(childPidFile);
}

// A sandbox (flatpak run) gives the program process ids of its own, which name nothing here;
// its window's class names it. A window of that class that was there before is not it.
TEST_F(ProgramWindow, KeysGoToTheNewWindowNamedAfterASandboxedProgram) {
  const Script program("sandboxed", "sleep 10\n");
  const Window earlier = mapWindowOf(getpid(), kNormal, program.name().c_str());
  Window sandboxed = 0;
  x11::Programs programs(*connection_, [&] {
    if (sandboxed == 0) sandboxed = mapWindowOf(kNoSuchProcess, kNormal, program.name().c_str());
  });
  const double task = programs.Shell(program.path(), platform::vbNormalFocus);
  EXPECT_NO_THROW(programs.SendKeys("x", true));
  EXPECT_TRUE(receivedKeys(sandboxed));
  EXPECT_FALSE(receivedKeys(earlier));
  kill(static_cast<pid_t>(task), SIGTERM);
}

}  // namespace
