// The Paint button: the desktop's paint program (kolourpaint) opens with the captured picture
// pasted into it; a paint program that shows no window, or ends at once, costs the user nothing
// but the error that says so.
#include <X11/Xatom.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "program_fixture.h"
#include "program_process.h"
#include "user_clipboard.h"
#include "user_images.h"
#include "wait_until.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>

namespace {

constexpr const char* kPaintProgramClass = "kolourpaint";
// A pasted picture is a selection with handles over its edges: look at what lies inside them.
constexpr int kHandleMargin = 10;
constexpr int kBlock = 16;

class PaintHandOff : public ProgramTest {
 protected:
  void TearDown() override {
    // The paint program is not our child: it is ended by the pid its window names.
    if (const unsigned long window = paintWindow()) {
      endForeignProcess(static_cast<int>(screen_.pidOf(window).value_or(0)));
    }
    ProgramTest::TearDown();
  }

  unsigned long paintWindow() const {
    for (const unsigned long window : screen_.managedWindows()) {
      if (screen_.classOf(window) == kPaintProgramClass) return window;
    }
    return 0;
  }

  // Where `picture` shows inside the paint program's window, found by a block near its top
  // left and then checked whole; a null point when it does not show there.
  std::optional<QPoint> pastedAt(const QImage& picture) const {
    const unsigned long window = paintWindow();
    if (window == 0) return std::nullopt;
    const QRect area = screen_.clientArea(window);
    const QImage shot = screen_.grab(area);
    const QPoint corner(kHandleMargin, kHandleMargin);
    const auto block = find(shot, picture.copy(QRect(corner, QSize(kBlock, kBlock))));
    if (!block) return std::nullopt;
    const QRect inner =
        picture.rect().adjusted(kHandleMargin, kHandleMargin, -kHandleMargin, -kHandleMargin);
    const QRect innerOnShot = inner.translated(*block - corner);
    if (!shot.rect().contains(innerOnShot) ||
        !samePicture(shot.copy(innerOnShot), picture.copy(inner))) {
      return std::nullopt;
    }
    return area.topLeft() + *block - corner;
  }
};

TEST_F(PaintHandOff, PaintProgramOpensWithThePicturePasted) {
  const QPoint first = onPattern(150, 120);
  markRectangle(first, first + QPoint(120, 90));
  ASSERT_TRUE(clipboardShowsPattern(first, 1));
  const QImage picture = clipboardPicture();
  // Off the screen, so the only copies of the picture are our view and the paste.
  pattern_->hide();

  clickAt(program_->layout().paintButton.center());
  parkPointer();
  ASSERT_TRUE(waitUntil([&] { return paintWindow() != 0; })) << "no paint program window";
  std::optional<QPoint> pasted;
  EXPECT_TRUE(waitUntil([&] { return (pasted = pastedAt(picture)).has_value(); }))
      << "the picture does not show in the paint program";
}

// A stand-in "kolourpaint" first in the program's PATH, which notes each start.
class PaintStandIn : public ProgramTest {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "paint-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    const char* searched = std::getenv("PATH");
    const std::string path = searched != nullptr ? searched : "";
    setenv("PATH", (directory_.string() + ":" + path).c_str(), 1);
    ProgramTest::SetUp();  // the program takes this PATH along
    setenv("PATH", path.c_str(), 1);
  }
  void TearDown() override {
    for (const int pid : starts()) endForeignProcess(pid);
    ProgramTest::TearDown();
    std::filesystem::remove_all(directory_);
  }

  void standIn(const std::string& then) const {
    const auto script = directory_ / "kolourpaint";
    std::ofstream(script) << "#!/bin/sh\necho $$ >> '" << (directory_ / "starts").string() << "'\n"
                          << then;
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  }
  std::vector<int> starts() const {
    std::vector<int> pids;
    std::ifstream file(directory_ / "starts");
    for (int pid = 0; file >> pid;) pids.push_back(pid);
    return pids;
  }

  // The error the program reported, once it has; the program is stopped then, so that the
  // fixture does not take it for one that should not have come.
  std::string reportedError() {
    std::string errors;
    waitUntil(
        [&] { return (errors = program_->errorOutput()).find("実行時エラー") != errors.npos; });
    program_.reset();
    return errors;
  }

  // A short note of the program's shows over its window (a tooltip).
  bool noteShows() const {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display_.get(), display_.root(), &root, &parent, &children, &count);
    bool shows = false;
    for (unsigned int i = 0; i < count && !shows; ++i) {
      const auto types = display_.property(children[i], "_NET_WM_WINDOW_TYPE", XA_ATOM);
      shows = display_.viewable(children[i]) && !types.empty() &&
              types.front() == display_.atom("_NET_WM_WINDOW_TYPE_TOOLTIP") &&
              screen_.pidOf(children[i]) == program_->pid();
    }
    if (children != nullptr) XFree(children);
    return shows;
  }

  std::filesystem::path directory_;
};

// Ten quick presses with a paint program that never shows a window: one start, a note for the
// presses meanwhile, and the window goes on as ever (a resize is laid out, keys are handled)
// while the hand-off waits; then one error.
TEST_F(PaintStandIn, PressesWhileAHandOffWaitsAreToldAndTheWindowGoesOn) {
  standIn("exec /bin/sleep 60\n");
  clickAt(program_->layout().videoButton.center());
  strikeKeyRepeatedly(XK_4, 10);
  EXPECT_TRUE(waitUntil([&] { return noteShows(); })) << "no note of the presses meanwhile";
  EXPECT_TRUE(waitUntil([&] { return starts().size() == 1; }));

  screen_.resizeClient(program_->window(), QSize(500, 400));
  ASSERT_TRUE(waitUntil([&] { return program_->clientArea().size() == QSize(500, 400); }));
  input_.movePointer(onPattern(100, 100));
  strikeKey(XK_3);
  EXPECT_TRUE(waitUntil([&] {
    return clipboardPicture().size() == program_->layout().view.size();
  })) << "the view of the new size did not go to the clipboard ";
  EXPECT_EQ(program_->errorOutput().find("実行時エラー"), std::string::npos)
      << "the hand-off ended before the window took the key";

  const std::string errors = reportedError();
  EXPECT_NE(errors.find("kolourpaint のウィンドウが開きませんでした"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("実行時エラー"), errors.rfind("実行時エラー")) << "one error";
  EXPECT_EQ(starts().size(), 1U);
}

// Not when the wait runs out: the error says how it ended.
TEST_F(PaintStandIn, APaintProgramThatEndsAtOnceIsReportedWithItsStatus) {
  standIn("exit 3\n");
  clickAt(program_->layout().videoButton.center());
  strikeKey(XK_4);
  const std::string errors = reportedError();
  EXPECT_NE(errors.find("kolourpaint はウィンドウを開く前に終了しました (終了コード 3)"),
            std::string::npos)
      << errors;
}

}  // namespace
