// What only the Qt window peer has to do: keep up with a window manager that answers late, know
// when none runs, and show an error message over the window when Qt started with no monitor
// on. The rest of the peers' behaviour is in tests/peers, for every toolkit.
#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "tests/x11/qt_peer_fixture.h"
#include "tests/x11/screen_change.h"
#include "tests/x11/user_images.h"
#include "tests/x11/user_screen.h"

namespace qt_peer_test {
namespace {

using peer_test::Recorder;

class WindowPeerTest : public QtPeerTest {
 protected:
  // Whether every pixel of the window on the screen has `colour`.
  bool showsOnly(graphics::Pixel colour) {
    const QImage shown = screen.grab(screen.clientArea(windowWidget().winId()));
    return !shown.isNull() && uniform(shown, shown.rect()) &&
           (shown.pixel(0, 0) & 0xFFFFFFU) == colour;
  }

  UserScreen screen{display};
};

// A handler that resizes on every key press of a quick burst, while the window manager lags
// behind: its answers replay older sizes long after they were asked for. None of that reaches
// the runtime, and in the end Qt, the X server and the peer agree on the last size, painted
// all over.
TEST_F(WindowPeerTest, ABurstOfOwnResizesEndsAtTheLastSizeEverywhere) {
  constexpr graphics::Pixel kColour = 0x3366CC;
  openWindow({200, 150});
  Recorder pictureEvents;
  const auto picture = toolkit.createPicture(*window, pictureEvents);
  picture->setBackColor(kColour);
  picture->setGeometry({0, 0, 200, 150});
  showWindow();
  driver->settle();
  window->clientSize();
  windowEvents.resizes.clear();

  graphics::Size last;
  for (int step = 1; step <= 20; ++step) {
    last = {200 + 12 * step, 150 + 7 * step};
    window->resizeClient({last.width, last.height - 7});
    window->resizeClient(last);
    picture->setGeometry({0, 0, last.width, last.height});
    QApplication::processEvents();  // what came in by the next key press
  }
  EXPECT_TRUE(waitRunningQt([&] { return driver->shownClientSize(*window) == last; }));
  driver->settle();

  for (const graphics::Size& size : windowEvents.resizes)
    ADD_FAILURE() << "reported a resize to " << size.width << "x" << size.height;
  EXPECT_EQ(window->clientSize(), last);
  EXPECT_EQ(windowWidget().size(), QSize(last.width, last.height));
  EXPECT_EQ(driver->shownClientSize(*window), last);
  EXPECT_TRUE(waitRunningQt([&] { return showsOnly(kColour); })) << "not painted all over";
}

// The window manager's answer to a size asked for long ago is no echo: the user's resize to
// that size is still reported.
TEST_F(WindowPeerTest, AUsersResizeToASizeAskedForEarlierIsReported) {
  openWindow({300, 200});
  showWindow();
  driver->settle();
  window->resizeClient({320, 210});
  driver->settle();
  window->resizeClient({340, 220});
  driver->settle();
  window->clientSize();
  windowEvents.resizes.clear();

  driver->resizeAsUser(*window, {320, 210});
  ASSERT_TRUE(waitRunningQt([&] { return !windowEvents.resizes.empty(); }));
  driver->settle();
  ASSERT_EQ(windowEvents.resizes.size(), 1U);
  EXPECT_EQ(windowEvents.resizes.front(), (graphics::Size{320, 210}));
  EXPECT_EQ(window->clientSize(), (graphics::Size{320, 210}));
}

// Run on a display of its own, without a window manager (ORVEX_NO_WINDOW_MANAGER=1).
using WithoutWindowManager = QtPeerTest;

TEST_F(WithoutWindowManager, WindowHasNoFrameBeforeItShows) {
  ASSERT_FALSE(display.windowManagerRuns()) << "a window manager runs";
  window = toolkit.createWindow(windowEvents);
  const forms::Margins frame = window->frameMargins();
  EXPECT_EQ(std::tie(frame.left, frame.top, frame.right, frame.bottom),
            std::make_tuple(0, 0, 0, 0));
}

// Turns every monitor off while it lives, unless Qt has started already: the program being
// started with none on is what matters here, and Qt follows monitors that go off later.
class MonitorsOffAtStart {
 protected:
  MonitorsOffAtStart() {
    if (QApplication::instance() != nullptr) return;
    monitorsOff_.emplace(monitorsDisplay_);
    monitorsOff_->turnMonitorsOff();
  }

  TestDisplay monitorsDisplay_;
  std::optional<ScreenChange> monitorsOff_;
};

class NoMonitorAtStart : protected MonitorsOffAtStart, public QtPeerTest {};

bool qtKnowsAScreenWithASize() {
  const QList<QScreen*> screens = QGuiApplication::screens();
  return std::any_of(screens.begin(), screens.end(),
                     [](const QScreen* screen) { return !screen->geometry().isEmpty(); });
}

// Started with no monitor on (an X server for a remote session may have none), Qt knows no
// screen with a size, and its message box fits itself to nothing. The message shows all the
// same, over the window; an error that comes again once a monitor is on is not hidden behind a
// message that never showed. Runs in a process of its own (ctest's x11_no_monitor).
TEST_F(NoMonitorAtStart, AnErrorMessageShowsOverTheWindow) {
  if (!monitorsOff_) GTEST_SKIP() << "Qt started before: run alone, as x11_no_monitor does";
  ASSERT_FALSE(qtKnowsAScreenWithASize());
  openWindow({200, 100});
  showWindow();
  toolkit.reportError(forms::RuntimeError::overflow());
  std::vector<QDialog*> shown;
  ASSERT_TRUE(waitRunningQt([&] { return (shown = messagesOnScreen(display)).size() == 1; }))
      << "the message does not show";
  const UserScreen screen(display);
  const QRect area = screen.clientArea(shown.front()->internalWinId());
  EXPECT_TRUE(area.intersects(screen.clientArea(windowWidget().winId())));
  EXPECT_TRUE(waitRunningQt([&] {
    return samePicture(screen.grab(area),
                       shown.front()->grab().toImage().convertToFormat(QImage::Format_RGB32));
  })) << "the screen does not show the message";

  monitorsOff_.reset();
  ASSERT_TRUE(waitRunningQt(qtKnowsAScreenWithASize));
  toolkit.reportError(forms::RuntimeError::overflow());
  driver->settle();
  EXPECT_EQ(messagesOnScreen(display).size(), 1U);
  for (QDialog* message : messagesOnScreen(display)) message->close();
}

}  // namespace
}  // namespace qt_peer_test
