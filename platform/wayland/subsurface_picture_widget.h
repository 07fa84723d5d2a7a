#pragma once

#include <QTimer>
#include <memory>

#include "platform/qt/picture_widget.h"
#include "platform/wayland/shm_surface.h"
#include "platform/wayland/subsurface.h"

namespace wayland {

class CompositorGlobals;

// The backing picture in buffers shared with the compositor, shown in a subsurface of the
// window: a new frame is one commit of ours, with no repaint of the window by Qt. Qt paints
// the box transparent, and while a child of the box shows (the about card, the help text) the
// subsurface lies below the window's surface, so that the children, Qt's painting, show over
// the picture; otherwise it lies over the window, which spares the compositor blending the
// window over it. A picture that is all one colour needs no buffer: Qt paints it.
class SubsurfacePictureWidget final : public qtplatform::PictureWidget {
 public:
  // `globals` must outlive the widget. Gives the window an alpha channel.
  SubsurfacePictureWidget(QWidget& parent, forms::PeerListener& listener,
                          CompositorGlobals& globals);
  graphics::Surface& surface() override { return surface_; }
  void imageChanged() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void childEvent(QChildEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void present();
  // Where the picture shows in the box.
  QRect pictureArea() const;
  // Below the window's surface while a child shows, over it otherwise.
  void restack();

  CompositorGlobals& globals_;
  ShmSurface surface_;
  std::unique_ptr<Subsurface> subsurface_;  // while a frame is shown
  QTimer presentSoon_;                      // changes of one event-loop pass go out as one frame
  bool showsThrough_ = false;               // Qt's painting leaves the picture to the subsurface
};

}  // namespace wayland
