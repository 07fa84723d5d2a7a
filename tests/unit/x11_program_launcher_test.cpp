#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/forms/runtime_error.h"
#include "platform/x11/paint_program.h"
#include "platform/x11/program_launcher.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFileNotFound = 53;
constexpr const char* kPaintPath = R"(C:\Program Files\Accessories\MSPAINT.EXE)";

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

  fs::path writeScript(const std::string& name, bool executable = true) const {
    fs::path script = directory_ / name;
    std::ofstream(script) << "#!/bin/sh\necho $$ > '" << pidFile(name).string() << "'\n";
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
  const x11::StartedProgram started = x11::startProgram(script.string());
  EXPECT_GT(started.pid, 0);
  EXPECT_EQ(started.name, script.string());
  EXPECT_EQ(pidWrittenBy("painter"), started.pid);
}

TEST_F(ProgramLauncher, LeavesNoChildToReap) {
  x11::startProgram(writeScript("painter").string());
  ASSERT_NE(pidWrittenBy("painter"), 0);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProgramLauncher, FindsABareNameOnThePath) {
  writeScript("painter");
  const x11::StartedProgram started = x11::startProgram("painter");
  EXPECT_EQ(started.name, "painter");
  EXPECT_EQ(pidWrittenBy("painter"), started.pid);
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

TEST_F(ProgramLauncher, TheClassicPaintPathStartsTheDesktopsPaintProgram) {
  writeScript("kolourpaint");
  const x11::StartedProgram started =
      x11::startProgram(R"(c:\program files\accessories\mspaint.exe)");
  EXPECT_EQ(started.name, "kolourpaint");
  EXPECT_EQ(pidWrittenBy("kolourpaint"), started.pid);
}

// The message names what the user can install, not a Windows path.
TEST_F(ProgramLauncher, TheClassicPaintPathWithoutAPaintProgramIsNotFound) {
  std::string description;
  EXPECT_EQ(errorNumberOf(kPaintPath, &description), kFileNotFound);
  for (const char* program : {"kolourpaint", "gimp", "drawing"}) {
    EXPECT_NE(description.find(program), std::string::npos) << description;
  }
  EXPECT_EQ(description.find("MSPAINT"), std::string::npos) << description;
}

TEST(PaintProgram, TheClassicPathInAnyCase) {
  EXPECT_TRUE(x11::isClassicPaintPath(kPaintPath));
  EXPECT_TRUE(x11::isClassicPaintPath(R"(c:\PROGRAM FILES\accessories\MsPaint.exe)"));
  EXPECT_FALSE(x11::isClassicPaintPath(R"(C:\Program Files\Accessories\MSPAINT.EX)"));
  EXPECT_FALSE(x11::isClassicPaintPath(R"(C:/Program Files/Accessories/MSPAINT.EXE)"));
  EXPECT_FALSE(x11::isClassicPaintPath("kolourpaint"));
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
