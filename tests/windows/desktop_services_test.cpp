// The desktop services on Win32, under Wine on a virtual X display: the screen as Wine's
// windows show it, the X pointer, the clipboard as X clients see it, and program start with
// key sending into test programs of our own.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/graphics/stretch_copy.h"
#include "platform/keys/key_string.h"
#include "platform/win32/desktop/key_input.h"
#include "platform/win32/desktop/screen_metrics.h"
#include "platform/win32/desktop/win32_desktop.h"
#include "platform/win32/utf16.h"
#include "support/host_commands.h"
#include "support/pattern_window.h"
#include "support/pictures.h"
#include "support/stand_in_paint.h"
#include "support/wait.h"

namespace {

using namespace std::chrono_literals;
using graphics::Bitmap;
using graphics::Rect;
using wine_test::differingPixels;
using wine_test::hostOutput;
using wine_test::waitUntil;

constexpr const char* kClassicPaintPath = R"(C:\Program Files\Accessories\MSPAINT.EXE)";
constexpr graphics::Pixel kUntouched = 0xABCDEF;

// The error a call throws, or none.
template <typename Call>
std::optional<forms::RuntimeError> errorOf(Call call) {
  try {
    call();
  } catch (const forms::RuntimeError& error) {
    return error;
  }
  return std::nullopt;
}

TEST(Win32Pointer, FollowsThePointerMovedOnTheDisplay) {
  win32::Win32Desktop desktop;
  ASSERT_TRUE(hostOutput("xdotool mousemove 321 234"));
  platform::PointApi point;
  EXPECT_TRUE(waitUntil([&] {
    return desktop.pointer().GetCursorPos(point) != 0 && point.X == 321 && point.Y == 234;
  })) << point.X
      << "," << point.Y;
}

// A picture box's device context, drawn into by the stretching copy.
struct Canvas final : graphics::DeviceContext {
  graphics::BitmapSurface picture;
  graphics::Surface* target() override { return &picture; }
};

// The screen as the test knows it: the pattern windows' pixels; nothing else may be read.
class KnownScreen final : public graphics::PixelSource {
 public:
  KnownScreen(const Rect& bounds, std::vector<const wine_test::PatternWindow*> windows)
      : bounds_(bounds), windows_(std::move(windows)) {}
  Rect bounds() const override { return bounds_; }
  graphics::PixelView read(const Rect& area) override {
    pixels_ = Bitmap(area.width, area.height);
    for (int y = 0; y < area.height; ++y) {
      for (int x = 0; x < area.width; ++x) pixels_.set(x, y, at(area.left + x, area.top + y));
    }
    return pixels_.view();
  }

 private:
  graphics::Pixel at(int x, int y) const {
    for (const wine_test::PatternWindow* window : windows_) {
      const Rect& place = window->place();
      if (x >= place.left && x < place.right() && y >= place.top && y < place.bottom()) {
        return window->at(x, y);
      }
    }
    ADD_FAILURE() << "the test reads the screen where it does not know it: " << x << "," << y;
    return 0;
  }

  Rect bounds_;
  std::vector<const wine_test::PatternWindow*> windows_;
  Bitmap pixels_;
};

// StretchBlt from the screen into a fresh picture of `size`.
Bitmap stretchedFrom(platform::ScreenCopy& copy, const Rect& source, graphics::Size size) {
  Canvas canvas;
  canvas.picture.resize(size, kUntouched);
  const auto handle = copy.registerDeviceContext(canvas);
  const platform::Hdc screen = copy.GetDC(0);
  EXPECT_EQ(copy.StretchBlt(handle.handle(), 0, 0, size.width, size.height, screen, source.left,
                            source.top, source.width, source.height, platform::SRCCOPY),
            1);
  copy.ReleaseDC(0, screen);
  return canvas.picture.bitmap();
}

// The screen is X's, 1920x1080 at one monitor: the virtual screen is that, at (0, 0).
class Win32ScreenRead : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    desktop_ = std::make_unique<win32::Win32Desktop>();
    screen_ = desktop_->screenCopy().GetDC(0) != 0 ? Rect{0, 0, 1920, 1080} : Rect{};
    topLeft_ = std::make_unique<wine_test::PatternWindow>(Rect{0, 0, 160, 120}, 11);
    bottomRight_ = std::make_unique<wine_test::PatternWindow>(
        Rect{screen_.right() - 160, screen_.bottom() - 120, 160, 120}, 12);
  }
  static void TearDownTestSuite() {
    bottomRight_.reset();
    topLeft_.reset();
    desktop_.reset();
  }

  static std::unique_ptr<win32::Win32Desktop> desktop_;
  static Rect screen_;
  static std::unique_ptr<wine_test::PatternWindow> topLeft_;
  static std::unique_ptr<wine_test::PatternWindow> bottomRight_;
};

std::unique_ptr<win32::Win32Desktop> Win32ScreenRead::desktop_;
Rect Win32ScreenRead::screen_;
std::unique_ptr<wine_test::PatternWindow> Win32ScreenRead::topLeft_;
std::unique_ptr<wine_test::PatternWindow> Win32ScreenRead::bottomRight_;

TEST_F(Win32ScreenRead, GivesThePictureTheSharedCopyMakesOfTheKnownScreen) {
  ASSERT_TRUE(topLeft_->shown() && bottomRight_->shown()) << "no pattern windows";
  EXPECT_EQ(hostOutput("xdpyinfo | awk '/dimensions:/ {print $2}'"), "1920x1080\n");
  const Rect corner = bottomRight_->place();
  struct Row {
    const char* what;
    Rect source;
    graphics::Size size;
  };
  const Row rows[] = {
      {"zoom 1", {corner.left + 9, corner.top + 5, 120, 90}, {120, 90}},
      {"zoom 2", {corner.left + 20, corner.top + 10, 60, 45}, {120, 90}},
      {"reduced", {corner.left + 3, corner.top + 2, 151, 113}, {100, 75}},
      {"past right and bottom",
       {screen_.right() - 100, screen_.bottom() - 70, 160, 120},
       {160, 120}},
      {"past left and top, zoom 2", {screen_.left - 30, screen_.top - 20, 100, 80}, {200, 160}},
  };
  KnownScreen known(screen_, {topLeft_.get(), bottomRight_.get()});
  graphics::StretchScratch scratch;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Bitmap expected(row.size.width, row.size.height, kUntouched);
    graphics::stretchCopy(expected, {0, 0, row.size.width, row.size.height}, known, row.source,
                          scratch);
    EXPECT_EQ(
        differingPixels(stretchedFrom(desktop_->screenCopy(), row.source, row.size), expected), 0);
  }
}

// rgb:- of ImageMagick: three bytes a pixel, rows top-down.
Bitmap fromRgb(const std::string& bytes, int width, int height) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto* pixel =
          reinterpret_cast<const unsigned char*>(bytes.data()) + (y * width + x) * 3;
      picture.set(x, y, graphics::rgb(pixel[0], pixel[1], pixel[2]));
    }
  }
  return picture;
}

// What an X client pastes as `type`, decoded by ImageMagick; empty until Wine offers it.
std::string pastedOnX(const std::string& type, std::size_t bytes) {
  std::optional<std::string> rgb;
  waitUntil([&] {
    rgb = hostOutput("xclip -selection clipboard -t " + type + " -o | convert - -depth 8 rgb:-");
    return rgb.has_value() && rgb->size() == bytes;
  });
  return rgb.value_or("");
}

TEST(Win32Clipboard, HoldsThePictureAsDibAndPngPixelForPixelAlsoForXClients) {
  const Bitmap picture = wine_test::noise(351, 240, 7);  // rows of 1053 bytes: DIB rows padded
  const auto bytes = static_cast<std::size_t>(351 * 240 * 3);
  {
    win32::Win32Desktop desktop;
    desktop.clipboard().SetData(picture);
    for (const char* type : {"image/bmp", "image/png"}) {
      SCOPED_TRACE(type);
      const std::string rgb = pastedOnX(type, bytes);
      ASSERT_EQ(rgb.size(), bytes);
      EXPECT_EQ(differingPixels(fromRgb(rgb, 351, 240), picture), 0);
    }
  }
  // Once we are gone too, as the CF_BITMAP that Windows makes of the DIB for older programs.
  ASSERT_TRUE(OpenClipboard(nullptr));
  auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  const bool png = IsClipboardFormatAvailable(RegisterClipboardFormatW(L"PNG")) != 0;
  const std::optional<Bitmap> pasted =
      bitmap != nullptr ? std::optional(wine_test::pixelsOf(bitmap)) : std::nullopt;
  CloseClipboard();
  ASSERT_TRUE(pasted.has_value());
  ASSERT_EQ(pasted->size(), picture.size());
  EXPECT_EQ(differingPixels(*pasted, picture), 0);
  EXPECT_TRUE(png);
}

TEST(Win32Clipboard, ClearLeavesNothingToPaste) {
  win32::Win32Desktop desktop;
  desktop.clipboard().SetData(wine_test::noise(8, 8, 1));
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  desktop.clipboard().Clear();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"PNG")));
}

// Another program keeps the clipboard open for `hold`, from the moment this returns.
std::thread clipboardHeldFor(std::chrono::milliseconds hold) {
  std::promise<void> opened;
  auto isOpen = opened.get_future();
  std::thread holder([hold, &opened] {
    OpenClipboard(nullptr);
    opened.set_value();
    std::this_thread::sleep_for(hold);
    CloseClipboard();
  });
  isOpen.wait();
  return holder;
}

TEST(Win32Clipboard, WaitsAMomentForAnotherHolderThenSaysItIsBusy) {
  win32::Win32Desktop desktop;
  std::thread holder = clipboardHeldFor(100ms);
  EXPECT_FALSE(errorOf([&] { desktop.clipboard().SetData(wine_test::noise(8, 8, 2)); }));
  holder.join();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));

  holder = clipboardHeldFor(3000ms);
  const auto error = errorOf([&] { desktop.clipboard().SetData(wine_test::noise(8, 8, 3)); });
  holder.join();
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->number(), 521);
}

TEST(Win32ScreenMetrics, TwipsPerPixelAreAnInchOverTheSystemResolution) {
  EXPECT_FLOAT_EQ(win32::twipsPerPixel(96), 15.0F);
  EXPECT_FLOAT_EQ(win32::twipsPerPixel(120), 12.0F);
  EXPECT_FLOAT_EQ(win32::twipsPerPixel(144), 10.0F);
  EXPECT_FLOAT_EQ(win32::twipsPerPixel(0), 15.0F);
  win32::Win32Desktop desktop;  // Wine on Xvfb: 96 dots per inch
  EXPECT_FLOAT_EQ(desktop.screen().TwipsPerPixelX(), 15.0F);
  EXPECT_FLOAT_EQ(desktop.screen().TwipsPerPixelY(), 15.0F);
}

// The input as "+11 +56 -56 -11": pressed or released, the virtual key in hex with "e" for
// an extended key, or "U" and the UTF-16 unit of a character sent as itself.
std::string described(const std::vector<INPUT>& input) {
  std::string text;
  char event[16];
  for (const INPUT& one : input) {
    const KEYBDINPUT& key = one.ki;
    const char direction = (key.dwFlags & KEYEVENTF_KEYUP) != 0 ? '-' : '+';
    if ((key.dwFlags & KEYEVENTF_UNICODE) != 0) {
      std::snprintf(event, sizeof event, "%cU%04X", direction, key.wScan);
    } else {
      std::snprintf(event, sizeof event, "%c%02X%s", direction, key.wVk,
                    (key.dwFlags & KEYEVENTF_EXTENDEDKEY) != 0 ? "e" : "");
    }
    text += (text.empty() ? "" : " ") + std::string(event);
  }
  return text;
}

TEST(Win32KeyInput, TypesStrokesWithTheirModifiersOnTheLayoutsKeys) {
  // Xvfb's keyboard is a US one.
  EXPECT_EQ(described(win32::keyboardInput("^v")), "+11 +56 -56 -11");
  EXPECT_EQ(described(win32::keyboardInput("A")), "+10 +41 -41 -10");
  EXPECT_EQ(described(win32::keyboardInput("+a")), "+10 +41 -41 -10");
  EXPECT_EQ(described(win32::keyboardInput("%{F4}")), "+12 +73 -73 -12");
  EXPECT_EQ(described(win32::keyboardInput("{LEFT}~")), "+25e -25e +0D -0D");
  EXPECT_EQ(described(win32::keyboardInput("日")), "+U65E5 -U65E5");
  for (const std::string_view name : keys::keyNames()) {
    const std::vector<INPUT> input = win32::keyboardInput("{" + std::string(name) + "}");
    EXPECT_TRUE(input.size() == 2 && input[0].ki.wVk != 0) << name;
  }
  EXPECT_TRUE(errorOf([] { win32::keyboardInput("^"); }).has_value());
}

class Win32Programs : public testing::Test {
 protected:
  // The stand-in's window pasted `picture` pixel for pixel.
  void expectPasted(const Bitmap& picture) {
    const std::optional<Bitmap> pasted = standIn_.pasted(5s);
    ASSERT_TRUE(pasted.has_value()) << "nothing pasted";
    ASSERT_EQ(pasted->size(), picture.size());
    EXPECT_EQ(differingPixels(*pasted, picture), 0);
  }

  wine_test::StandInPaint standIn_;  // before the desktop: it goes after
  win32::Win32Desktop desktop_;
  platform::Programs& programs_ = desktop_.programs();
};

TEST_F(Win32Programs, PaintAtTheClassicPathOpensWithThePicturePasted) {
  ASSERT_TRUE(standIn_.installed());
  const Bitmap picture = wine_test::noise(201, 150, 4);
  desktop_.clipboard().SetData(picture);
  const double task = programs_.Shell(kClassicPaintPath, platform::vbNormalFocus);
  programs_.SendKeys("^v", true);
  expectPasted(picture);
  DWORD pid = 0;
  GetWindowThreadProcessId(wine_test::StandInPaint::window(), &pid);
  EXPECT_EQ(task, pid);
}

TEST_F(Win32Programs, KeysReachTheWindowOfAProgramThatTheStartedOneStarted) {
  ASSERT_TRUE(standIn_.installed());
  const Bitmap picture = wine_test::noise(40, 30, 5);
  desktop_.clipboard().SetData(picture);
  SetEnvironmentVariableW(L"ORVEX_TEST_START", win32::toUtf16(kClassicPaintPath).c_str());
  programs_.Shell(win32::toUtf8(ORVEX_TEST_LAUNCHER_PROGRAM), platform::vbNormalFocus);
  SetEnvironmentVariableW(L"ORVEX_TEST_START", nullptr);
  programs_.SendKeys("^v", true);
  expectPasted(picture);
}

// A window of ours, as the program's is, on our thread, with a timer ticking every 10 ms; it
// counts its paints and ticks. It takes no focus.
class OurWindow {
 public:
  OurWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &OurWindow::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvexTestOurWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 1800, 0,
                              50, 50, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    SetTimer(window_, 1, 10, nullptr);
    paints_ = ticks_ = 0;
  }
  ~OurWindow() { DestroyWindow(window_); }
  OurWindow(const OurWindow&) = delete;
  OurWindow& operator=(const OurWindow&) = delete;

  static int paints() { return paints_; }
  static int ticks() { return ticks_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      ++paints_;
      return 0;
    }
    if (message == WM_TIMER) ++ticks_;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static int paints_;
  static int ticks_;
  HWND window_;
};
int OurWindow::paints_ = 0;
int OurWindow::ticks_ = 0;

TEST_F(Win32Programs, KeysGoNowhereWhenTheStartedProgramShowsNoWindow) {
  ASSERT_TRUE(standIn_.start()) << "the stand-in is not in the foreground";
  desktop_.clipboard().SetData(wine_test::noise(40, 30, 6));
  const OurWindow ours;  // nothing has looked at our queue yet: its first paint is due
  const double task =
      programs_.Shell(win32::toUtf8(ORVEX_TEST_LAUNCHER_PROGRAM), platform::vbNormalFocus);
  const auto error = errorOf([&] { programs_.SendKeys("^v", true); });
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->number(), 75);
  // Meanwhile our window painted, and no handler of ours ran.
  EXPECT_GE(OurWindow::paints(), 1);
  EXPECT_EQ(OurWindow::ticks(), 0);
  // The stand-in, in the foreground all along, was there before the start: it got nothing.
  EXPECT_FALSE(standIn_.pasted(500ms).has_value());
  HANDLE launcher = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(task));
  TerminateProcess(launcher, 0);
  CloseHandle(launcher);
}

TEST(Win32ProgramsWithoutPaint, SayWhatWasLookedFor) {
  win32::Win32Desktop desktop;
  const auto noPaint = errorOf([&] { desktop.programs().Shell(kClassicPaintPath, 1); });
  ASSERT_TRUE(noPaint.has_value());
  EXPECT_EQ(noPaint->number(), 53);
  for (const char* place : {kClassicPaintPath, R"(\System32\mspaint.exe)", ", mspaint.exe"}) {
    EXPECT_NE(noPaint->description().find(place), std::string::npos) << place;
  }
  const auto missing = errorOf([&] { desktop.programs().Shell(R"(C:\nowhere\nothing.exe)", 1); });
  ASSERT_TRUE(missing.has_value());
  EXPECT_EQ(missing->number(), 53);
  EXPECT_NE(missing->description().find(R"(C:\nowhere\nothing.exe)"), std::string::npos);
}

}  // namespace
