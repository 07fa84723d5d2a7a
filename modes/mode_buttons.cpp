// The two mode buttons. Which mode runs is recorded only in their captions.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/forms/numeric.h"

void Form1::Command2_Click() {
  CornerX[3] = 0;
  if (Command2.Caption() == mode_captions::kCameraIdle) {
    Command2.setCaption(mode_captions::kRunning);
    Command1.setCaption(mode_captions::kVideoIdle);
    ZoomNum = 1;
    ZoomDen = 1;
    Form_Load();  // every mode starts from a reset window
  } else {
    Command2.setCaption(mode_captions::kCameraIdle);
    ZoomNum = 1;
    ZoomDen = 1;
  }
}

void Form1::Command1_Click() {
  CornerX[3] = 0;
  CornerX[1] = 0;
  CornerX[2] = 0;
  CornerY[1] = 0;
  CornerY[2] = 0;
  Command2.setCaption(mode_captions::kCameraIdle);
  PicWidth = forms::roundToInt32(Picture1.Width());
  PicHeight = forms::roundToInt32(Picture1.Height());
  if (Command1.Caption() == mode_captions::kVideoIdle) {
    Command1.setCaption(mode_captions::kRunning);
    Form_Load();
  } else {
    Command1.setCaption(mode_captions::kVideoIdle);
  }
}
