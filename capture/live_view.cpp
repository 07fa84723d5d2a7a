// Video mode: every tick repaints the view with the screen at the pointer, magnified.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/forms/numeric.h"

void Form1::Timer1_Timer() {
  if (Command1.Caption() != mode_captions::kRunning) return;
  Picture1.Cls();
  platform::PointApi cursor;
  desktop_.pointer().GetCursorPos(cursor);
  PicWidth = forms::roundToInt32(Picture1.Width());
  PicHeight = forms::roundToInt32(Picture1.Height());
  platform::ScreenCopy& gdi = desktop_.screenCopy();
  const platform::Hdc screen = gdi.GetDC(0);
  gdi.StretchBlt(Picture1.hDC(), 0, 0, forms::mul32(ZoomNum, PicWidth),
                 forms::mul32(ZoomNum, PicHeight), screen, cursor.X, cursor.Y,
                 forms::mul32(ZoomDen, PicWidth), forms::mul32(ZoomDen, PicHeight),
                 platform::SRCCOPY);
  gdi.ReleaseDC(0, screen);
}
