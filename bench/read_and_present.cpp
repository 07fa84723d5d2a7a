// The bare minimum of a live view, as the yardstick for the real one: 20 times a second, read
// the screen rectangle at the pointer through one shared-memory segment into an image that
// wraps it, and repaint a window of the view's size from it.
// Usage: bench_read_and_present WIDTH HEIGHT
#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "bench/screen_grabber.h"

namespace {

constexpr int kTickMs = 50;

class View final : public QWidget {
 public:
  View(int width, int height) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(width, height);
    setWindowTitle(QStringLiteral("read-and-present reference"));
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start(kTickMs);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QRect shown = event->rect().intersected(image_.rect());
    if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), image_, shown);
    for (const QRect& rest : QRegion(event->rect()).subtracted(shown)) {
      painter.fillRect(rest, Qt::black);
    }
  }

 private:
  void tick() {
    const bench::Grab grab = grabber_.grabAtPointer(width(), height());
    // Wrapped, not copied: the image shows the segment itself.
    image_ = grab.pixels == nullptr ? QImage()
                                    : QImage(grab.pixels, grab.width, grab.height,
                                             grab.bytesPerLine, QImage::Format_RGB32);
    update();
  }

  bench::ScreenGrabber grabber_;
  QImage image_;
  QTimer timer_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
    return EXIT_FAILURE;
  }
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  View view(std::atoi(argv[1]), std::atoi(argv[2]));
  view.show();
  return QApplication::exec();
}
