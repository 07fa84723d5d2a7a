#include <windows.h>
// After windows.h, on whose types it builds.
#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/ui/fonts.h"
#include "tests/windows/win32_peer_fixture.h"

namespace win32_peer_test {
namespace {

// What only the Win32 controls have to do: the bar's mouse, the tooltips and the fonts of a
// Windows without the design face. The rest of the peers' behaviour is in tests/peers, for
// every toolkit.
using ControlPeersTest = Win32PeerTest;
using peer_test::Recorder;

TEST_F(ControlPeersTest, ScrollBarStepsByOneAtItsArrowsByFiveInItsTrackAndTakesTheThumbWhereLetGo) {
  Recorder events;
  const auto bar = showScrollBar(events);
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
  EXPECT_EQ(font.lfHeight, -MulDiv(9, win32Toolkit().fonts().dpi(), 72));
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

  // The captions come out as glyphs, not as boxes.
  EXPECT_EQ(missingGlyphs(handleOf(*button), L"ビデオカメラヘルプ作動中"), 0);
}

}  // namespace
}  // namespace win32_peer_test
