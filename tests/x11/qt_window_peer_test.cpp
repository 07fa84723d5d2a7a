#include <QApplication>
#include <QWidget>

#include "tests/x11/qt_peer_fixture.h"

namespace qt_peer_test {
namespace {

using WindowPeerTest = QtPeerTest;

TEST_F(WindowPeerTest, OwnResizesAndTheirEchoesAreNotReportedButTheUsersAre) {
  openWindow({300, 200});
  showWindow();
  settle(300);
  window->clientSize();
  windowEvents.resizes.clear();

  // Back to back, as a handler does. A window manager may confirm each size late, replaying
  // the intermediate ones; whether it does depends on timing, so try a few times.
  for (int round = 0; round < 10; ++round) {
    window->resizeClient({400 + round, 250});
    window->resizeClient({500, 300 + round});
    window->resizeClient({450 + round, 280 + round});
    EXPECT_EQ(window->clientSize(), (graphics::Size{450 + round, 280 + round}));
    settle(30);
  }
  settle(500);
  EXPECT_TRUE(windowEvents.resizes.empty());
  EXPECT_EQ(window->clientSize(), (graphics::Size{459, 289}));

  xdotool({"windowsize", QString::number(windowWidget().winId()), "520", "330"});
  ASSERT_TRUE(waitUntil([&] { return !windowEvents.resizes.empty(); }));
  settle(300);
  ASSERT_EQ(windowEvents.resizes.size(), 1U);
  EXPECT_EQ(windowEvents.resizes.front(), (graphics::Size{520, 330}));
}

TEST_F(WindowPeerTest, SeesEveryKeyReleaseOnceAsVirtualKeyCodeWhateverHasTheFocus) {
  openWindow({300, 200});
  Recorder buttonEvents;
  const auto button = toolkit.createButton(*window, buttonEvents);
  button->setGeometry({10, 10, 100, 30});
  showWindow();
  ASSERT_TRUE(button->setFocus());
  ASSERT_TRUE(waitUntil([&] { return button->hasFocus(); }));

  xdotool({"key", "1"});
  ASSERT_TRUE(waitUntil([&] { return !windowEvents.keys.empty(); }));
  xdotool({"keydown", "shift", "key", "1", "keyup", "shift"});  // "!", still the key "1"
  ASSERT_TRUE(waitUntil([&] { return windowEvents.keys.size() >= 3; }));
  settle(200);

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

  EXPECT_TRUE(waitUntil([&] { return third->hasFocus(); }));
  xdotool({"key", "Tab"});
  EXPECT_TRUE(waitUntil([&] { return second->hasFocus(); }));
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
    ASSERT_TRUE(waitUntil([&] { return !reporter.moves.empty(); }));
    settle(100);
  };
  const auto movesOf = [](const Recorder& events) { return events.moves.size(); };

  moveAndWait({60, 25}, buttonEvents);
  EXPECT_EQ(movesOf(windowEvents) + movesOf(pictureEvents) + movesOf(textEvents), 0U);
  EXPECT_EQ(buttonEvents.moves.back().x, 50.0F);
  EXPECT_EQ(buttonEvents.moves.back().y, 15.0F);

  moveAndWait({40, 100}, pictureEvents);
  EXPECT_EQ(movesOf(windowEvents) + movesOf(buttonEvents) + movesOf(textEvents), 0U);

  moveAndWait({200, 100}, textEvents);
  EXPECT_EQ(movesOf(windowEvents) + movesOf(buttonEvents) + movesOf(pictureEvents), 0U);
  EXPECT_EQ(movesOf(textEvents), 1U);  // viewport and frame do not both report it
  EXPECT_EQ(textEvents.moves.back().x, 50.0F);
  EXPECT_EQ(textEvents.moves.back().y, 50.0F);

  moveAndWait({150, 180}, windowEvents);
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
