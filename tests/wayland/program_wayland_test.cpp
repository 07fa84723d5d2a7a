// The real program on a headless GNOME session (with_headless_gnome.sh), native on Wayland:
// the screen and the pointer through the ScreenCast portal, the test's keys and pointer from
// mutter's RemoteDesktop API, pictures read back with wl-paste. The session's first monitor
// shows the tests' noise; mutter puts the program's window at the same place every time, at
// the top left, clear of the rectangles captured here. The tests run in this order in one
// session: the first start meets the permission dialog, the later ones the kept consent.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "../x11/program_layout.h"
#include "../x11/program_process.h"
#include "../x11/screen_pattern.h"
#include "../x11/user_images.h"
#include "../x11/wait_until.h"
#include "remote_desktop.h"

namespace {

using namespace std::chrono_literals;

// Where mutter puts the window's inside (3 px of Qt's frame round it, a 30 px title bar
// above), and its size at start; a mode started later sizes it knowing the frame.
const QRect kClientAtStart(53, 80, 287, 270);
const QRect kClientInMode(53, 80, 281, 237);
const QPoint kSecondCornerOffset(3, 24);
constexpr int kLensStepsPerZoom = 10;
// GNOME's dialog shows some 1.1 to 1.4 s after the program asks.
constexpr auto kDialogDelay = 3s;
// The pointer's place reaches the program with the next buffer, tens of milliseconds later.
constexpr auto kPointerSettles = 300ms;
constexpr int kLeftButton = 0x110;  // BTN_LEFT
// A window's background in Qt's own palette: the session has no desktop theme for Qt.
constexpr QRgb kWindowColour = 0xFFEFEFEF;

std::string stateHome() { return std::getenv("XDG_STATE_HOME"); }
std::string keptConsent() { return stateHome() + "/orvex-capture/screencast-token"; }

mode_t permissionsOf(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

QImage clipboardPicture() {
  const auto bytes = outputOf({"wl-paste", "--no-newline", "--type", "image/png"}, 2000ms);
  if (!bytes || bytes->empty()) return {};
  return QImage::fromData(QByteArrayView(bytes->data(), static_cast<qsizetype>(bytes->size())))
      .convertToFormat(QImage::Format_RGB32);
}

// The noise from `topLeft` of the screen on, magnified `zoom` times, over `size`.
QImage noiseMagnified(QPoint topLeft, QSize size, int zoom) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      picture.setPixel(x, y, 0xFF000000U | noiseAt(topLeft.x() + x / zoom, topLeft.y() + y / zoom));
    }
  }
  return picture;
}

// The screen's `area` as the session shares it (the kept consent, no dialog); null on failure.
QImage screenArea(QRect area, const QTemporaryDir& scratch) {
  const QString file = scratch.filePath(QStringLiteral("screen.png"));
  const auto done = outputOf(
      {ORVEX_SCREENSHOT, file.toStdString(), std::to_string(area.x()), std::to_string(area.y()),
       std::to_string(area.width()), std::to_string(area.height())},
      5000ms);
  if (!done) return {};
  return QImage(file).convertToFormat(QImage::Format_RGB32);
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class WaylandProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pattern_ = std::make_unique<ChildProcess>(std::vector<std::string>{ORVEX_PATTERN_WINDOW});
    hands_ = std::make_unique<RemoteDesktop>();
    hands_->warmUp();
  }
  static void TearDownTestSuite() {
    hands_.reset();
    pattern_.reset();
  }

  void SetUp() override {
    ASSERT_TRUE(hands_->started()) << "mutter's RemoteDesktop did not start";
  }

  void startProgram() {
    program_ = std::make_unique<ChildProcess>(std::vector<std::string>{ORVEX_PROGRAM},
                                              StandardStreams{.errorFile = errorFile()});
  }
  std::string errorFile() const {
    return scratch_.filePath(QStringLiteral("stderr")).toStdString();
  }
  std::string errorOutput() const { return fileText(errorFile()); }

  static void pointAt(QPoint point) {
    hands_->movePointer(point.x(), point.y());
    std::this_thread::sleep_for(kPointerSettles);
  }
  static void clickAt(QPoint point) {
    pointAt(point);
    hands_->pressButton(kLeftButton, true);
    std::this_thread::sleep_for(60ms);
    hands_->pressButton(kLeftButton, false);
    std::this_thread::sleep_for(kPointerSettles);
  }
  static void dragPointer(QPoint from, QPoint to) {
    pointAt(from);
    hands_->pressButton(kLeftButton, true);
    for (int step = 1; step <= 10; ++step) {
      std::this_thread::sleep_for(30ms);
      const QPoint at = from + (to - from) * step / 10;
      hands_->movePointer(at.x(), at.y());
    }
    std::this_thread::sleep_for(100ms);
    hands_->pressButton(kLeftButton, false);
    std::this_thread::sleep_for(kPointerSettles);
  }
  static void markRectangle(QPoint first, QPoint second) {
    pointAt(first);
    hands_->strikeKey(XK_1);
    pointAt(second - kSecondCornerOffset);
    hands_->strikeKey(XK_2);
  }

  // Waits until the clipboard holds the noise from `topLeft` on, magnified `zoom` times.
  static ::testing::AssertionResult clipboardShowsNoise(
      QPoint topLeft, int zoom, std::chrono::milliseconds patience = kPatience) {
    QImage picture;
    const bool shows = waitUntil(
        [&] {
          picture = clipboardPicture();
          return !picture.isNull() &&
                 samePicture(picture, noiseMagnified(topLeft, picture.size(), zoom));
        },
        patience);
    if (shows) return ::testing::AssertionSuccess();
    if (picture.isNull()) return ::testing::AssertionFailure() << "no picture on the clipboard";
    return samePicture(picture, noiseMagnified(topLeft, picture.size(), zoom));
  }

  static std::unique_ptr<ChildProcess> pattern_;
  static std::unique_ptr<RemoteDesktop> hands_;
  QTemporaryDir scratch_;
  std::unique_ptr<ChildProcess> program_;
};

std::unique_ptr<ChildProcess> WaylandProgram::pattern_;
std::unique_ptr<RemoteDesktop> WaylandProgram::hands_;

const QPoint kFirstCorner(1000, 600);
const QPoint kSecondCorner = kFirstCorner + QPoint(120, 90);

// First in the session: nothing is kept yet, so the program asks.
TEST_F(WaylandProgram, ARefusalIsToldAndTheNextCaptureAsksAgain) {
  ASSERT_EQ(permissionsOf(keptConsent()), 0U) << "a consent is kept already";
  startProgram();
  std::this_thread::sleep_for(kDialogDelay);
  hands_->refuseShareDialog();
  EXPECT_TRUE(waitUntil([&] {
    return errorOutput().find("画面の共有が許可されなかった") != std::string::npos;
  })) << errorOutput();
  // The first key after the refusal asks again, and this time the user shares.
  pointAt(kFirstCorner);
  hands_->strikeKey(XK_1);
  std::this_thread::sleep_for(kDialogDelay);
  hands_->answerShareDialog();
  std::this_thread::sleep_for(1s);
  markRectangle(kFirstCorner, kSecondCorner);
  EXPECT_TRUE(clipboardShowsNoise(kFirstCorner, 1));
  // The consent is kept where only the user can read it.
  EXPECT_EQ(permissionsOf(keptConsent()), 0600U);
  EXPECT_EQ(permissionsOf(stateHome() + "/orvex-capture"), 0700U);
}

TEST_F(WaylandProgram, TheKeptConsentStartsTheNextRunWithoutAsking) {
  ASSERT_NE(permissionsOf(keptConsent()), 0U) << "no consent kept";
  startProgram();
  // A dialog would take the keys: the capture itself shows that none came.
  std::this_thread::sleep_for(1s);
  markRectangle(kFirstCorner, kSecondCorner);
  EXPECT_TRUE(clipboardShowsNoise(kFirstCorner, 1));
}

TEST_F(WaylandProgram, StillCapturePixelExactAtZoomOneBlockExactAtTwoRingingTheBell) {
  // The bell is a request to the compositor: the client's own protocol log shows it.
  setenv("WAYLAND_DEBUG", "client", 1);
  startProgram();
  unsetenv("WAYLAND_DEBUG");
  std::this_thread::sleep_for(1s);
  markRectangle(kFirstCorner, kSecondCorner);
  ASSERT_TRUE(clipboardShowsNoise(kFirstCorner, 1));
  EXPECT_NE(errorOutput().find("gtk_shell1@"), std::string::npos)
      << "GNOME's shell interface not bound";
  EXPECT_NE(errorOutput().find(".system_bell(nil)"), std::string::npos) << "no bell";
  // The last key release gave the lens bar the focus; Right adds a tenth each time.
  for (int step = 0; step < kLensStepsPerZoom; ++step) hands_->strikeKey(XK_Right);
  EXPECT_TRUE(clipboardShowsNoise(kFirstCorner, 2));
  // GNOME keeps one kind of the clipboard's content after the program ends: the picture.
  program_.reset();
  EXPECT_TRUE(clipboardShowsNoise(kFirstCorner, 2));
}

TEST_F(WaylandProgram, VideoModeFollowsThePointerAndThreeCopiesTheFrameShown) {
  startProgram();
  std::this_thread::sleep_for(1s);
  clickAt(ProgramLayout::of(kClientAtStart).videoButton.center());
  // Over a button the view rests; the window's own background sets it going again.
  pointAt(ProgramLayout::of(kClientInMode).openStrip.center());
  for (const QPoint pointer : {QPoint(800, 500), QPoint(1200, 700)}) {
    pointAt(pointer);
    std::this_thread::sleep_for(200ms);  // a few ticks
    hands_->strikeKey(XK_3);
    EXPECT_TRUE(clipboardShowsNoise(pointer, 1)) << pointer.x() << "," << pointer.y();
  }
}

// The view shows its frames in a surface of its own below the window's: on the screen they
// must be where the view is, pixel for pixel, after the window grew, and under the about card
// only where its ellipse is; the rest of the window is its own.
TEST_F(WaylandProgram, TheLiveViewOnTheScreenIsTheFrameAfterAResizeAndAroundTheAboutCard) {
  startProgram();
  std::this_thread::sleep_for(1s);
  clickAt(ProgramLayout::of(kClientAtStart).videoButton.center());
  const QPoint pointer(800, 500);
  const auto viewShowsNoise = [&](QRect view, QRect card) -> ::testing::AssertionResult {
    QImage shown;
    const QImage expected = noiseMagnified(pointer, view.size(), 1);
    const bool same = waitUntil([&] {
      shown = screenArea(view, scratch_);
      if (shown.size() != view.size()) return false;
      for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
          if (!card.contains(x, y) && shown.pixel(x, y) != expected.pixel(x, y)) return false;
        }
      }
      return true;
    });
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the view does not show the frame";
  };
  pointAt(ProgramLayout::of(kClientInMode).openStrip.center());
  pointAt(pointer);
  EXPECT_TRUE(viewShowsNoise(ProgramLayout::of(kClientInMode).view, {}));

  // The bottom-right corner of Qt's frame, 3 px round the inside, dragged out.
  const QRect grown = kClientInMode.adjusted(0, 0, 200, 100);
  dragPointer(kClientInMode.bottomRight() + QPoint(2, 2), grown.bottomRight() + QPoint(2, 2));
  const QRect view = ProgramLayout::of(grown).view;
  pointAt(ProgramLayout::of(grown).openStrip.center());
  pointAt(pointer);
  EXPECT_TRUE(viewShowsNoise(view, {}));
  // Only the view lets our surface show: elsewhere the window paints its own background.
  const QRect strip = ProgramLayout::of(grown).openStrip;
  const QImage stripShown = screenArea(strip, scratch_);
  EXPECT_EQ(countColour(stripShown, stripShown.rect(), kWindowColour),
            strip.width() * strip.height())
      << "the window's background is not painted";

  // The card in the middle of the view, its ellipse 10 px inside (2 px of slack for rounding).
  clickAt(view.center());
  pointAt(pointer);
  const QSize cardSize(281, 193);
  const QRect card(
      QPoint((view.width() - cardSize.width()) / 2, (view.height() - cardSize.height()) / 2),
      cardSize);
  const QRect ellipse = card.adjusted(10, 10, -10, -10);
  EXPECT_TRUE(viewShowsNoise(view, ellipse.adjusted(-2, -2, 2, 2)));
  const QImage shown = screenArea(view, scratch_);
  ASSERT_FALSE(shown.isNull());
  EXPECT_GT(countColour(shown, ellipse, qRgb(255, 255, 128)), ellipse.width() * 5)
      << "no card over the live view";
}

TEST_F(WaylandProgram, PaintOpensThePictureAsAFileThatGoesWhenThePaintProgramEnds) {
  // A stand-in for the paint program: keeps a copy of what it was given, and where it was.
  const QString bin = scratch_.filePath(QStringLiteral("bin"));
  ASSERT_TRUE(QDir().mkpath(bin));
  const QString standIn = bin + QStringLiteral("/kolourpaint");
  {
    QFile script(standIn);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ncp \"$1\" \"$0.png\" && echo \"$1\" >\"$0.path\"\nsleep 1\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  const std::string path = std::getenv("PATH");
  setenv("PATH", (bin.toStdString() + ":" + path).c_str(), 1);
  startProgram();
  setenv("PATH", path.c_str(), 1);
  std::this_thread::sleep_for(1s);
  markRectangle(kFirstCorner, kSecondCorner);
  ASSERT_TRUE(clipboardShowsNoise(kFirstCorner, 1));
  hands_->strikeKey(XK_4);
  ASSERT_TRUE(waitUntil([&] { return QFile::exists(standIn + QStringLiteral(".path")); }))
      << errorOutput();
  const QImage opened =
      QImage(standIn + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(samePicture(opened, noiseMagnified(kFirstCorner, opened.size(), 1)));
  EXPECT_EQ(opened.size(), clipboardPicture().size());
  const std::string file = fileText((standIn + QStringLiteral(".path")).toStdString());
  const std::string picture = file.substr(0, file.find('\n'));
  const std::string directory = picture.substr(0, picture.rfind('/'));
  EXPECT_EQ(directory.rfind(std::getenv("XDG_RUNTIME_DIR"), 0), 0U) << picture;
  EXPECT_EQ(permissionsOf(directory), 0700U);
  EXPECT_TRUE(waitUntil([&] { return permissionsOf(picture) == 0; }))
      << "the picture outlived the paint program";
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);  // for the session bus
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
