// Lays the window out from its inner size: the view on top, the button row and read-out
// 60 pixels above the bottom, the lens bar along the bottom.
#include "app/form1.h"
#include "platform/forms/numeric.h"

namespace {

constexpr float kBottomStrip = 65;
constexpr float kRowOffset = 60;
constexpr float kBarOffset = 23;
constexpr float kIconDrop = 50;
constexpr double kButtonWidth = 0.2;
constexpr double kMargin = 0.01;
constexpr double kBarWidth = 0.98;

// Sizes are worked out in double and handed to the controls as singles.
float single(double value) { return forms::toSingle(value); }

}  // namespace

double Form1::layoutViewHeight() const { return double{ScaleHeight()} - kBottomStrip; }

graphics::Size Form1::layoutViewSizeFor(graphics::Size client) const {
  // A client area the layout leaves alone: the view keeps the size it has.
  if (WindowState() == vbMinimized || !(static_cast<float>(client.height) > kBottomStrip)) {
    return {forms::roundToInt32(Picture1.Width()), forms::roundToInt32(Picture1.Height())};
  }
  return {client.width, client.height - static_cast<int>(kBottomStrip)};
}

void Form1::Form_Resize() {
  if (WindowState() == vbMinimized) return;
  if (!(ScaleHeight() > kBottomStrip)) return;

  Picture1.setHeight(single(layoutViewHeight()));
  Picture1.setWidth(ScaleWidth());
  Picture2.setTop(single((double{Picture1.Height()} - Picture2.Height()) / 2.0F));
  Picture2.setLeft(single((double{Picture1.Width()} - Picture2.Width()) / 2.0F));
  Picture3.setTop(single((double{Picture1.Height()} - Picture3.Height()) / 2.0F + kIconDrop));
  Picture3.setLeft(single((double{Picture1.Width()} - Picture3.Width()) / 2.0F));

  struct RowPlace {
    forms::Control& control;
    double leftFraction;
  };
  for (const RowPlace& place : {RowPlace{Command1, 0.3}, RowPlace{Command2, 0.5},
                                RowPlace{Command3, 0.7}, RowPlace{Command4, 0.1}}) {
    place.control.setTop(single(double{ScaleHeight()} - kRowOffset));
    place.control.setLeft(single(ScaleWidth() * place.leftFraction));
    place.control.setWidth(single(ScaleWidth() * kButtonWidth));
  }

  HScroll1.setTop(single(double{ScaleHeight()} - kBarOffset));
  HScroll1.setLeft(single(ScaleWidth() * kMargin));
  HScroll1.setWidth(single(ScaleWidth() * kBarWidth));
  // Hidden and shown again so that the bar repaints at its new place.
  HScroll1.setVisible(false);
  HScroll1.setVisible(true);

  Text1.setHeight(Picture1.Height());
  Text1.setWidth(Picture1.Width());
  Label1.setTop(single(double{ScaleHeight()} - kRowOffset));
  Label1.setLeft(single(ScaleWidth() * kMargin));
  Label1.setWidth(single(ScaleWidth() * kButtonWidth));

  PicWidth = forms::roundToInt32(Picture1.Width());
  PicHeight = forms::roundToInt32(Picture1.Height());
}
