#include "platform/x11/program_window.h"

#include <X11/Xatom.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/forms/runtime_error.h"
#include "platform/qt/qt_desktop.h"
#include "test_display.h"

namespace {

using namespace std::chrono_literals;

constexpr int kProgramWindowDidNotAppear = 75;

class ProgramWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(display_.get(), nullptr) << "these tests need DISPLAY to name a running X server";
  }

  // A top-level window the window manager (if any) will manage, claimed by process `pid`.
  Window createWindowOf(int pid, const char* type = "_NET_WM_WINDOW_TYPE_NORMAL") {
    Display* display = display_.get();
    const Window window = XCreateSimpleWindow(display, display_.root(), 100, 100, 300, 200, 0, 0,
                                              WhitePixel(display, DefaultScreen(display)));
    const long pidValue = pid;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pidValue), 1);
    const Atom typeValue = XInternAtom(display, type, False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&typeValue), 1);
    XSelectInput(display, window, StructureNotifyMask);
    windows_.push_back(window);
    return window;
  }

  Window mapWindowOf(int pid, const char* type = "_NET_WM_WINDOW_TYPE_NORMAL") {
    const Window window = createWindowOf(pid, type);
    XMapWindow(display_.get(), window);
    display_.waitFor(window, MapNotify);
    return window;
  }

  void TearDown() override {
    for (const Window window : windows_) XDestroyWindow(display_.get(), window);
    if (display_.get() != nullptr) XSync(display_.get(), False);
  }

  Window focusedWindow() const {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_.get(), &focus, &revert);
    return focus;
  }

  TestDisplay display_;
  std::vector<Window> windows_;
};

TEST_F(ProgramWindow, IsFoundActiveOnceItShows) {
  x11::Connection connection;
  const Window window = mapWindowOf(getpid());
  EXPECT_TRUE(x11::waitForProgramWindow(connection, getpid(), 5s, [] {}));
  EXPECT_EQ(focusedWindow(), window);
}

TEST_F(ProgramWindow, IsActivatedWhenTheWindowManagerLeavesItBehind) {
  x11::Connection connection;
  const Window window = createWindowOf(getpid());
  // A user time of 0 asks the window manager not to focus the window when it maps, as it may
  // decide by itself when the user has just typed into another window.
  const long never = 0;
  XChangeProperty(display_.get(), window, XInternAtom(display_.get(), "_NET_WM_USER_TIME", False),
                  XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&never),
                  1);
  XMapWindow(display_.get(), window);
  display_.waitFor(window, MapNotify);
  EXPECT_TRUE(x11::waitForProgramWindow(connection, getpid(), 5s, [] {}));
  EXPECT_EQ(focusedWindow(), window);
}

TEST_F(ProgramWindow, ASplashScreenIsNotTheWindow) {
  x11::Connection connection;
  mapWindowOf(getpid(), "_NET_WM_WINDOW_TYPE_SPLASH");
  EXPECT_FALSE(x11::waitForProgramWindow(connection, getpid(), 300ms, [] {}));
}

TEST_F(ProgramWindow, AnotherProcesssWindowDoesNotCount) {
  x11::Connection connection;
  mapWindowOf(getpid());
  int looks = 0;
  EXPECT_FALSE(x11::waitForProgramWindow(connection, getpid() + 1000000, 200ms, [&] { ++looks; }));
  EXPECT_GT(looks, 0);
}

// A program that runs a while and never opens a window.
class Windowless {
 public:
  Windowless() {
    std::ofstream(path_) << "#!/bin/sh\nsleep 10\n";
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
  }
  ~Windowless() { std::filesystem::remove(path_); }
  Windowless(const Windowless&) = delete;
  Windowless& operator=(const Windowless&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_ =
      (std::filesystem::temp_directory_path() / ("windowless-" + std::to_string(getpid())))
          .string();
};

TEST_F(ProgramWindow, KeysAfterAStartWaitForTheWindowAndAreNotSentWithoutIt) {
  const Window witness = display_.mapUnmanagedWindow(0, 0, 50, 50);
  windows_.push_back(witness);
  ASSERT_TRUE(display_.takeFocus(witness));

  qtplatform::QtDesktop desktop;
  platform::Programs& programs = desktop.programs();
  const Windowless program;
  const double task = programs.Shell(program.path(), platform::vbNormalFocus);
  EXPECT_GT(task, 0);
  try {
    programs.SendKeys("x", true);
    ADD_FAILURE() << "no error";
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.number(), kProgramWindowDidNotAppear);
    EXPECT_NE(error.description().find(program.path()), std::string::npos);
  }
  XSync(display_.get(), False);
  XEvent event;
  EXPECT_FALSE(XCheckWindowEvent(display_.get(), witness, KeyPressMask, &event));

  // Only the keys right after a start wait.
  ASSERT_TRUE(display_.takeFocus(witness));
  programs.SendKeys("x", true);
  XSync(display_.get(), False);
  EXPECT_TRUE(XCheckWindowEvent(display_.get(), witness, KeyPressMask, &event));
  kill(static_cast<pid_t>(task), SIGTERM);
}

}  // namespace
