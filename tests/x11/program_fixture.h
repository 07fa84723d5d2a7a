#pragma once

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <memory>

#include "program_under_test.h"
#include "screen_pattern.h"
#include "test_display.h"
#include "user_input.h"
#include "user_screen.h"
#include "wait_until.h"

// Where the pointer rests when the user releases "2": up and left of the second corner.
inline const QPoint kSecondCornerOffset(3, 24);

// Each test: a noise pattern on the left of the screen, the program freshly started with its
// window moved clear of the pattern, the pointer parked where nothing lies.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The pattern on the left; the window right of it, where it has room to grow right and down.
  static QRect patternPlace() { return {40, 80, 700, 900}; }
  static QPoint windowPlace() { return {800, 40}; }
  static QPoint onPattern(int dx, int dy) { return patternPlace().topLeft() + QPoint(dx, dy); }
  void parkPointer() const;
  // A click as a hand makes it: the pointer comes to rest, the button goes down and up, and
  // the pointer stays until the program has taken each step. Sent all at once, Qt may see
  // the release only with the next move, wherever the pointer is by then.
  void clickAt(QPoint screenPoint) const;
  // The lens bar counts tenths of a zoom; Right, with the focus on it, adds one.
  static constexpr int kLensStepsPerZoom = 10;

  // A key stroke, and the user's pause until the program has taken it.
  void strikeKey(unsigned long keysym) const;
  void strikeKeyHolding(unsigned long keysym, unsigned long heldKeysym) const;
  void strikeKeyRepeatedly(unsigned long keysym, int times) const;
  void waitUntilProgramHandledInput() const;
  // Marks a rectangle as a user does: the pointer on the first corner, a key; the pointer where
  // the second corner comes out 3 px right of it and 24 px below, a key.
  void markFirstCorner(QPoint first, unsigned long key = XK_1) const;
  void markSecondCorner(QPoint second, unsigned long key = XK_2) const;
  void markRectangle(QPoint first, QPoint second) const;

  // Waits until the clipboard holds a picture; null if none came.
  static QImage awaitClipboardPicture();
  // Waits until the clipboard holds the pattern from `topLeft` on, magnified `zoom` times,
  // over the whole of its picture.
  ::testing::AssertionResult clipboardShowsPattern(QPoint topLeft, int zoom) const;
  // Waits until the view on the screen shows `picture`.
  ::testing::AssertionResult viewShows(const QImage& picture) const;
  // Waits until the view shows the pattern from `topLeft` on, magnified `zoom` times.
  ::testing::AssertionResult viewShowsPattern(QPoint topLeft, int zoom,
                                              std::chrono::milliseconds timeout = kPatience) const;

  QImage grabView() const { return screen_.grab(program_->layout().view); }

  TestDisplay display_;
  UserInput input_{display_};
  UserScreen screen_{display_};
  std::unique_ptr<ScreenPattern> pattern_;
  std::unique_ptr<ProgramUnderTest> program_;

 private:
  void saveScreenOnFailure() const;

  bool numLockAtStart_ = false;
};
