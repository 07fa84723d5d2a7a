#pragma once

#include "platform/qt/picture_widget.h"
#include "platform/x11/screen_compositor.h"
#include "platform/x11/server_picture.h"
#include "platform/x11/server_surface.h"

namespace x11 {

// The backing picture on the X server, shown in a window of the box's own that the X11
// backend paints with one copy from the server's picture: no frame passes through Qt's
// backing store. Controls inside it get windows of their own too (see QtWidgetPeer), so that
// the server keeps the copy off them.
class ServerPictureWidget final : public qtplatform::PictureWidget {
 public:
  // `compositor` must outlive the widget.
  ServerPictureWidget(QWidget& parent, forms::PeerListener& listener, ScreenCompositor& compositor);
  graphics::Surface& surface() override { return surface_; }
  QPaintEngine* paintEngine() const override { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void pictureChanged() override;

 private:
  const Connection& connection_;
  ServerSurface surface_;
  ServerPicture overlay_;  // the picture file, on the server; empty without one
};

}  // namespace x11
