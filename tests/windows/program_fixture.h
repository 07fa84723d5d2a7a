#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "support/pattern_window.h"

// The real orvex-capture.exe under Wine, driven as a user drives it: pointer moves, keys and
// clicks through the X display (xdotool), the clipboard and the screen read back as Windows
// programs see them.
namespace wine_test {

// Each test: a noise pattern on the left of the screen, the program freshly started with its
// window moved clear of it and active.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static constexpr graphics::Rect kPatternPlace{40, 80, 700, 800};
  static constexpr POINT kWindowPlace{800, 40};
  static constexpr POINT kPointerParking{1500, 900};
  static POINT onPattern(int dx, int dy) {
    return {kPatternPlace.left + dx, kPatternPlace.top + dy};
  }

  // Starts the program (again, after the last one ended) and waits for its window.
  void startProgram();
  // Closes the window as a user does; whether the program then ended by itself.
  bool closeProgram();

  // A user's input, each step taken by the X server before the next.
  void movePointer(POINT screen) const;
  void strikeKey(const std::string& keys) const;  // xdotool's names: "1", "KP_2", "Right"
  void clickAt(POINT screen) const;
  // Marks a rectangle as a user does: the pointer on the first corner and "1"; the pointer
  // where the second corner comes out (3 px left of it and 24 px above) and `secondKey`.
  void markRectangle(POINT first, POINT second, const std::string& secondKey = "2") const;

  // The program's controls. A button or label by its text; the picture boxes in the order
  // they were made (the view, the icon box, the about card).
  HWND control(const wchar_t* className, const std::wstring& text) const;
  std::vector<HWND> pictures() const;
  HWND view() const { return pictures().at(0); }
  static RECT screenRect(HWND window);
  static POINT centreOf(HWND window);

  // What the screen shows in `area`.
  static graphics::Bitmap grab(const RECT& area);
  // The picture on the clipboard, if there is one.
  static std::optional<graphics::Bitmap> clipboardPicture();
  // Waits until the clipboard, or the view on the screen, shows the pattern from `topLeft` on,
  // magnified `zoom` times, over the whole of its picture.
  ::testing::AssertionResult clipboardShowsPattern(POINT topLeft, int zoom) const;
  ::testing::AssertionResult viewShowsPattern(POINT topLeft, int zoom) const;
  ::testing::AssertionResult showsPattern(const graphics::Bitmap& picture, POINT topLeft,
                                          int zoom) const;

  // ORVEX_FAILURE_SCREENSHOTS=/directory keeps the screen of a failed test there.
  void saveScreenOnFailure() const;

  std::unique_ptr<PatternWindow> pattern_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace wine_test
