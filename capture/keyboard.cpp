// The keys "1" to "4", released while the window is active, whatever the pointer points at.
#include "app/form1.h"
#include "capture/key_codes.h"
#include "modes/mode_captions.h"
#include "platform/forms/numeric.h"

void Form1::Form_KeyUp(std::int16_t& KeyCode, std::int16_t /*Shift*/) {
  // Every key release hands the focus to the lens bar, so the arrow keys move it from then on.
  HScroll1.SetFocus();
  if (Command2.Caption() == mode_captions::kRunning) {
    if (key_codes::isKey(KeyCode, 1)) MarkTopLeft();
    if (key_codes::isKey(KeyCode, 2)) {
      CornerX[3] = 0;
      CaptureArea();
    }
    if (key_codes::isKey(KeyCode, 4)) Command4_Click();
  } else if (Command1.Caption() == mode_captions::kRunning) {
    if (key_codes::isKey(KeyCode, 3)) copyViewToClipboard();
    if (key_codes::isKey(KeyCode, 4)) Command4_Click();
  }
}

void Form1::MarkTopLeft() {
  platform::PointApi cursor;
  desktop_.pointer().GetCursorPos(cursor);
  CornerX[1] = forms::toInt16(cursor.X);
  CornerY[1] = forms::toInt16(cursor.Y);
  // With a second corner stored, a new first corner captures again at once.
  if (CornerX[3] == 1) CaptureArea();
}

void Form1::copyViewToClipboard() {
  Clipboard.Clear();
  Clipboard.SetData(Picture1.Image());
  desktop_.Beep();
}
