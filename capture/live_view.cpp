// Video mode: every tick repaints the view with the screen at the pointer, magnified.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/desktop/screen_dc.h"
#include "platform/forms/numeric.h"

void Form1::Timer1_Timer() {
  if (Command1.Caption() != mode_captions::kRunning) return;
  // Where the pointer or the screen cannot be had yet, the view keeps its last picture.
  platform::PointApi cursor;
  desktop_.pointer().GetCursorPos(cursor);
  platform::ScreenCopy& gdi = desktop_.screenCopy();
  const platform::ScreenDc screen(gdi);
  Picture1.Cls();
  PicWidth = forms::roundToInt32(Picture1.Width());
  PicHeight = forms::roundToInt32(Picture1.Height());
  gdi.StretchBlt(Picture1.hDC(), 0, 0, forms::mul32(ZoomNum, PicWidth),
                 forms::mul32(ZoomNum, PicHeight), screen.hDC(), cursor.X, cursor.Y,
                 forms::mul32(ZoomDen, PicWidth), forms::mul32(ZoomDen, PicHeight),
                 platform::SRCCOPY);
}
