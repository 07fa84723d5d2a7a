// Leaving the program: closed by the user, with its window destroyed from outside or ended by a
// signal, it ends with status 0, and the last picture stays pasteable after it has gone: a
// process of its own keeps serving it until another program takes the clipboard or a clipboard
// manager saved it.
#include <csignal>
#include <functional>
#include <sstream>
#include <string>
#include <utility>

#include "program_fixture.h"
#include "program_process.h"
#include "user_clipboard.h"
#include "user_images.h"

namespace {

// Leaving takes a fraction of a second; Qt's own hand-over to a clipboard manager that does
// not answer takes five.
constexpr std::chrono::milliseconds kPromptExit{3000};

// Whether `listing` (of pidof, pgrep) names `pid`, whatever separates the ids.
bool listsPid(const std::string& listing, long pid) {
  std::istringstream ids(listing);
  for (long id = 0; ids >> id;) {
    if (id == pid) return true;
  }
  return false;
}

class ProgramExit : public ProgramTest {
 protected:
  // A noise picture larger than one X request carries: another program fetches it in pieces.
  void capture() {
    markRectangle(first_, second_);
    ASSERT_TRUE(clipboardShowsPattern(first_, 1));
  }
  // The process serving the clipboard, named by its window; 0 if none says.
  long clipboardServer() const {
    const unsigned long owner = clipboardOwner(display_);
    return owner != 0 ? screen_.pidOf(owner).value_or(0) : 0;
  }
  // The picture, pasted as a program that wants PNG gets it and as one that wants BMP does.
  ::testing::AssertionResult pictureStaysPasteable() const {
    ::testing::AssertionResult png = clipboardShowsPattern(first_, 1);
    if (!png) return png;
    return samePicture(clipboardPicture("image/bmp"), clipboardPicture("image/png"));
  }

  const QPoint first_ = onPattern(20, 20);
  const QPoint second_ = first_ + QPoint(500, 600);
};

TEST_F(ProgramExit, PictureStaysOnTheClipboardUntilAnotherProgramTakesIt) {
  capture();
  screen_.closeWindow(program_->window());
  ASSERT_EQ(program_->exitStatusWithin(kPatience), 0);
  EXPECT_TRUE(pictureStaysPasteable());

  const long keeper = clipboardServer();
  ASSERT_GT(keeper, 0);
  EXPECT_NE(keeper, program_->pid());
  // Found by the program's name, as a user looks for it.
  for (const char* lookUp : {"pidof", "pgrep"}) {
    const std::string pids = outputOf({lookUp, "orvex-capture"}, kPatience).value_or("");
    EXPECT_TRUE(listsPid(pids, keeper)) << lookUp << " does not name the keeper: " << pids;
  }
  const OtherProgramCopying copier;
  EXPECT_TRUE(waitUntil([&] { return foreignProcessGone(static_cast<int>(keeper)); }))
      << "the keeper stays after another program took the clipboard";
}

// The program and the keeper each give up on a paste that stalls once they have waited a while
// for it, and leave.
TEST_F(ProgramExit, PasteStalledHalfWayKeepsNeitherTheProgramNorTheKeeper) {
  capture();
  const PasteInPieces stalledOnTheProgram("image/png");
  ASSERT_TRUE(stalledOnTheProgram.started());
  screen_.closeWindow(program_->window());
  ASSERT_EQ(program_->exitStatusWithin(kPatience), 0)
      << "the program stays for a paste that stalled";
  const long keeper = clipboardServer();
  ASSERT_GT(keeper, 0);
  const PasteInPieces stalledOnTheKeeper("image/png");
  ASSERT_TRUE(stalledOnTheKeeper.started());
  const OtherProgramCopying copier;
  EXPECT_TRUE(waitUntil([&] { return foreignProcessGone(static_cast<int>(keeper)); }))
      << "the keeper stays for a paste that stalled";
}

TEST_F(ProgramExit, SlowClipboardManagerKeepsNobodyWaiting) {
  SlowClipboardManager manager;
  capture();
  screen_.closeWindow(program_->window());
  EXPECT_EQ(program_->exitStatusWithin(kPromptExit), 0);
  EXPECT_TRUE(pictureStaysPasteable());

  ASSERT_TRUE(waitUntil([&] { return manager.asked(); })) << "no request to save the clipboard";
  const long keeper = clipboardServer();
  ASSERT_GT(keeper, 0);
  manager.answer();
  EXPECT_TRUE(waitUntil([&] { return foreignProcessGone(static_cast<int>(keeper)); }))
      << "the keeper stays after the manager saved the clipboard";
}

// Another copy of the program copied after this one: closing this one leaves the clipboard to
// that copy, which keeps its picture there when it closes too.
TEST_F(ProgramExit, ClosingACopyWhosePictureWasCopiedOverLeavesTheNewerPicture) {
  const QPoint older = onPattern(20, 20);
  const QPoint newer = onPattern(300, 400);
  const QPoint size(200, 150);
  markRectangle(older, older + size);
  ASSERT_TRUE(clipboardShowsPattern(older, 1));
  const std::unique_ptr<ProgramUnderTest> olderCopy =
      std::exchange(program_, std::make_unique<ProgramUnderTest>(screen_));
  ASSERT_TRUE(program_->waitUntilReadyAt(windowPlace() + QPoint(0, 400)));
  markRectangle(newer, newer + size);
  ASSERT_TRUE(clipboardShowsPattern(newer, 1));

  screen_.closeWindow(olderCopy->window());
  ASSERT_EQ(olderCopy->exitStatusWithin(kPatience), 0);
  EXPECT_TRUE(clipboardShowsPattern(newer, 1));
  screen_.closeWindow(program_->window());
  ASSERT_EQ(program_->exitStatusWithin(kPatience), 0);
  EXPECT_TRUE(clipboardShowsPattern(newer, 1));
}

// A program pasting a large picture in pieces when the window closes gets all of it: the
// program ends only after the last piece.
TEST_F(ProgramExit, PasteUnderWayWhenTheWindowClosesGetsTheWholePicture) {
  // Magnified four times: 2560 x 3360 pixels, some 26 MB as a BMP.
  markRectangle(first_, first_ + QPoint(640, 840));
  strikeKeyRepeatedly(XK_Right, 3 * kLensStepsPerZoom);
  ASSERT_TRUE(clipboardShowsPattern(first_, 4));
  const QImage whole = clipboardPicture("image/bmp");
  PasteInPieces paste("image/bmp");
  ASSERT_TRUE(paste.started());
  screen_.closeWindow(program_->window());
  EXPECT_TRUE(samePicture(paste.finish(), whole));
  EXPECT_EQ(program_->exitStatusWithin(kPatience), 0);
  EXPECT_TRUE(samePicture(clipboardPicture("image/bmp"), whole)) << "the keeper serves it";
}

// Other ways of ending the program than its close button, each ended as that one ends it.
struct Ending {
  const char* name;
  std::function<void(const ProgramUnderTest&)> end;
};

void PrintTo(const Ending& ending, std::ostream* out) { *out << ending.name; }

class ProgramEnded : public ProgramExit, public ::testing::WithParamInterface<Ending> {};

TEST_P(ProgramEnded, EndsAsClosingTheWindowDoes) {
  capture();
  GetParam().end(*program_);
  EXPECT_EQ(program_->exitStatusWithin(kPatience), 0);
  EXPECT_TRUE(pictureStaysPasteable());
}

void sendSignal(const ProgramUnderTest& program, int signal) { kill(program.pid(), signal); }

INSTANTIATE_TEST_SUITE_P(
    Endings, ProgramEnded,
    ::testing::Values(
        Ending{"WindowDestroyedFromOutside",
               [](const ProgramUnderTest& program) {
                 ASSERT_TRUE(outputOf({"xdotool", "windowclose", std::to_string(program.window())},
                                      kPatience));
               }},
        Ending{"SIGTERM", [](const ProgramUnderTest& program) { sendSignal(program, SIGTERM); }},
        Ending{"SIGINT", [](const ProgramUnderTest& program) { sendSignal(program, SIGINT); }},
        Ending{"SIGHUP", [](const ProgramUnderTest& program) { sendSignal(program, SIGHUP); }}),
    [](const ::testing::TestParamInfo<Ending>& row) { return std::string(row.param.name); });

}  // namespace
