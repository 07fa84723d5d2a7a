#include "screen_change.h"

#include <X11/extensions/Xrandr.h>

#include "test_display.h"

ScreenChange::ScreenChange(const TestDisplay& display)
    : display_(display.get()),
      original_{display.width(), display.height()},
      millimetres_{DisplayWidthMM(display_, 0), DisplayHeightMM(display_, 0)} {
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display_, display.root());
  for (int i = 0; i < resources->ncrtc; ++i) {
    crtcs_.emplace_back(resources->crtcs[i],
                        XRRGetCrtcInfo(display_, resources, resources->crtcs[i]));
  }
  XRRFreeScreenResources(resources);
}

ScreenChange::~ScreenChange() {
  resizeTo(original_.width, original_.height);
  XRRScreenResources* resources =
      XRRGetScreenResourcesCurrent(display_, DefaultRootWindow(display_));
  for (const auto& [crtc, info] : crtcs_) {
    XRRSetCrtcConfig(display_, resources, crtc, CurrentTime, info->x, info->y, info->mode,
                     info->rotation, info->outputs, info->noutput);
    XRRFreeCrtcInfo(info);
  }
  XRRFreeScreenResources(resources);
  XSync(display_, False);
}

void ScreenChange::resizeTo(int width, int height) {
  turnOffBeyond(width, height);
  XRRSetScreenSize(display_, DefaultRootWindow(display_), width, height,
                   millimetres_.width * width / original_.width,
                   millimetres_.height * height / original_.height);
  XSync(display_, False);
}

void ScreenChange::turnMonitorsOff() { turnOffBeyond(0, 0); }

void ScreenChange::turnOffBeyond(int width, int height) {
  XRRScreenResources* resources =
      XRRGetScreenResourcesCurrent(display_, DefaultRootWindow(display_));
  for (const auto& [crtc, info] : crtcs_) {
    if (info->x + static_cast<int>(info->width) > width ||
        info->y + static_cast<int>(info->height) > height) {
      XRRSetCrtcConfig(display_, resources, crtc, CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
    }
  }
  XRRFreeScreenResources(resources);
  XSync(display_, False);
}
