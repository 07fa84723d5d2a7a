// The lens bar sets the zoom in tenths, 0.1 to 4; in camera mode it re-captures at once.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/forms/numeric.h"

namespace {

constexpr std::int16_t kTenths = 10;

}  // namespace

void Form1::HScroll1_Change() {
  ZoomNum = HScroll1.Value();
  ZoomDen = kTenths;
  Label1.setCaption(forms::singleToText(static_cast<float>(ZoomNum) / static_cast<float>(ZoomDen)));
  // A rectangle whose four coordinates are all 0 counts as not marked.
  const bool marked = CornerX[1] != 0 || CornerX[2] != 0 || CornerY[1] != 0 || CornerY[2] != 0;
  if (Command2.Caption() == mode_captions::kRunning && marked) CaptureArea();
}
