#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextDocument>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/bitmap.h"
#include "tests/x11/qt_peer_fixture.h"
#include "tests/x11/screen_change.h"
#include "tests/x11/user_images.h"

namespace qt_peer_test {
namespace {

using ControlPeersTest = QtPeerTest;

TEST_F(ControlPeersTest,
       ScrollBarTakesTheClassicKeysNotTheWheelAndReportsThemButNotTheProgramsValue) {
  openWindow({300, 100});
  Recorder events;
  const auto bar = toolkit.createScrollBar(*window, events);
  bar->setGeometry({10, 10, 280, 20});
  bar->setRange({1, 40, 1, 5});
  bar->setValue(10);
  showWindow();
  ASSERT_TRUE(bar->setFocus());
  ASSERT_TRUE(waitRunningQt([&] { return bar->hasFocus(); }));
  EXPECT_TRUE(events.scrolls.empty());

  const std::vector<std::pair<const char*, int>> keysAndValues = {
      {"Right", 11},     {"Down", 12},    {"Left", 11}, {"Up", 10},
      {"Page_Down", 15}, {"Page_Up", 10}, {"End", 40},  {"Home", 1}};
  for (const auto& [key, value] : keysAndValues) {
    xdotool({"key", key});
    ASSERT_TRUE(waitRunningQt([&] { return !events.scrolls.empty(); })) << key;
    EXPECT_EQ(events.scrolls, (std::vector<int>{value})) << key;
    events.scrolls.clear();
  }
  // Wheel turns both ways over the bar, then a key: only the key moves it.
  movePointerTo(windowWidget(), QPoint(150, 20));
  xdotool({"click", "--repeat", "3", "4", "click", "5", "key", "Right"});
  ASSERT_TRUE(waitRunningQt([&] { return !events.scrolls.empty(); }));
  EXPECT_EQ(events.scrolls, (std::vector<int>{2}));
}

TEST_F(ControlPeersTest, TextBoxShowsWindowsLineBreaksAndReportsTypingWithThem) {
  openWindow({300, 200});
  Recorder events;
  const auto text = toolkit.createTextBox(*window, events);
  text->setGeometry({10, 10, 280, 180});
  text->setMultiLine(true, true);
  text->setText("first\r\nsecond");
  showWindow();

  const auto* editor = qtplatform::nativeWidgetOf(*text).findChild<QPlainTextEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->document()->blockCount(), 2);
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("first\nsecond"));
  EXPECT_TRUE(events.edits.empty());

  ASSERT_TRUE(text->setFocus());
  ASSERT_TRUE(waitRunningQt([&] { return text->hasFocus(); }));
  xdotool({"key", "ctrl+End", "x"});
  ASSERT_TRUE(waitRunningQt([&] { return !events.edits.empty(); }));
  EXPECT_EQ(events.edits.back(), "first\r\nsecondx");
}

TEST_F(ControlPeersTest, PictureShowsItsBackingImageLiveAndWithoutACopy) {
  openWindow({200, 200});
  Recorder events;
  const auto picture = toolkit.createPicture(*window, events);
  picture->setGeometry({0, 0, 40, 30});
  picture->setBackColor(graphics::rgb(0, 0, 255));
  graphics::Surface& surface = picture->surface();
  surface.resize({20, 10}, graphics::rgb(255, 0, 0));
  QWidget& widget = qtplatform::nativeWidgetOf(*picture);

  QImage shown = widget.grab().toImage();
  EXPECT_EQ(shown.pixel(5, 5) & 0xFFFFFFU, 0xFF0000U);
  EXPECT_EQ(shown.pixel(30, 20) & 0xFFFFFFU, 0x0000FFU);  // beyond the image: background

  graphics::Bitmap green(1, 1, graphics::rgb(0, 255, 0));
  graphics::BitmapSource source(green);
  surface.stretchFrom({5, 5, 1, 1}, source, {0, 0, 1, 1});
  picture->imageChanged();
  EXPECT_EQ(widget.grab().toImage().pixel(5, 5) & 0xFFFFFFU, 0x00FF00U);

  surface.resize({40, 30}, graphics::rgb(255, 255, 0));  // new pixels, new memory
  picture->imageChanged();
  EXPECT_EQ(widget.grab().toImage().pixel(30, 20) & 0xFFFFFFU, 0xFFFF00U);
}

TEST_F(ControlPeersTest, PictureCutToAnEllipseIsClickedOnlyInsideIt) {
  openWindow({200, 200});
  Recorder events;
  const auto picture = toolkit.createPicture(*window, events);
  picture->setGeometry({0, 0, 200, 200});
  picture->setRegion(graphics::EllipseRegion{{0, 0, 200, 200}}, true);
  showWindow();
  QWidget& widget = qtplatform::nativeWidgetOf(*picture);

  movePointerTo(widget, {5, 5});  // outside the ellipse, in the corner
  xdotool({"click", "1"});
  settle();
  EXPECT_EQ(events.clicks, 0);

  movePointerTo(widget, {100, 100});
  xdotool({"click", "1"});
  EXPECT_TRUE(waitRunningQt([&] { return events.clicks == 1; }));

  picture->setRegion(std::nullopt, true);
  movePointerTo(widget, {5, 5});
  xdotool({"click", "1"});
  EXPECT_TRUE(waitRunningQt([&] { return events.clicks == 2; }));
}

// A 32×32 monochrome cursor file with its hot spot at (5, 0), all transparent.
std::vector<std::byte> monochromeCursor() {
  struct Field {
    std::uint32_t value;
    int bytes;
  };
  std::vector<std::byte> file;
  const auto put = [&](std::initializer_list<Field> fields) {
    for (const Field& field : fields) {
      for (int i = 0; i < field.bytes; ++i)
        file.push_back(static_cast<std::byte>(field.value >> (8 * i)));
    }
  };
  constexpr std::uint32_t kImageBytes = 40 + 8 + 128 + 128;
  put({{0, 2}, {2, 2}, {1, 2}});                                                       // one cursor
  put({{32, 1}, {32, 1}, {2, 1}, {0, 1}, {5, 2}, {0, 2}, {kImageBytes, 4}, {22, 4}});  // hot spot
  put({{40, 4}, {32, 4}, {64, 4}, {1, 2}, {1, 2}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}});
  put({{0x000000, 4}, {0xFFFFFF, 4}});            // palette
  file.insert(file.end(), 128, std::byte{0x00});  // colour bits
  file.insert(file.end(), 128, std::byte{0xFF});  // mask: transparent
  return file;
}

TEST_F(ControlPeersTest, PointerFromACursorFileKeepsItsHotSpot) {
  openWindow({200, 100});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  const std::vector<std::byte> cursorFile = monochromeCursor();
  button->setPointer(forms::ImageFile(cursorFile));
  const QCursor cursor = qtplatform::nativeWidgetOf(*button).cursor();
  EXPECT_EQ(cursor.hotSpot(), QPoint(5, 0));
  EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));

  button->setPointer(std::nullopt);
  EXPECT_EQ(qtplatform::nativeWidgetOf(*button).cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ControlPeersTest, AnErrorRepeatedWhileItsMessageIsUpOpensNoSecondMessage) {
  openWindow({200, 100});
  showWindow();

  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  std::vector<QDialog*> shown;
  ASSERT_TRUE(waitRunningQt([&] { return (shown = messagesOnScreen(display)).size() == 1; }));
  EXPECT_EQ(shown.front()->windowTitle(), QStringLiteral("ピア試験"));
  EXPECT_TRUE(textOf(*shown.front()).contains(QStringLiteral("380")));
  EXPECT_EQ(shown.front()->windowModality(), Qt::NonModal);
  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  settle();
  EXPECT_EQ(messagesOnScreen(display).size(), 1U);

  toolkit.reportError(forms::RuntimeError::overflow());
  EXPECT_TRUE(waitRunningQt([&] { return messagesOnScreen(display).size() == 2; }));

  for (QDialog* message : messagesOnScreen(display)) message->close();
  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  ASSERT_TRUE(waitRunningQt([&] { return (shown = messagesOnScreen(display)).size() == 1; }));
  shown.front()->close();
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
  settle();
  EXPECT_EQ(messagesOnScreen(display).size(), 1U);
  for (QDialog* message : messagesOnScreen(display)) message->close();
}

}  // namespace
}  // namespace qt_peer_test
