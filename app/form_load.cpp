// Start-up, and the reset that every mode start runs again.
#include <cstdint>
#include <limits>

#include "app/form1.h"
#include "platform/forms/numeric.h"

namespace {

constexpr int kPixelScale = 3;
constexpr float kStartHeightTwips = 4056;
constexpr float kStartWidthTwips = 4308;
constexpr int kLiveViewIntervalMs = 50;
constexpr std::int16_t kLensBarStart = 10;
constexpr const char* kZoomReadOutStart = "1";

// The run counter only ever needs to tell the first run from the rest, so it stops at its
// maximum instead of overflowing in the middle of a reset.
std::int16_t countRun(std::int16_t runs) {
  return runs == std::numeric_limits<std::int16_t>::max() ? runs : forms::add16(runs, 1);
}

}  // namespace

void Form1::Form_Load() {
  setScaleMode(kPixelScale);
  setHeight(kStartHeightTwips);
  setWidth(kStartWidthTwips);
  setKeyPreview(true);
  PicWidth = forms::roundToInt32(Picture1.Width());
  PicHeight = forms::roundToInt32(Picture1.Height());
  Timer1.setInterval(kLiveViewIntervalMs);
  Clipboard.Clear();

  // Corners are cleared before the lens bar moves, so its change handling cannot re-capture.
  CornerX[3] = 0;
  CornerY[3] = countRun(CornerY[3]);
  ZoomNum = 1;
  ZoomDen = 1;
  CornerX[1] = 0;
  CornerX[2] = 0;
  CornerY[1] = 0;
  CornerY[2] = 0;
  HScroll1.setValue(kLensBarStart);
  Label1.setCaption(kZoomReadOutStart);

  if (CornerY[3] == 1) Command2_Click();
}
