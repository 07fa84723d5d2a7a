// Copies the marked screen rectangle into the view at the zoom in force, fits the window to
// it, and puts it on the clipboard.
#include "app/form1.h"
#include "modes/mode_captions.h"
#include "platform/desktop/screen_dc.h"
#include "platform/forms/numeric.h"

namespace {

// The cursor sits a little up and left of where the user means the second corner to be.
constexpr std::int32_t kSecondCornerOffsetX = 3;
constexpr std::int32_t kSecondCornerOffsetY = 24;
// Window sizing, in twips: trims before zooming, a border of pixels after.
constexpr double kWidthTrimTwips = 30;
constexpr double kWidthBorderPixels = 9;
constexpr double kHeightTrimTwips = 266.4;

// The screen pixels that a view of `view` pixels shows from `corner` at zoom `num` / `den`, one
// more each way for the copy's rounding. A zoom of nothing shows nothing.
graphics::Rect shownArea(std::int16_t cornerX, std::int16_t cornerY, graphics::Size view,
                         std::int16_t num, std::int16_t den) {
  if (num <= 0 || den <= 0) return {cornerX, cornerY, 0, 0};
  const auto extent = [&](int pixels) {
    return static_cast<int>((std::int64_t{pixels} * den + num - 1) / num) + 1;
  };
  return {cornerX, cornerY, extent(view.width), extent(view.height)};
}

}  // namespace

void Form1::CaptureArea() {
  if (CornerX[3] == 0) {
    platform::PointApi cursor;
    desktop_.pointer().GetCursorPos(cursor);
    CornerX[2] = forms::toInt16(std::int64_t{cursor.X} + kSecondCornerOffsetX);
    CornerY[2] = forms::toInt16(std::int64_t{cursor.Y} + kSecondCornerOffsetY);
    CornerX[3] = 1;
  }
  if (!(CornerX[1] <= CornerX[2] && CornerY[1] <= CornerY[2])) {
    Picture1.Cls();
    return;
  }

  const std::int16_t width = forms::sub16(CornerX[2], CornerX[1]);
  const std::int16_t height = forms::sub16(CornerY[2], CornerY[1]);
  const float twipsX = Screen.TwipsPerPixelX();
  const float twipsY = Screen.TwipsPerPixelY();
  // The rectangle's extents in twips, as singles; the layout below replaces them with pixels.
  PicWidth = forms::roundToInt32(static_cast<float>(width) * twipsX);
  PicHeight = forms::roundToInt32(static_cast<float>(height) * twipsY);

  // The part of the window's height that the view does not take, as the layout shares it out:
  // after a capture too small for the layout, the view itself still has its older height.
  const float overhead = forms::toSingle(double{Height()} - double{twipsY} * layoutViewHeight());
  const double zoom = double{static_cast<float>(ZoomNum) / static_cast<float>(ZoomDen)};
  const float windowWidth = forms::toSingle((width * double{twipsX} - kWidthTrimTwips) * zoom +
                                            kWidthBorderPixels * twipsX);
  const std::int16_t heightPlusOne = forms::add16(height, 1);
  const float windowHeight =
      forms::toSingle(overhead + (heightPlusOne * double{twipsY} - kHeightTrimTwips) * zoom);

  platform::ScreenCopy& gdi = desktop_.screenCopy();
  {
    platform::ScreenDc screen(gdi);
    // The picture is the screen as it is now: the window is about to grow, and a window manager
    // may well place the grown window over the rectangle.
    const graphics::Size view =
        layoutViewSizeFor({clientWidthFor(windowWidth), clientHeightFor(windowHeight)});
    screen.hold(shownArea(CornerX[1], CornerY[1], view, ZoomNum, ZoomDen));

    Picture1.Cls();
    setWidth(windowWidth);
    setHeight(windowHeight);
    // The layout must have run after both sizes, whatever the window system's own events did.
    Form_Resize();

    Picture1.Cls();
    gdi.StretchBlt(Picture1.hDC(), 0, 0, forms::mul32(PicWidth, ZoomNum),
                   forms::mul32(PicHeight, ZoomNum), screen.hDC(), CornerX[1], CornerY[1],
                   forms::mul32(PicWidth, ZoomDen), forms::mul32(PicHeight, ZoomDen),
                   platform::SRCCOPY);
  }

  Clipboard.Clear();
  Clipboard.SetData(Picture1.Image());
  desktop_.Beep();
  Command1.setCaption(mode_captions::kVideoIdle);
  PicWidth = 0;
  PicHeight = 0;
}
