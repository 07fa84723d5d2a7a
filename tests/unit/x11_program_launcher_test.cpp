#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/forms/runtime_error.h"
#include "platform/x11/program_launcher.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFileNotFound = 53;

// A scratch directory that also stands in for $PATH, with scripts that write down their pid.
class ProgramLauncher : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "launcher-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    if (const char* path = std::getenv("PATH")) savedPath_ = path;
    setenv("PATH", directory_.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    fs::remove_all(directory_);
  }

  fs::path pidFile(const std::string& name) const { return directory_ / (name + ".pid"); }

  fs::path writeScript(const std::string& name, bool executable = true,
                       const std::string& then = "") const {
    fs::path script = directory_ / name;
    std::ofstream(script) << "#!/bin/sh\necho $$ > '" << pidFile(name).string() << "'\n" << then;
    if (executable) fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
    return script;
  }

  // The pid the script wrote down; 0 if it did not run within a few seconds.
  int pidWrittenBy(const std::string& name) const {
    for (int attempt = 0; attempt < 500; ++attempt) {
      int pid = 0;
      if (std::ifstream(pidFile(name)) >> pid) return pid;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
  }

  static int errorNumberOf(const std::string& path, std::string* description = nullptr) {
    try {
      x11::startProgram(path);
    } catch (const forms::RuntimeError& error) {
      if (description != nullptr) *description = error.description();
      return error.number();
    }
    return 0;
  }

  fs::path directory_;
  std::string savedPath_;
};

TEST_F(ProgramLauncher, ReturnsThePidOfTheStartedProgram) {
  const fs::path script = writeScript("painter");
  const x11::LaunchedProgram launched = x11::startProgram(script.string());
  EXPECT_GT(launched.program.pid, 0);
  EXPECT_EQ(launched.program.name, script.string());
  EXPECT_EQ(pidWrittenBy("painter"), launched.program.pid);
}

// Not watched any longer, a program that runs on is no child of ours, nor is its watcher.
TEST_F(ProgramLauncher, LeavesNoChildToReap) {
  x11::startProgram(writeScript("painter", true, "exec /bin/sleep 10\n").string());
  const int pid = pidWrittenBy("painter");
  ASSERT_NE(pid, 0);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  EXPECT_EQ(kill(pid, 0), 0) << "the program runs on";
  kill(pid, SIGTERM);
}

TEST_F(ProgramLauncher, FindsABareNameOnThePath) {
  writeScript("painter");
  const x11::LaunchedProgram launched = x11::startProgram("painter");
  EXPECT_EQ(launched.program.name, "painter");
  EXPECT_EQ(pidWrittenBy("painter"), launched.program.pid);
}

TEST_F(ProgramLauncher, TellsHowTheProgramEnded) {
  struct Ending {
    const char* script;
    bool failed;
    const char* how;
  };
  for (const Ending& ending :
       {Ending{"exit 3\n", true, "終了コード 3"}, Ending{"exit 0\n", false, "終了コード 0"},
        Ending{"kill -SEGV $$\n", true, "シグナル SIGSEGV"}}) {
    SCOPED_TRACE(ending.script);
    x11::LaunchedProgram launched =
        x11::startProgram(writeScript("ending", true, ending.script).string());
    std::optional<platform::ProgramEnd> end;
    for (int look = 0; look < 500 && !(end = launched.watch.end()); ++look) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->failed, ending.failed);
    EXPECT_EQ(end->how, ending.how);
  }
}

TEST_F(ProgramLauncher, ARunningProgramHasNotEnded) {
  x11::LaunchedProgram launched =
      x11::startProgram(writeScript("runs", true, "exec /bin/sleep 10\n").string());
  EXPECT_FALSE(launched.watch.end().has_value());
  kill(pidWrittenBy("runs"), SIGTERM);
}

TEST_F(ProgramLauncher, MissingOrNonExecutableProgramsAreNotFound) {
  std::string description;
  EXPECT_EQ(errorNumberOf((directory_ / "absent").string(), &description), kFileNotFound);
  EXPECT_NE(description.find((directory_ / "absent").string()), std::string::npos);
  EXPECT_EQ(errorNumberOf("absent"), kFileNotFound);
  EXPECT_EQ(errorNumberOf(writeScript("plain", false).string()), kFileNotFound);
  EXPECT_EQ(errorNumberOf(directory_.string()), kFileNotFound);
  EXPECT_EQ(errorNumberOf(""), kFileNotFound);
}

TEST_F(ProgramLauncher, AnUnrunnableFileIsNotFound) {
  const fs::path broken = directory_ / "broken";
  std::ofstream(broken) << "#!/nonexistent/interpreter\n";
  fs::permissions(broken, fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_EQ(errorNumberOf(broken.string()), kFileNotFound);
}

TEST(StartedProgram, IsNamedByTheClassOfItsWindows) {
  const x11::StartedProgram kolourpaint{1, 1, "/usr/bin/kolourpaint"};
  const x11::StartedProgram gimp{1, 1, "gimp"};
  EXPECT_TRUE(kolourpaint.isNamedBy("kolourpaint"));
  EXPECT_TRUE(kolourpaint.isNamedBy("KolourPaint"));
  EXPECT_TRUE(kolourpaint.isNamedBy("org.kde.kolourpaint"));
  EXPECT_TRUE(gimp.isNamedBy("gimp-2.10"));
  EXPECT_TRUE(gimp.isNamedBy("Gimp-2.10"));
  EXPECT_FALSE(kolourpaint.isNamedBy("kolourpaint2"));
  EXPECT_FALSE(kolourpaint.isNamedBy("paint"));
  EXPECT_FALSE(kolourpaint.isNamedBy("orgkolourpaint"));
  EXPECT_FALSE(kolourpaint.isNamedBy("/usr/bin/kolourpaint"));
  EXPECT_FALSE(gimp.isNamedBy("gimp-console"));
  EXPECT_FALSE(gimp.isNamedBy(""));
  EXPECT_FALSE((x11::StartedProgram{1, 1, ""}).isNamedBy(""));
}

}  // namespace
