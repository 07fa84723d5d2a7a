// The real program on a headless GNOME session (with_headless_gnome.sh), native on Wayland:
// the screen and the pointer through the ScreenCast portal, keys and pointer from mutter's
// RemoteDesktop API as a user's hands, pictures read back from the clipboard with wl-paste.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <chrono>
#include <memory>
#include <thread>

#include "../x11/program_process.h"
#include "../x11/screen_pattern.h"
#include "../x11/wait_until.h"
#include "remote_desktop.h"

namespace {

using namespace std::chrono_literals;

QImage clipboardPicture() {
  const auto bytes = outputOf({"wl-paste", "--no-newline", "--type", "image/png"}, 2000ms);
  if (!bytes || bytes->empty()) return {};
  return QImage::fromData(QByteArrayView(bytes->data(), static_cast<qsizetype>(bytes->size())))
      .convertToFormat(QImage::Format_RGB32);
}

TEST(Experiment, WhereIsTheWindow) {
  ChildProcess pattern({ORVEX_PATTERN_WINDOW});
  std::this_thread::sleep_for(1s);
  RemoteDesktop hands;
  ASSERT_TRUE(hands.started());
  hands.warmUp();
  ChildProcess program({ORVEX_PROGRAM}, "/tmp/wlx/program.log");
  std::this_thread::sleep_for(2500ms);
  hands.answerShareDialog();
  std::this_thread::sleep_for(1500ms);
  hands.movePointer(0, 0);
  std::this_thread::sleep_for(300ms);
  hands.strikeKey(XK_1);
  hands.movePointer(1000, 700);
  std::this_thread::sleep_for(300ms);
  hands.strikeKey(XK_2);
  QImage picture;
  waitUntil([&] { return !(picture = clipboardPicture()).isNull(); });
  picture.save("/tmp/wlx/capture.png");
  std::printf("%d x %d\n", picture.width(), picture.height());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);  // for the session bus
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
