// The about card: a click on the view shows it cut to an ellipse, another click hides it.
#include "app/form1.h"
#include "app/module1.h"
#include "platform/forms/numeric.h"

namespace {

// The ellipse is inscribed 10 pixels inside the card on every side.
constexpr std::int32_t kOutlineInset = 10;
constexpr std::int32_t kRedrawNow = -1;

}  // namespace

namespace Module1 {

void ToggleAboutCard(Form1& form) {
  if (!form.Picture2.Visible()) {
    form.Picture3.setVisible(true);
    form.Picture2.setVisible(true);
    // A fresh outline on every showing; the window owns it from then on.
    const std::int32_t bottom = forms::roundToInt32(double{form.Picture2.Height()} - kOutlineInset);
    const std::int32_t right = forms::roundToInt32(double{form.Picture2.Width()} - kOutlineInset);
    platform::WindowRegions& regions = form.desktop().windowRegions();
    const platform::Hrgn region =
        regions.CreateEllipticRgn(kOutlineInset, kOutlineInset, right, bottom);
    regions.SetWindowRgn(form.Picture2.hWnd(), region, kRedrawNow);
  } else {
    form.Picture2.setVisible(false);
    form.Picture3.setVisible(false);
  }
}

}  // namespace Module1

void Form1::Picture1_Click() { Module1::ToggleAboutCard(*this); }
void Form1::Picture2_Click() { Module1::ToggleAboutCard(*this); }
void Form1::Picture3_Click() { Module1::ToggleAboutCard(*this); }
