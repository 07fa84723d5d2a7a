#include "platform/wayland/subsurface_picture_widget.h"

#include <qpa/qplatformnativeinterface.h>

#include <QChildEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "platform/wayland/compositor_globals.h"

namespace wayland {

SubsurfacePictureWidget::SubsurfacePictureWidget(QWidget& parent, forms::PeerListener& listener,
                                                 CompositorGlobals& globals)
    : PictureWidget(parent, listener), globals_(globals), surface_(globals) {
  // Where Qt paints the window transparent, our surface below it shows; the window then paints
  // its background itself, which a translucent window skips unless it has a system background
  // again. Before its native window is made.
  QWidget* window = parent.window();
  window->setAttribute(Qt::WA_TranslucentBackground);
  window->setAttribute(Qt::WA_NoSystemBackground, false);
  window->setAutoFillBackground(true);
  presentSoon_.setSingleShot(true);
  presentSoon_.setInterval(0);
  connect(&presentSoon_, &QTimer::timeout, this, &SubsurfacePictureWidget::present);
}

void SubsurfacePictureWidget::imageChanged() { presentSoon_.start(); }

void SubsurfacePictureWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect picture = pictureArea();
  showsThrough_ = surface_.frame() != nullptr;
  if (showsThrough_) {
    painter.fillRect(picture, Qt::transparent);
  } else if (const auto colour = surface_.uniformColour()) {
    painter.fillRect(picture, QColor::fromRgb(*colour));
  }
  // The picture follows the box's size a moment later: the background shows meanwhile.
  for (const QRect& beyond : QRegion(rect()) - picture) painter.fillRect(beyond, backColor());
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (!this->picture().isNull()) painter.drawImage(0, 0, this->picture());
  present();
}

void SubsurfacePictureWidget::hideEvent(QHideEvent* event) {
  // Hidden with the window too, whose surface Qt then destroys: a new one comes with the next
  // show, and our subsurface with the paint that follows.
  subsurface_.reset();
  PictureWidget::hideEvent(event);
}

void SubsurfacePictureWidget::childEvent(QChildEvent* event) {
  if (event->added()) event->child()->installEventFilter(this);
  PictureWidget::childEvent(event);
}

bool SubsurfacePictureWidget::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::Hide) restack();
  return false;
}

void SubsurfacePictureWidget::restack() {
  if (subsurface_ == nullptr) return;
  const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  subsurface_->stackBelowParent(std::any_of(
      children.begin(), children.end(), [](const QWidget* child) { return child->isVisible(); }));
}

void SubsurfacePictureWidget::present() {
  ShmBuffer* frame = surface_.frame();
  // A picture of one colour, or none, is Qt's to paint; so is the first frame's hole.
  if ((frame != nullptr) != showsThrough_) update();
  if (frame == nullptr || !isVisible()) return;
  QWindow* window = this->window()->windowHandle();
  if (window == nullptr) return;
  auto* parent =
      static_cast<wl_surface*>(QGuiApplication::platformNativeInterface()->nativeResourceForWindow(
          QByteArrayLiteral("surface"), window));
  if (parent == nullptr) return;
  if (subsurface_ == nullptr || subsurface_->parent() != parent) {
    subsurface_ = std::make_unique<Subsurface>(globals_, parent);
    restack();
  }
  // The window's surface holds Qt's frame round the inside, the title bar above it.
  const QMargins frameMargins = window->frameMargins();
  const QPoint place =
      mapTo(this->window(), QPoint()) + QPoint(frameMargins.left(), frameMargins.top());
  subsurface_->moveTo(place);
  subsurface_->setParentOpaqueBeyond(window->size().grownBy(frameMargins),
                                     pictureArea().translated(place));
  subsurface_->show(*frame);
}

QRect SubsurfacePictureWidget::pictureArea() const {
  const graphics::Size size = surface_.size();
  return rect() & QRect(0, 0, size.width, size.height);
}

}  // namespace wayland
