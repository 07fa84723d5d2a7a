// A native Wayland window that fills the session's first monitor with the tests' noise, pixel
// (x, y) of the monitor showing noiseAt(x, y). Runs until it is ended.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include "../x11/screen_pattern.h"

namespace {

class PatternWindow final : public QWidget {
 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    if (picture_.size() != size()) {
      picture_ = QImage(size(), QImage::Format_RGB32);
      for (int y = 0; y < height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(picture_.scanLine(y));
        for (int x = 0; x < width(); ++x) row[x] = 0xFF000000U | noiseAt(x, y);
      }
    }
    QPainter(this).drawImage(0, 0, picture_);
  }

 private:
  QImage picture_;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qputenv("QT_QPA_PLATFORM", "wayland");
  QApplication app(argc, argv);
  PatternWindow window;
  window.setWindowTitle(QStringLiteral("pattern"));
  window.showFullScreen();
  return QApplication::exec();
}
