#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/forms/runtime.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/headless_toolkit.h"

// How often the paint hand-off looks for the started program's window.
inline constexpr int kHandOffLook =
    static_cast<int>(platform::StartAndPaste::kLookInterval.count());

// The whole window on headless peers and the fake desktop, driven the way a user drives it.
class ProgramTest : public ::testing::Test {
 protected:
  void start(float twipsPerPixel = 15) {
    desktop.setTwipsPerPixel(twipsPerPixel);
    form = std::make_unique<Form1>(runtime);
    form->Start();
  }

  Form1& window() { return *form; }

  // The user's hands.
  void click(forms::CommandButton& button) { toolkit.button(button).click(); }
  void clickView() { toolkit.picture(form->Picture1).click(); }
  void releaseKey(int keyCode, int shift = 0) { toolkit.window(*form).releaseKey(keyCode, shift); }
  void pointAt(int x, int y) { desktop.moveCursor(x, y); }
  void hover(forms::Control& control) { toolkit.widget(control).moveMouse(1, 1); }
  void hoverBackground() { toolkit.window(*form).moveMouse(2, 2); }
  void moveLensBarTo(int value) { toolkit.scrollBar(form->HScroll1).scrollTo(value); }
  void resizeClient(int width, int height) { toolkit.window(*form).userResize({width, height}); }
  // One tick of the live view; the timer runs once the pointer has crossed the background.
  void tick() {
    hoverBackground();
    toolkit.fire(form->Timer1);
  }

  // Time for the paint program's window to show up and take the paste.
  void finishHandOff() { desktop.advance(kHandOffLook); }

  // Marks the rectangle from (left, top) with the cursor at the second corner minus its offset.
  void captureRectangle(int left, int top, int cursorX, int cursorY) {
    pointAt(left, top);
    releaseKey('1');
    pointAt(cursorX, cursorY);
    releaseKey('2');
  }

  std::vector<forms::Control*> buttons() {
    return {&form->Command1, &form->Command2, &form->Command3, &form->Command4};
  }

  std::string mode() const { return form->Command2.Caption() + "/" + form->Command1.Caption(); }

  int errorsReported() const { return static_cast<int>(toolkit.errors().size()); }

  fake::FakeDesktop desktop;
  headless::HeadlessToolkit toolkit;
  forms::Runtime runtime{toolkit, desktop};
  std::unique_ptr<Form1> form;
};

inline const std::string kCameraRunning = "作動中/ビデオ";
inline const std::string kVideoRunning = "カメラ/作動中";
inline const std::string kIdle = "カメラ/ビデオ";
