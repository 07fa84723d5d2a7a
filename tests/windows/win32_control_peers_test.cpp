#include <windows.h>
// After windows.h, on whose types it builds.
#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/bitmap.h"
#include "platform/win32/ui/fonts.h"
#include "resources/resources.h"
#include "tests/windows/win32_peer_fixture.h"

namespace win32_peer_test {
namespace {

using ControlPeersTest = Win32PeerTest;

graphics::Pixel pixelAt(HWND window, int x, int y) {
  UpdateWindow(window);
  HDC context = GetDC(window);
  const COLORREF colour = GetPixel(context, x, y);
  ReleaseDC(window, context);
  return graphics::rgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

TEST_F(ControlPeersTest, ScrollBarTakesTheClassicKeysAndReportsThemButNotTheProgramsValue) {
  openWindow({300, 100});
  Recorder events;
  const auto bar = toolkit.createScrollBar(*window, events);
  bar->setGeometry({10, 10, 280, 20});
  bar->setRange({1, 40, 1, 5});
  bar->setValue(10);
  showWindow();
  ASSERT_TRUE(bar->setFocus());
  EXPECT_TRUE(events.scrolls.empty());

  const std::vector<std::pair<WORD, int>> keysAndValues = {
      {VK_RIGHT, 11}, {VK_DOWN, 12},  {VK_LEFT, 11}, {VK_UP, 10},
      {VK_NEXT, 15},  {VK_PRIOR, 10}, {VK_END, 40},  {VK_HOME, 1}};
  for (const auto& [key, value] : keysAndValues) {
    pressKey(key);
    ASSERT_TRUE(waitUntil([&] { return !events.scrolls.empty(); })) << key;
    settle(50);
    EXPECT_EQ(events.scrolls, (std::vector<int>{value})) << key;
    events.scrolls.clear();
  }
}

TEST_F(ControlPeersTest, ScrollBarStepsByOneAtItsArrowsByFiveInItsTrackAndTakesTheThumbWhereLetGo) {
  openWindow({300, 100});
  Recorder events;
  const auto bar = toolkit.createScrollBar(*window, events);
  bar->setGeometry({10, 10, 280, 20});
  bar->setRange({1, 40, 1, 5});
  bar->setValue(10);
  showWindow();
  HWND handle = handleOf(*bar);
  const auto clickAndWait = [&](POINT at) {
    events.scrolls.clear();
    clickAt(handle, at);
    EXPECT_TRUE(waitUntil([&] { return !events.scrolls.empty(); }));
    settle(100);
  };

  clickAndWait({5, 10});  // the left arrow
  EXPECT_EQ(events.scrolls, (std::vector<int>{9}));
  clickAndWait({200, 10});  // the track right of the thumb
  EXPECT_EQ(events.scrolls, (std::vector<int>{14}));

  // The thumb dragged to the right end: nothing while it moves, its place once let go. The
  // drag runs in the bar's own modal loop until the button goes up: the steps after the press
  // come from a timer, which that loop still delivers.
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(handle, OBJID_CLIENT, &info);
  const int thumbMiddle = (info.xyThumbTop + info.xyThumbBottom) / 2;
  events.scrolls.clear();
  std::vector<std::size_t> reportsWhileDragging;
  int x = thumbMiddle;
  bool letGo = false;
  static std::function<void()> dragStep;
  dragStep = [&] {
    // A step after the release, before the wait below has seen the report, is no drag.
    if (letGo) return;
    reportsWhileDragging.push_back(events.scrolls.size());
    x += 40;
    movePointerTo(handle, {x, 10});
    if (x > 300) {
      leftButton(false);
      letGo = true;
    }
  };
  movePointerTo(handle, {thumbMiddle, 10});
  leftButton(true);
  const UINT_PTR steps = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { dragStep(); });
  const bool reported = waitUntil([&] { return !events.scrolls.empty(); });
  KillTimer(nullptr, steps);
  ASSERT_TRUE(reported);
  settle(100);
  EXPECT_EQ(events.scrolls, (std::vector<int>{40}));
  EXPECT_GT(reportsWhileDragging.size(), 3U);
  for (const std::size_t reports : reportsWhileDragging) EXPECT_EQ(reports, 0U);
}

TEST_F(ControlPeersTest, TextBoxShowsWindowsLineBreaksAndReportsTypingWithThem) {
  openWindow({300, 200});
  Recorder events;
  const auto text = toolkit.createTextBox(*window, events);
  text->setGeometry({10, 10, 280, 180});
  text->setText("first\r\nsecond");
  text->setMultiLine(true, true);
  showWindow();

  HWND editor = handleOf(*text);
  EXPECT_EQ(SendMessageW(editor, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_NE(GetWindowLongW(editor, GWL_STYLE) & WS_VSCROLL, 0);
  EXPECT_TRUE(events.edits.empty());

  ASSERT_TRUE(text->setFocus());
  holdKey(VK_CONTROL, true);
  pressKey(VK_END);
  holdKey(VK_CONTROL, false);
  pressKey('X');
  ASSERT_TRUE(waitUntil([&] { return !events.edits.empty(); }));
  EXPECT_EQ(events.edits.back(), "first\r\nsecondx");

  // The program's own text is shown, not reported.
  events.edits.clear();
  text->setText("third");
  settle(100);
  EXPECT_TRUE(events.edits.empty());
}

TEST_F(ControlPeersTest, TextBoxShowsItsBackgroundColour) {
  openWindow({200, 100});
  Recorder events;
  const auto text = toolkit.createTextBox(*window, events);
  text->setGeometry({0, 0, 200, 100});
  text->setMultiLine(true, true);
  text->setBackColor(graphics::rgb(255, 255, 192));
  showWindow();
  EXPECT_EQ(pixelAt(handleOf(*text), 60, 50), graphics::rgb(255, 255, 192));
}

TEST_F(ControlPeersTest, PictureShowsItsBackingImageLiveAndItsPictureOverIt) {
  openWindow({400, 300});
  Recorder events;
  const auto picture = toolkit.createPicture(*window, events);
  picture->setGeometry({0, 0, 400, 300});
  picture->setBackColor(graphics::rgb(0, 0, 255));
  graphics::Surface& surface = picture->surface();
  surface.resize({20, 10}, graphics::rgb(255, 0, 0));
  showWindow();
  HWND handle = handleOf(*picture);

  EXPECT_EQ(pixelAt(handle, 5, 5), graphics::rgb(255, 0, 0));
  EXPECT_EQ(pixelAt(handle, 30, 20), graphics::rgb(0, 0, 255));  // beyond the image

  graphics::Bitmap green(1, 1, graphics::rgb(0, 255, 0));
  graphics::BitmapSource source(green);
  surface.stretchFrom({5, 5, 1, 1}, source, {0, 0, 1, 1});
  picture->imageChanged();
  EXPECT_EQ(pixelAt(handle, 5, 5), graphics::rgb(0, 255, 0));

  surface.resize({400, 300}, graphics::rgb(255, 255, 0));  // new pixels, new memory
  picture->imageChanged();
  EXPECT_EQ(pixelAt(handle, 380, 280), graphics::rgb(255, 255, 0));

  // The about card's bitmap at the top-left corner, over the image; it is stored bottom-up.
  picture->setPicture(resources::aboutCard());
  const auto card = resources::aboutCard();
  const auto pixelOfCard = [&](int x, int y) {
    const std::size_t row = (351 * 3 + 3) / 4 * 4;
    const std::size_t at =
        54 + row * static_cast<std::size_t>(240 - y) + 3 * static_cast<std::size_t>(x);
    return graphics::rgb(std::to_integer<std::uint8_t>(card[at + 2]),
                         std::to_integer<std::uint8_t>(card[at + 1]),
                         std::to_integer<std::uint8_t>(card[at]));
  };
  for (const POINT point : {POINT{0, 0}, POINT{350, 240}, POINT{175, 40}}) {
    EXPECT_EQ(pixelAt(handle, point.x, point.y), pixelOfCard(point.x, point.y))
        << point.x << "," << point.y;
  }
  EXPECT_EQ(pixelAt(handle, 380, 280), graphics::rgb(255, 255, 0));
}

TEST_F(ControlPeersTest, PictureCutToAnEllipseIsClickedOnlyInsideItAndLetsTheRestThrough) {
  openWindow({200, 200});
  Recorder viewEvents;
  Recorder cardEvents;
  const auto view = toolkit.createPicture(*window, viewEvents);
  view->setGeometry({0, 0, 200, 200});
  const auto card = toolkit.createPicture(*view, cardEvents);
  card->setGeometry({0, 0, 200, 200});
  card->setRegion(graphics::EllipseRegion{{0, 0, 200, 200}}, true);
  showWindow();
  HWND handle = handleOf(*card);

  clickAt(handle, {5, 5});  // outside the ellipse, in the corner: the view beneath
  ASSERT_TRUE(waitUntil([&] { return viewEvents.clicks == 1; }));
  EXPECT_EQ(cardEvents.clicks, 0);

  clickAt(handle, {100, 100});
  EXPECT_TRUE(waitUntil([&] { return cardEvents.clicks == 1; }));
  EXPECT_EQ(viewEvents.clicks, 1);

  card->setRegion(std::nullopt, true);
  clickAt(handle, {5, 5});
  EXPECT_TRUE(waitUntil([&] { return cardEvents.clicks == 2; }));
  EXPECT_EQ(viewEvents.clicks, 1);
}

HCURSOR cursorShownAt(HWND window, POINT position) {
  movePointerTo(window, position);
  settle(200);  // WM_SETCURSOR comes with the move
  CURSORINFO info{};
  info.cbSize = sizeof info;
  GetCursorInfo(&info);
  return info.hCursor;
}

TEST_F(ControlPeersTest, PointerFromACursorFileKeepsItsHotSpotAndGoesBackToTheArrow) {
  openWindow({300, 100});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  button->setGeometry({10, 10, 100, 40});
  button->setPointer(resources::handPointer());
  showWindow();

  HCURSOR hand = cursorShownAt(handleOf(*button), {50, 20});
  ICONINFO info{};
  ASSERT_TRUE(hand != nullptr && GetIconInfo(hand, &info));
  EXPECT_EQ(info.xHotspot, 5U);
  EXPECT_EQ(info.yHotspot, 0U);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  EXPECT_EQ(cursorShownAt(windowHandle(), {200, 50}), LoadCursorW(nullptr, IDC_ARROW));
  button->setPointer(std::nullopt);
  EXPECT_EQ(cursorShownAt(handleOf(*button), {50, 21}), LoadCursorW(nullptr, IDC_ARROW));
}

// How many characters of `text` the font `window` draws in has no glyph for (drawn as boxes).
int missingGlyphs(HWND window, const std::wstring& text) {
  std::vector<WORD> glyphs(text.size());
  HDC context = GetDC(window);
  SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  GetGlyphIndicesW(context, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  ReleaseDC(window, context);
  return static_cast<int>(std::count(glyphs.begin(), glyphs.end(), 0xFFFF));
}

TEST_F(ControlPeersTest, ToolTipAppearsOverItsControlWithItsText) {
  openWindow({300, 100});
  Recorder events;
  const auto label = toolkit.createLabel(*window, events);
  label->setGeometry({10, 10, 100, 40});
  label->setToolTip("画面の倍率です");
  showWindow();

  movePointerTo(handleOf(*label), {50, 20});
  HWND tip = nullptr;
  ASSERT_TRUE(waitUntil(
      [&] {
        tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
        return tip != nullptr && IsWindowVisible(tip);
      },
      std::chrono::milliseconds(5000)));
  wchar_t text[64] = {};
  GetWindowTextW(tip, text, 64);
  EXPECT_EQ(std::wstring(text), L"画面の倍率です");
  EXPECT_EQ(missingGlyphs(tip, text), 0) << "drawn as boxes";
}

TEST_F(ControlPeersTest, DesignFaceMissingHereGivesAJapaneseStandInWithTheGlyphsAtThePointSize) {
  openWindow({300, 100});
  Recorder events;
  const auto button = toolkit.createButton(*window, events);
  forms::FontSpec design;
  design.family = "ＭＳ Ｐゴシック";
  button->setFont(design);

  const auto shown = reinterpret_cast<HFONT>(SendMessageW(handleOf(*button), WM_GETFONT, 0, 0));
  LOGFONTW font{};
  GetObjectW(shown, sizeof font, &font);
  // Wine has no such face; the host lends it IPA's proportional gothic.
  ASSERT_FALSE(win32::fontInstalled(L"ＭＳ Ｐゴシック"));
  EXPECT_EQ(std::wstring(font.lfFaceName), L"IPAPGothic");
  EXPECT_EQ(font.lfHeight, -MulDiv(9, toolkit.fonts().dpi(), 72));
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

  // The captions come out as glyphs, not as boxes.
  EXPECT_EQ(missingGlyphs(handleOf(*button), L"ビデオカメラヘルプ作動中"), 0);
}

std::vector<HWND> shownMessages() {
  std::vector<HWND> boxes;
  EnumWindows(
      [](HWND window, LPARAM found) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
          reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

std::wstring textOfBox(HWND box) {
  std::wstring all;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM text) {
        wchar_t part[256] = {};
        GetWindowTextW(child, part, 256);
        *reinterpret_cast<std::wstring*>(text) += part;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

void closeAll() {
  for (HWND box : shownMessages()) PostMessageW(box, WM_CLOSE, 0, 0);
  EXPECT_TRUE(waitUntil([] { return shownMessages().empty(); }));
}

TEST_F(ControlPeersTest, AnErrorRepeatedWhileItsMessageIsUpOpensNoSecondMessage) {
  openWindow({200, 100});
  showWindow();

  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  ASSERT_TRUE(waitUntil([] { return !shownMessages().empty(); }));
  settle(300);
  std::vector<HWND> boxes = shownMessages();
  ASSERT_EQ(boxes.size(), 1U);
  wchar_t title[64] = {};
  GetWindowTextW(boxes.front(), title, 64);
  EXPECT_EQ(std::wstring(title), L"ピア試験");
  EXPECT_NE(textOfBox(boxes.front()).find(L"380"), std::wstring::npos);
  // The window goes on while the box is up.
  EXPECT_TRUE(IsWindowEnabled(windowHandle()));

  toolkit.reportError(forms::RuntimeError::overflow());
  EXPECT_TRUE(waitUntil([] { return shownMessages().size() == 2; }));

  closeAll();
  settle(100);
  toolkit.reportError(forms::RuntimeError::invalidPropertyValue());
  EXPECT_TRUE(waitUntil([] { return shownMessages().size() == 1; }));
  closeAll();
}

TEST_F(ControlPeersTest, TimerTicksAtItsIntervalUntilStopped) {
  Recorder events;
  const auto timer = toolkit.createTimer(events);
  timer->start(50);
  EXPECT_TRUE(waitUntil([&] { return events.ticks >= 3; }));
  timer->stop();
  settle(100);  // a tick already on its way
  const int ticks = events.ticks;
  settle(300);
  EXPECT_EQ(events.ticks, ticks);
}

}  // namespace
}  // namespace win32_peer_test
