// The screen of the Wayland session as a PNG file, through the program's own sharing of it
// (the ScreenCast portal with the consent kept in this session): the pictures of the README.
// Usage: wayland_screenshot OUT.png [X Y WIDTH HEIGHT]
#include <QCoreApplication>
#include <QImage>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "platform/forms/not_ready.h"
#include "platform/wayland/screen_sharing.h"

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: %s OUT.png [X Y WIDTH HEIGHT]\n", argv[0]);
    return 2;
  }
  const auto complain = [](const std::string& news) {
    std::fprintf(stderr, "%s\n", news.c_str());
    QCoreApplication::exit(1);
  };
  wayland::ScreenSharing sharing(wayland::RestoreTokenStore::inUserState(),
                                 {.note = complain, .problem = complain});
  sharing.begin();
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    graphics::PixelSource& screen = sharing.screen();
    try {
      screen.checkReadable();
    } catch (const forms::NotReady&) {
      return;  // not yet
    }
    graphics::Rect area = screen.bounds();
    if (argc == 6)
      area = {std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    const graphics::PixelView pixels = screen.read(area);
    QImage picture(area.width, area.height, QImage::Format_RGB32);
    for (int y = 0; y < area.height; ++y) {
      auto* row = reinterpret_cast<graphics::Pixel*>(picture.scanLine(y));
      for (int x = 0; x < area.width; ++x) row[x] = 0xFF000000U | pixels.row(y)[x];
    }
    QCoreApplication::exit(picture.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1);
  });
  look.start(50);
  return QCoreApplication::exec();
}
