#include <QApplication>
#include <QWidget>
#include <optional>

#include "tests/x11/qt_peer_fixture.h"
#include "tests/x11/user_images.h"
#include "tests/x11/user_screen.h"
// Last: Xlib's macros (None, Status, ...) clash with gtest's and Qt's names.
#include <X11/Xlib.h>

namespace qt_peer_test {
namespace {

// What the X server itself says about our window, on the test's own connection.
class WindowPeerTest : public QtPeerTest {
 protected:
  Window nativeWindow() { return static_cast<Window>(windowWidget().winId()); }

  graphics::Size serverSize() {
    const QRect area = screen.clientArea(nativeWindow());
    return {area.width(), area.height()};
  }

  // Whether every pixel of the window on the screen has `colour`.
  bool showsOnly(graphics::Pixel colour) {
    const QImage shown = screen.grab(screen.clientArea(nativeWindow()));
    return !shown.isNull() && uniform(shown, shown.rect()) &&
           (shown.pixel(0, 0) & 0xFFFFFFU) == colour;
  }

  // The frame the window manager put around the window, once it has reparented it.
  std::optional<forms::Margins> managerFrame() {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display.get(), nativeWindow(), &root, &parent, &children, &count) == 0)
      return {};
    if (children != nullptr) XFree(children);
    const auto frame = screen.frameExtents(nativeWindow());
    if (parent == root || !frame) return {};
    return forms::Margins{frame->left(), frame->top(), frame->right(), frame->bottom()};
  }

  UserScreen screen{display};
};

void expectSameMargins(const forms::Margins& actual, const forms::Margins& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST_F(WindowPeerTest, OwnResizesAndTheirEchoesAreNotReportedButTheUsersAre) {
  openWindow({300, 200});
  showWindow();
  settle();
  window->clientSize();
  windowEvents.resizes.clear();

  // Back to back, as a handler does. A window manager may confirm each size late, replaying
  // the intermediate ones; whether it does depends on timing, so try a few times.
  for (int round = 0; round < 10; ++round) {
    window->resizeClient({400 + round, 250});
    window->resizeClient({500, 300 + round});
    window->resizeClient({450 + round, 280 + round});
    EXPECT_EQ(window->clientSize(), (graphics::Size{450 + round, 280 + round}));
    runQtEvents();  // what came in by the next round, the window manager still behind
  }
  settle();
  EXPECT_TRUE(windowEvents.resizes.empty());
  EXPECT_EQ(window->clientSize(), (graphics::Size{459, 289}));

  xdotool({"windowsize", QString::number(windowWidget().winId()), "520", "330"});
  ASSERT_TRUE(waitRunningQt([&] { return !windowEvents.resizes.empty(); }));
  settle();
  ASSERT_EQ(windowEvents.resizes.size(), 1U);
  EXPECT_EQ(windowEvents.resizes.front(), (graphics::Size{520, 330}));
}

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
  settle();
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
  EXPECT_TRUE(waitRunningQt([&] { return serverSize() == last; }));
  settle();

  for (const graphics::Size& size : windowEvents.resizes)
    ADD_FAILURE() << "reported a resize to " << size.width << "x" << size.height;
  EXPECT_EQ(window->clientSize(), last);
  EXPECT_EQ(windowWidget().size(), QSize(last.width, last.height));
  EXPECT_EQ(serverSize(), last);
  EXPECT_TRUE(waitRunningQt([&] { return showsOnly(kColour); })) << "not painted all over";
}

// The window manager's answer to a size asked for long ago is no echo: the user's resize to
// that size is still reported.
TEST_F(WindowPeerTest, AUsersResizeToASizeAskedForEarlierIsReported) {
  openWindow({300, 200});
  showWindow();
  settle();
  window->resizeClient({320, 210});
  settle();
  window->resizeClient({340, 220});
  settle();
  window->clientSize();
  windowEvents.resizes.clear();

  xdotool({"windowsize", QString::number(windowWidget().winId()), "320", "210"});
  ASSERT_TRUE(waitRunningQt([&] { return !windowEvents.resizes.empty(); }));
  settle();
  ASSERT_EQ(windowEvents.resizes.size(), 1U);
  EXPECT_EQ(windowEvents.resizes.front(), (graphics::Size{320, 210}));
  EXPECT_EQ(window->clientSize(), (graphics::Size{320, 210}));
}

// The frame is known before the window first shows, as the window manager will draw it, so a
// window sized by its outer size before it shows opens at the client size worked out for it.
TEST_F(WindowPeerTest, KnowsItsFrameBeforeItShowsAndOpensAtTheSizeAsked) {
  ASSERT_TRUE(display.windowManagerRuns()) << "no window manager to frame the window";
  window = toolkit.createWindow(windowEvents);
  window->setCaption("ピア試験");
  const forms::Margins announced = window->frameMargins();
  window->resizeClient({285, 245});
  showWindow();

  std::optional<forms::Margins> frame;
  ASSERT_TRUE(waitRunningQt([&] { return (frame = managerFrame()).has_value(); }));
  EXPECT_GT(frame->top, 0);
  expectSameMargins(announced, *frame);
  expectSameMargins(window->frameMargins(), *frame);
  settle();
  EXPECT_EQ(window->clientSize(), (graphics::Size{285, 245}));
  EXPECT_EQ(serverSize(), (graphics::Size{285, 245}));
  EXPECT_TRUE(windowEvents.resizes.empty());
}

// Run on a display of its own, without a window manager (ORVEX_NO_WINDOW_MANAGER=1).
using WithoutWindowManager = WindowPeerTest;

TEST_F(WithoutWindowManager, WindowHasNoFrameBeforeItShows) {
  ASSERT_FALSE(display.windowManagerRuns()) << "a window manager runs";
  window = toolkit.createWindow(windowEvents);
  expectSameMargins(window->frameMargins(), {});
}

TEST_F(WindowPeerTest, SeesEveryKeyReleaseOnceAsVirtualKeyCodeWhateverHasTheFocus) {
  openWindow({300, 200});
  Recorder buttonEvents;
  const auto button = toolkit.createButton(*window, buttonEvents);
  button->setGeometry({10, 10, 100, 30});
  showWindow();
  ASSERT_TRUE(button->setFocus());
  ASSERT_TRUE(waitRunningQt([&] { return button->hasFocus(); }));

  xdotool({"key", "1"});
  ASSERT_TRUE(waitRunningQt([&] { return !windowEvents.keys.empty(); }));
  xdotool({"keydown", "shift", "key", "1", "keyup", "shift"});  // "!", still the key "1"
  ASSERT_TRUE(waitRunningQt([&] { return windowEvents.keys.size() >= 3; }));
  settle();

  ASSERT_EQ(windowEvents.keys.size(), 3U);  // "1", then "1" with Shift, then Shift
  EXPECT_EQ(windowEvents.keys[0], (std::pair{49, 0}));
  EXPECT_EQ(windowEvents.keys[1], (std::pair{49, 1}));
  EXPECT_TRUE(button->hasFocus());
}

TEST_F(WindowPeerTest, OpensWithTheFocusOnTheFirstControlOfTheTabOrder) {
  openWindow({300, 200});
  Recorder events;
  const auto first = toolkit.createButton(*window, events);
  const auto second = toolkit.createButton(*window, events);
  const auto third = toolkit.createScrollBar(*window, events);
  first->setGeometry({10, 10, 80, 30});
  second->setGeometry({100, 10, 80, 30});
  third->setGeometry({10, 100, 200, 20});
  window->setTabOrder({third.get(), second.get(), first.get()});
  showWindow();

  EXPECT_TRUE(waitRunningQt([&] { return third->hasFocus(); }));
  xdotool({"key", "Tab"});
  EXPECT_TRUE(waitRunningQt([&] { return second->hasFocus(); }));
}

TEST_F(WindowPeerTest, APointerMoveIsReportedByTheTopmostControlUnderItOnly) {
  openWindow({300, 200});
  Recorder buttonEvents;
  Recorder pictureEvents;
  Recorder textEvents;
  // Made later, the picture lies below the button; the text box lies inside the picture.
  const auto button = toolkit.createButton(*window, buttonEvents);
  const auto picture = toolkit.createPicture(*window, pictureEvents);
  const auto text = toolkit.createTextBox(*picture, textEvents);
  button->setGeometry({10, 10, 100, 30});
  picture->setGeometry({0, 0, 300, 150});
  text->setGeometry({150, 50, 100, 80});
  text->setMultiLine(true, true);
  showWindow();

  const auto moveAndWait = [&](QPoint position, const Recorder& reporter) {
    for (Recorder* events : {&windowEvents, &buttonEvents, &pictureEvents, &textEvents})
      events->moves.clear();
    movePointerTo(windowWidget(), position);
    ASSERT_TRUE(waitRunningQt([&] { return !reporter.moves.empty(); }));
    settle();
  };
  const auto movesOf = [](const Recorder& events) { return events.moves.size(); };

  ASSERT_NO_FATAL_FAILURE(moveAndWait({60, 25}, buttonEvents));
  EXPECT_EQ(movesOf(windowEvents) + movesOf(pictureEvents) + movesOf(textEvents), 0U);
  EXPECT_EQ(buttonEvents.moves.back().x, 50.0F);
  EXPECT_EQ(buttonEvents.moves.back().y, 15.0F);

  ASSERT_NO_FATAL_FAILURE(moveAndWait({40, 100}, pictureEvents));
  EXPECT_EQ(movesOf(windowEvents) + movesOf(buttonEvents) + movesOf(textEvents), 0U);

  ASSERT_NO_FATAL_FAILURE(moveAndWait({200, 100}, textEvents));
  EXPECT_EQ(movesOf(windowEvents) + movesOf(buttonEvents) + movesOf(pictureEvents), 0U);
  EXPECT_EQ(movesOf(textEvents), 1U);  // viewport and frame do not both report it
  EXPECT_EQ(textEvents.moves.back().x, 50.0F);
  EXPECT_EQ(textEvents.moves.back().y, 50.0F);

  ASSERT_NO_FATAL_FAILURE(moveAndWait({150, 180}, windowEvents));
  EXPECT_EQ(movesOf(buttonEvents) + movesOf(pictureEvents) + movesOf(textEvents), 0U);
  EXPECT_EQ(windowEvents.moves.back().x, 150.0F);
  EXPECT_EQ(windowEvents.moves.back().button, 0);
}

TEST_F(WindowPeerTest, AControlMadeLaterLiesBelowTheEarlierOnes) {
  openWindow({300, 200});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  const auto label = toolkit.createLabel(*window, events);
  button->setGeometry({50, 10, 100, 30});
  label->setGeometry({10, 10, 100, 30});
  showWindow();

  EXPECT_EQ(windowWidget().childAt(80, 20), &qtplatform::nativeWidgetOf(*button));
  EXPECT_EQ(windowWidget().childAt(20, 20), &qtplatform::nativeWidgetOf(*label));
}

}  // namespace
}  // namespace qt_peer_test
