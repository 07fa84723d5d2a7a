// What every toolkit's peers do, played with as a user would: the same tests run against Qt on a
// virtual X server and against Win32 under Wine, each through its own driver.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/bitmap.h"
#include "resources/resources.h"
#include "tests/peers/peer_fixture.h"

namespace peer_test {
namespace {

using PeerBehaviour = PeerTest;

std::string sizesOf(const std::vector<graphics::Size>& sizes) {
  std::string text = "reported:";
  for (const graphics::Size& size : sizes) {
    text += " " + std::to_string(size.width) + "x" + std::to_string(size.height);
  }
  return text;
}

// Controls.

TEST_F(PeerBehaviour, ScrollBarTakesTheClassicKeysNotTheWheelAndReportsThemButNotTheProgramsValue) {
  Recorder events;
  const auto bar = showScrollBar(events);
  ASSERT_TRUE(bar->setFocus());
  ASSERT_TRUE(driver->waitUntil([&] { return bar->hasFocus(); }));
  EXPECT_TRUE(events.scrolls.empty());

  const std::vector<std::pair<int, int>> keysAndValues = {
      {key::kRight, 11},    {key::kDown, 12},   {key::kLeft, 11}, {key::kUp, 10},
      {key::kPageDown, 15}, {key::kPageUp, 10}, {key::kEnd, 40},  {key::kHome, 1}};
  for (const auto& [virtualKey, value] : keysAndValues) {
    driver->pressKey(virtualKey);
    ASSERT_TRUE(driver->waitUntil([&] { return !events.scrolls.empty(); })) << virtualKey;
    driver->settle();
    EXPECT_EQ(events.scrolls, (std::vector<int>{value})) << virtualKey;
    events.scrolls.clear();
  }
  // The wheel turned both ways over the bar, then a key: only the key moves it.
  driver->turnWheel(*bar, {140, 10}, 3);
  driver->turnWheel(*bar, {140, 10}, -1);
  driver->pressKey(key::kRight);
  ASSERT_TRUE(driver->waitUntil([&] { return !events.scrolls.empty(); }));
  EXPECT_EQ(events.scrolls, (std::vector<int>{2}));
}

TEST_F(PeerBehaviour, TextBoxShowsWindowsLineBreaksAndReportsTypingWithThemButNotTheProgramsText) {
  openWindow({300, 200});
  Recorder events;
  const auto text = toolkit.createTextBox(*window, events);
  text->setGeometry({10, 10, 280, 180});
  text->setMultiLine(true, true);
  text->setText("first\r\nsecond");
  showWindow();
  EXPECT_EQ(driver->linesShown(*text), (std::vector<std::string>{"first", "second"}));
  EXPECT_TRUE(driver->showsVerticalScrollBar(*text));
  EXPECT_TRUE(events.edits.empty());

  ASSERT_TRUE(text->setFocus());
  ASSERT_TRUE(driver->waitUntil([&] { return text->hasFocus(); }));
  driver->holdKey(key::kControl, true);
  driver->pressKey(key::kEnd);
  driver->holdKey(key::kControl, false);
  driver->pressKey('X');
  ASSERT_TRUE(driver->waitUntil([&] { return !events.edits.empty(); }));
  EXPECT_EQ(events.edits.back(), "first\r\nsecondx");

  events.edits.clear();
  text->setText("third");
  driver->settle();
  EXPECT_TRUE(events.edits.empty());
}

// Hidden until later, as a help text waits for its button.
TEST_F(PeerBehaviour, TextBoxShownLaterShowsItsTextOnItsBackgroundColour) {
  openWindow({200, 100});
  Recorder events;
  const auto text = toolkit.createTextBox(*window, events);
  text->setGeometry({0, 0, 200, 100});
  text->setMultiLine(true, true);
  text->setBackColor(graphics::rgb(255, 255, 192));
  text->setText("first\r\nsecond");
  text->setVisible(false);
  showWindow();
  text->setVisible(true);
  EXPECT_TRUE(driver->waitUntil(
      [&] { return driver->pixelAt(*text, {60, 50}) == graphics::rgb(255, 255, 192); }));
  EXPECT_EQ(driver->linesShown(*text), (std::vector<std::string>{"first", "second"}));
}

// The pixel at (x, y) of the about card, a bottom-up 24-bit bitmap file of 351×240.
graphics::Pixel pixelOfAboutCard(int x, int y) {
  const auto card = resources::aboutCard();
  constexpr std::size_t kRow = (std::size_t{351} * 3 + 3) / 4 * 4;
  const std::size_t at =
      54 + kRow * static_cast<std::size_t>(240 - y) + 3 * static_cast<std::size_t>(x);
  return graphics::rgb(std::to_integer<std::uint8_t>(card[at + 2]),
                       std::to_integer<std::uint8_t>(card[at + 1]),
                       std::to_integer<std::uint8_t>(card[at]));
}

TEST_F(PeerBehaviour, PictureShowsItsBackingImageLiveAndItsPictureOverIt) {
  openWindow({400, 300});
  Recorder events;
  const auto picture = toolkit.createPicture(*window, events);
  picture->setGeometry({0, 0, 400, 300});
  picture->setBackColor(graphics::rgb(0, 0, 255));
  graphics::Surface& surface = picture->surface();
  surface.resize({20, 10}, graphics::rgb(255, 0, 0));
  showWindow();

  EXPECT_EQ(driver->pixelAt(*picture, {5, 5}), graphics::rgb(255, 0, 0));
  EXPECT_EQ(driver->pixelAt(*picture, {30, 20}), graphics::rgb(0, 0, 255));  // beyond the image

  graphics::Bitmap green(1, 1, graphics::rgb(0, 255, 0));
  graphics::BitmapSource source(green);
  surface.stretchFrom({5, 5, 1, 1}, source, {0, 0, 1, 1});
  picture->imageChanged();
  EXPECT_EQ(driver->pixelAt(*picture, {5, 5}), graphics::rgb(0, 255, 0));

  surface.resize({400, 300}, graphics::rgb(255, 255, 0));  // new pixels, new memory
  picture->imageChanged();
  EXPECT_EQ(driver->pixelAt(*picture, {380, 280}), graphics::rgb(255, 255, 0));

  // The about card's bitmap at the top-left corner, over the image.
  picture->setPicture(resources::aboutCard());
  for (const Point point : {Point{0, 0}, Point{350, 240}, Point{175, 40}}) {
    EXPECT_EQ(driver->pixelAt(*picture, point), pixelOfAboutCard(point.x, point.y))
        << point.x << "," << point.y;
  }
  EXPECT_EQ(driver->pixelAt(*picture, {380, 280}), graphics::rgb(255, 255, 0));
}

TEST_F(PeerBehaviour, PictureCutToAnEllipseIsClickedOnlyInsideItAndLetsTheRestThrough) {
  openWindow({200, 200});
  Recorder viewEvents;
  Recorder cardEvents;
  const auto view = toolkit.createPicture(*window, viewEvents);
  view->setGeometry({0, 0, 200, 200});
  const auto card = toolkit.createPicture(*view, cardEvents);
  card->setGeometry({0, 0, 200, 200});
  card->setRegion(graphics::EllipseRegion{{0, 0, 200, 200}}, true);
  showWindow();
  const auto clickAt = [&](Point at) {
    driver->movePointerTo(*card, at);
    driver->click();
  };

  clickAt({5, 5});  // outside the ellipse, in the corner: the view beneath
  ASSERT_TRUE(driver->waitUntil([&] { return viewEvents.clicks == 1; }));
  EXPECT_EQ(cardEvents.clicks, 0);

  clickAt({100, 100});
  EXPECT_TRUE(driver->waitUntil([&] { return cardEvents.clicks == 1; }));
  EXPECT_EQ(viewEvents.clicks, 1);

  card->setRegion(std::nullopt, true);
  clickAt({5, 5});
  EXPECT_TRUE(driver->waitUntil([&] { return cardEvents.clicks == 2; }));
  EXPECT_EQ(viewEvents.clicks, 1);
}

TEST_F(PeerBehaviour, PointerFromACursorFileKeepsItsHotSpotAndGoesBackToTheArrow) {
  openWindow({300, 100});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  button->setGeometry({10, 10, 100, 40});
  button->setPointer(resources::handPointer());
  showWindow();

  const std::optional<PointerShape> shown = driver->pointerShown(*button, {50, 20});
  ASSERT_TRUE(shown.has_value()) << "the arrow, not the cursor file's pointer";
  EXPECT_EQ(shown->hotSpot.x, 5);
  EXPECT_EQ(shown->hotSpot.y, 0);
  EXPECT_EQ(shown->size, (graphics::Size{32, 32}));
  button->setPointer(std::nullopt);
  EXPECT_FALSE(driver->pointerShown(*button, {50, 21}).has_value());
}

TEST_F(PeerBehaviour, AnErrorRepeatedWhileItsMessageIsUpOpensNoSecondMessage) {
  openWindow({200, 100});
  showWindow();

  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  ASSERT_TRUE(driver->waitUntil([&] { return !driver->shownMessages().empty(); }));
  driver->settle();
  std::vector<ShownMessage> messages = driver->shownMessages();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages.front().title, "ピア試験");
  EXPECT_NE(messages.front().text.find("380"), std::string::npos) << messages.front().text;
  EXPECT_TRUE(driver->takesInput(*window)) << "the window goes on while the message is up";

  toolkit.reportError(forms::RuntimeError::overflow());
  EXPECT_TRUE(driver->waitUntil([&] { return driver->shownMessages().size() == 2; }));

  driver->closeMessages();
  // Once closed, the same error shows again. The toolkit may learn of the close a moment after
  // the box has gone, so the error comes again until it shows: while it shows, it opens no
  // second box.
  EXPECT_TRUE(driver->waitUntil([&] {
    toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
    return !driver->shownMessages().empty();
  }));
  driver->settle();
  EXPECT_EQ(driver->shownMessages().size(), 1U);
  driver->closeMessages();
}

TEST_F(PeerBehaviour, StatusNoteShowsItsTextOverTheWindowAndGoesAwayByItself) {
  openWindow({300, 200});
  showWindow();
  const std::string note = "マウスポインターの位置が分かりません";
  toolkit.showStatus(note);
  std::optional<std::string> shown;
  ASSERT_TRUE(driver->waitUntil([&] { return (shown = driver->shownStatus()).has_value(); }));
  EXPECT_EQ(*shown, note);
  EXPECT_TRUE(driver->takesInput(*window));
  EXPECT_TRUE(driver->waitUntil([&] { return !driver->shownStatus().has_value(); }))
      << "the note stays up";
}

TEST_F(PeerBehaviour, TimerTicksAtItsIntervalUntilStopped) {
  Recorder events;
  const auto timer = toolkit.createTimer(events);
  timer->start(50);
  EXPECT_TRUE(driver->waitUntil([&] { return events.ticks >= 3; }));
  timer->stop();
  driver->settle();  // a tick already on its way
  const int ticks = events.ticks;
  for (int look = 0; look < 10; ++look) driver->letEventsIn();
  EXPECT_EQ(events.ticks, ticks);
}

// The window.

TEST_F(PeerBehaviour, OwnResizesAreNotReportedButTheUsersAreEachOnce) {
  openWindow({300, 200});
  showWindow();
  driver->settle();
  window->clientSize();
  windowEvents.resizes.clear();

  // Back to back, as a handler does. A window manager may confirm each size late, replaying
  // the intermediate ones; whether it does depends on timing, so try a few times.
  for (int round = 0; round < 10; ++round) {
    window->resizeClient({400 + round, 250});
    window->resizeClient({500, 300 + round});
    window->resizeClient({450 + round, 280 + round});
    EXPECT_EQ(window->clientSize(), (graphics::Size{450 + round, 280 + round}));
    driver->letEventsIn();  // what came in by the next round, the window manager still behind
  }
  driver->settle();
  EXPECT_TRUE(windowEvents.resizes.empty()) << sizesOf(windowEvents.resizes);
  EXPECT_EQ(window->clientSize(), (graphics::Size{459, 289}));

  for (int twice = 0; twice < 2; ++twice) driver->resizeAsUser(*window, {520, 330});
  ASSERT_TRUE(driver->waitUntil([&] { return !windowEvents.resizes.empty(); }));
  driver->settle();
  ASSERT_EQ(windowEvents.resizes.size(), 1U) << sizesOf(windowEvents.resizes);
  EXPECT_EQ(windowEvents.resizes.front(), (graphics::Size{520, 330}));
  EXPECT_EQ(window->clientSize(), (graphics::Size{520, 330}));
}

// The frame is known before the window first shows, as the window manager will draw it, so a
// window sized by its outer size before it shows opens at the client size worked out for it.
TEST_F(PeerBehaviour, KnowsItsFrameBeforeItShowsAndOpensAtTheSizeAskedWithCaptionAndIcon) {
  openWindow({285, 245});
  const forms::Margins announced = window->frameMargins();
  EXPECT_GT(announced.top, announced.bottom);  // the caption
  window->setIcon(resources::cameraIcon());
  showWindow();

  std::optional<forms::Margins> frame;
  ASSERT_TRUE(driver->waitUntil([&] { return (frame = driver->shownFrame(*window)).has_value(); }));
  driver->settle();
  EXPECT_EQ(std::tie(frame->left, frame->top, frame->right, frame->bottom),
            std::tie(announced.left, announced.top, announced.right, announced.bottom));
  EXPECT_EQ(window->clientSize(), (graphics::Size{285, 245}));
  EXPECT_EQ(driver->shownClientSize(*window), (graphics::Size{285, 245}));
  EXPECT_TRUE(windowEvents.resizes.empty()) << sizesOf(windowEvents.resizes);
  EXPECT_EQ(driver->shownCaption(*window), "ピア試験");
  EXPECT_TRUE(driver->showsIcon(*window));

  // Asked smaller than the window system lets a window be, it is the smallest it says it is.
  window->resizeClient({1, 1});
  driver->settle();
  EXPECT_EQ(window->clientSize(), window->smallestClientSize());
}

TEST_F(PeerBehaviour, SeesEveryKeyReleaseOnceAsVirtualKeyCodeWhateverHasTheFocus) {
  openWindow({300, 200});
  Recorder buttonEvents;
  const auto button = toolkit.createButton(*window, buttonEvents);
  button->setGeometry({10, 10, 100, 30});
  showWindow();
  ASSERT_TRUE(button->setFocus());
  ASSERT_TRUE(driver->waitUntil([&] { return button->hasFocus(); }));

  driver->pressKey('1');
  driver->holdKey(key::kShift, true);
  driver->pressKey('1');  // "!" on most layouts, still the key "1"
  driver->holdKey(key::kShift, false);
  ASSERT_TRUE(driver->waitUntil([&] { return windowEvents.keys.size() >= 3; }));
  driver->settle();
  ASSERT_EQ(windowEvents.keys.size(), 3U);  // "1", "1" with Shift, Shift
  EXPECT_EQ(windowEvents.keys[0], (std::pair{49, 0}));
  EXPECT_EQ(windowEvents.keys[1], (std::pair{49, 1}));
  EXPECT_TRUE(button->hasFocus());
}

TEST_F(PeerBehaviour, OpensWithTheFocusOnTheFirstControlOfTheTabOrderAndTabsAlongIt) {
  openWindow({300, 200});
  Recorder events;
  const auto first = toolkit.createButton(*window, events);
  const auto hidden = toolkit.createButton(*window, events);
  const auto second = toolkit.createButton(*window, events);
  const auto third = toolkit.createScrollBar(*window, events);
  first->setGeometry({10, 10, 80, 30});
  hidden->setVisible(false);
  second->setGeometry({100, 10, 80, 30});
  third->setGeometry({10, 100, 200, 20});
  window->setTabOrder({third.get(), hidden.get(), second.get(), first.get()});
  showWindow();

  EXPECT_TRUE(driver->waitUntil([&] { return third->hasFocus(); }));
  const std::vector<forms::WidgetPeer*> tabbedTo{second.get(), first.get(), third.get()};
  for (forms::WidgetPeer* next : tabbedTo) {
    driver->pressKey(key::kTab);
    EXPECT_TRUE(driver->waitUntil([&] { return next->hasFocus(); }));
  }
  driver->holdKey(key::kShift, true);
  driver->pressKey(key::kTab);
  driver->holdKey(key::kShift, false);
  EXPECT_TRUE(driver->waitUntil([&] { return first->hasFocus(); }));
}

TEST_F(PeerBehaviour, AControlHiddenAndShownAgainAtOnceKeepsTheFocus) {
  openWindow({300, 200});
  Recorder events;
  const auto bar = toolkit.createScrollBar(*window, events);
  const auto button = toolkit.createButton(*window, events);
  bar->setGeometry({10, 100, 200, 20});
  button->setGeometry({10, 10, 80, 30});
  showWindow();
  ASSERT_TRUE(bar->setFocus());
  ASSERT_TRUE(driver->waitUntil([&] { return bar->hasFocus(); }));

  bar->setVisible(false);
  bar->setVisible(true);
  EXPECT_TRUE(bar->hasFocus());

  // Unless the focus went somewhere on purpose meanwhile.
  bar->setVisible(false);
  button->setFocus();
  bar->setVisible(true);
  EXPECT_TRUE(button->hasFocus());
}

TEST_F(PeerBehaviour, APointerMoveIsReportedByTheTopmostControlUnderItOnly) {
  openWindow({300, 200});
  Recorder buttonEvents;
  Recorder pictureEvents;
  Recorder textEvents;
  Recorder labelEvents;
  // Made later, the picture lies below the button; the text box lies inside the picture.
  const auto button = toolkit.createButton(*window, buttonEvents);
  const auto picture = toolkit.createPicture(*window, pictureEvents);
  const auto text = toolkit.createTextBox(*picture, textEvents);
  const auto label = toolkit.createLabel(*window, labelEvents);
  button->setGeometry({10, 10, 100, 30});
  picture->setGeometry({0, 0, 300, 150});
  text->setGeometry({150, 50, 100, 80});
  text->setMultiLine(true, true);
  label->setGeometry({10, 160, 100, 30});
  showWindow();

  const std::vector<Recorder*> all = {&windowEvents, &buttonEvents, &pictureEvents, &textEvents,
                                      &labelEvents};
  const auto moveAndWait = [&](Point position, const Recorder& reporter) {
    for (Recorder* events : all) events->moves.clear();
    driver->movePointerTo(*window, position);
    ASSERT_TRUE(driver->waitUntil([&] { return !reporter.moves.empty(); }));
    driver->settle();
    for (const Recorder* events : all) {
      EXPECT_TRUE(events == &reporter || events->moves.empty());
    }
    EXPECT_EQ(reporter.moves.size(), 1U);  // a control of parts reports it once
  };

  ASSERT_NO_FATAL_FAILURE(moveAndWait({60, 25}, buttonEvents));
  EXPECT_EQ(buttonEvents.moves.back().x, 50.0F);
  EXPECT_EQ(buttonEvents.moves.back().y, 15.0F);
  ASSERT_NO_FATAL_FAILURE(moveAndWait({40, 100}, pictureEvents));
  ASSERT_NO_FATAL_FAILURE(moveAndWait({200, 100}, textEvents));
  EXPECT_EQ(textEvents.moves.back().x, 50.0F);  // from the box's outer corner
  EXPECT_EQ(textEvents.moves.back().y, 50.0F);
  ASSERT_NO_FATAL_FAILURE(moveAndWait({245, 100}, textEvents));  // its scroll bar
  ASSERT_NO_FATAL_FAILURE(moveAndWait({20, 170}, labelEvents));
  ASSERT_NO_FATAL_FAILURE(moveAndWait({150, 180}, windowEvents));
  EXPECT_EQ(windowEvents.moves.back().x, 150.0F);
  EXPECT_EQ(windowEvents.moves.back().button, 0);
}

TEST_F(PeerBehaviour, AControlMadeLaterLiesBelowTheEarlierOnes) {
  openWindow({300, 200});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  const auto label = toolkit.createLabel(*window, events);
  button->setGeometry({50, 10, 100, 30});
  label->setGeometry({10, 10, 100, 30});
  showWindow();

  EXPECT_TRUE(driver->topmostAt(*window, {80, 20}, *button));
  EXPECT_TRUE(driver->topmostAt(*window, {20, 20}, *label));
}

}  // namespace
}  // namespace peer_test
