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

#include "platform/forms/runtime.h"
#include "platform/forms/runtime_error.h"
#include "platform/graphics/stretch_copy.h"
#include "platform/keys/key_string.h"
#include "platform/win32/desktop/key_input.h"
#include "platform/win32/desktop/paint_program.h"
#include "platform/win32/desktop/screen_metrics.h"
#include "platform/win32/desktop/win32_desktop.h"
#include "platform/win32/utf16.h"
#include "support/host_commands.h"
#include "support/pattern_window.h"
#include "support/pictures.h"
#include "support/stand_in_paint.h"
#include "support/wait.h"
#include "tests/support/headless_toolkit.h"

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

// The paint hand-off of the real desktop, its failures reported through a runtime of ours.
// At the classic Paint path, the stand-in or another program.
class Win32Paint : public testing::Test {
 protected:
  explicit Win32Paint(const wchar_t* atClassicPath = ORVEX_TEST_PAINT_PROGRAM)
      : standIn_(atClassicPath) {}

  // Serves our messages (the hand-off's looks, the clipboard's rendering) until `done` holds.
  template <typename Condition>
  static bool serveUntil(Condition done) {
    return waitUntil(
        [&] {
          MSG message;
          while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
          return done();
        },
        10s);
  }
  // Hands `picture` over from the clipboard and serves our messages until the hand-off ends.
  void handOver(const Bitmap& picture) {
    desktop_.clipboard().SetData(picture);
    desktop_.paintProgram().handOver(picture, runtime_);
    EXPECT_TRUE(serveUntil([&] { return !desktop_.paintProgram().handingOver(); }));
  }
  // The stand-in's window pasted `picture` pixel for pixel.
  void expectPasted(const Bitmap& picture) {
    std::optional<Bitmap> pasted;
    serveUntil([&] { return (pasted = standIn_.pasted(0ms)).has_value(); });
    ASSERT_TRUE(pasted.has_value()) << "nothing pasted";
    ASSERT_EQ(pasted->size(), picture.size());
    EXPECT_EQ(differingPixels(*pasted, picture), 0);
  }
  // The one error reported, if there is one.
  std::optional<forms::RuntimeError> error() const {
    EXPECT_LE(toolkit_.errors().size(), 1U);
    if (toolkit_.errors().empty()) return std::nullopt;
    return toolkit_.errors().front();
  }

  wine_test::StandInPaint standIn_;  // before the desktop: it goes after
  win32::Win32Desktop desktop_;
  headless::HeadlessToolkit toolkit_;
  forms::Runtime runtime_{toolkit_, desktop_};
};

TEST_F(Win32Paint, PaintAtTheClassicPathOpensWithThePicturePasted) {
  ASSERT_TRUE(standIn_.installed());
  const Bitmap picture = wine_test::noise(201, 150, 4);
  handOver(picture);
  expectPasted(picture);
  EXPECT_FALSE(error().has_value());
}

// The launcher at the classic path: it starts the stand-in beside it, or waits without a
// window, as it is told.
class Win32PaintLauncher : public Win32Paint {
 protected:
  Win32PaintLauncher() : Win32Paint(ORVEX_TEST_LAUNCHER_PROGRAM) {}
};

TEST_F(Win32PaintLauncher, KeysReachTheWindowOfAProgramThatTheStartedOneStarted) {
  ASSERT_TRUE(standIn_.installed());
  const Bitmap picture = wine_test::noise(40, 30, 5);
  SetEnvironmentVariableW(L"ORVEX_TEST_START", wine_test::StandInPaint::kBeside);
  handOver(picture);
  SetEnvironmentVariableW(L"ORVEX_TEST_START", nullptr);
  expectPasted(picture);
  EXPECT_FALSE(error().has_value());
}

TEST_F(Win32PaintLauncher, KeysGoNowhereWhenTheStartedProgramShowsNoWindow) {
  ASSERT_TRUE(standIn_.installed());
  ASSERT_TRUE(standIn_.start()) << "the stand-in is not in the foreground";
  handOver(wine_test::noise(40, 30, 6));
  ASSERT_TRUE(error().has_value());
  EXPECT_EQ(error()->number(), 75);
  // The stand-in, in the foreground all along, was there before the start: it got nothing.
  EXPECT_FALSE(standIn_.pasted(500ms).has_value());
}

TEST(Win32PaintCodes, CrashesShowInHexadecimal) {
  EXPECT_EQ(win32::programEndOf(0).how, "終了コード 0");
  EXPECT_FALSE(win32::programEndOf(0).failed);
  EXPECT_EQ(win32::programEndOf(3).how, "終了コード 3");
  EXPECT_TRUE(win32::programEndOf(3).failed);
  EXPECT_EQ(win32::programEndOf(0xC0000005).how, "終了コード 0xC0000005");
}

TEST(Win32PaintMissing, SaysWhatWasLookedFor) {
  win32::Win32Desktop desktop;
  headless::HeadlessToolkit toolkit;
  forms::Runtime runtime{toolkit, desktop};
  const auto noPaint =
      errorOf([&] { desktop.paintProgram().handOver(wine_test::noise(4, 4, 1), runtime); });
  ASSERT_TRUE(noPaint.has_value());
  EXPECT_EQ(noPaint->number(), 53);
  for (const char* place : {kClassicPaintPath, R"(\System32\mspaint.exe)", ", mspaint.exe"}) {
    EXPECT_NE(noPaint->description().find(place), std::string::npos) << place;
  }
  EXPECT_FALSE(desktop.paintProgram().handingOver());
}

}  // namespace
