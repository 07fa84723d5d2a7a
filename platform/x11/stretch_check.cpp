#include "platform/x11/stretch_check.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

#include <cstdint>
#include <vector>

#include "platform/x11/drawable_rows.h"
#include "platform/x11/error_trap.h"

namespace x11 {
namespace {

// A ramp pixel names its own position: x in the low 11 bits, y in the next 12, and the top bit
// set so that no ramp pixel is black, the colour of what lies beyond the ramp. Positions repeat
// every 2048 columns and 4096 rows, far more than any sampling error could reach.
constexpr graphics::Pixel kOnRamp = 0x800000;
graphics::Pixel rampColumn(std::int64_t x) {
  return kOnRamp | static_cast<graphics::Pixel>(x & 0x7FF);
}
graphics::Pixel rampRow(std::int64_t y) { return static_cast<graphics::Pixel>((y & 0xFFF) << 11); }

// The pictures of one check, freed when it ends.
class CheckPictures {
 public:
  explicit CheckPictures(Display* display) : display_(display) {}
  ~CheckPictures() {
    for (const Picture picture : pictures_) XRenderFreePicture(display_, picture);
    for (const Pixmap pixmap : pixmaps_) XFreePixmap(display_, pixmap);
  }
  CheckPictures(const CheckPictures&) = delete;
  CheckPictures& operator=(const CheckPictures&) = delete;

  Pixmap lastPixmap() const { return pixmaps_.back(); }

  // A new picture of depth 24 holding `pixels` (or nothing if empty), repeated if asked.
  Picture make(graphics::Size size, const std::vector<graphics::Pixel>& pixels, bool repeat) {
    const Window root = DefaultRootWindow(display_);
    const Pixmap pixmap = XCreatePixmap(display_, root, static_cast<unsigned>(size.width),
                                        static_cast<unsigned>(size.height), 24);
    pixmaps_.push_back(pixmap);
    if (!pixels.empty()) {
      XImage* image = XCreateImage(
          display_, DefaultVisual(display_, DefaultScreen(display_)), 24, ZPixmap, 0,
          reinterpret_cast<char*>(const_cast<graphics::Pixel*>(pixels.data())),
          static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), 32, 0);
      const GC gc = XCreateGC(display_, pixmap, 0, nullptr);
      XPutImage(display_, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(size.width),
                static_cast<unsigned>(size.height));
      XFreeGC(display_, gc);
      image->data = nullptr;  // the vector's
      XDestroyImage(image);
    }
    XRenderPictureAttributes attributes{};
    attributes.repeat = repeat ? RepeatNormal : RepeatNone;
    const Picture picture = XRenderCreatePicture(
        display_, pixmap, XRenderFindStandardFormat(display_, PictStandardRGB24), CPRepeat,
        &attributes);
    pictures_.push_back(picture);
    return picture;
  }

 private:
  Display* display_;
  std::vector<Pixmap> pixmaps_;
  std::vector<Picture> pictures_;
};

}  // namespace

bool serverStretchesExactly(const Connection& connection, StretchRatio x, StretchRatio y,
                            graphics::Size extent) {
  Display* display = connection.display();
  ErrorTrap trap(connection);
  int mismatches = 0;
  bool read = false;
  {
    CheckPictures pictures(display);
    // The ramp, put together on the server from one row and one column, each repeated.
    std::vector<graphics::Pixel> columns(static_cast<std::size_t>(extent.width));
    for (int i = 0; i < extent.width; ++i) columns[static_cast<std::size_t>(i)] = rampColumn(i);
    std::vector<graphics::Pixel> rows(static_cast<std::size_t>(extent.height));
    for (int i = 0; i < extent.height; ++i) rows[static_cast<std::size_t>(i)] = rampRow(i);
    const Picture ramp = pictures.make(extent, {}, false);
    const Picture across = pictures.make({extent.width, 1}, columns, true);
    const Picture down = pictures.make({1, extent.height}, rows, true);
    const auto width = static_cast<unsigned>(extent.width);
    const auto height = static_cast<unsigned>(extent.height);
    XRenderComposite(display, PictOpSrc, across, None, ramp, 0, 0, 0, 0, 0, 0, width, height);
    XRenderComposite(display, PictOpAdd, down, None, ramp, 0, 0, 0, 0, 0, 0, width, height);

    // The stretch itself, as the surfaces do it from the screen.
    const Picture stretched = pictures.make(extent, {}, false);
    const Pixmap result = pictures.lastPixmap();
    XRenderSetPictureFilter(display, ramp, FilterNearest, nullptr, 0);
    compositeStretch(display, ramp, {0, 0, extent.width, extent.height}, {x, y, extent, 0, 0},
                     stretched, {0, 0, extent.width, extent.height});

    read = readRows(display, result, {0, 0, extent.width, extent.height},
                    [&](int row, const graphics::Pixel* pixels) {
                      const std::int64_t sourceY = row * y.source / y.dest;
                      for (int column = 0; column < extent.width; ++column) {
                        const std::int64_t sourceX = column * x.source / x.dest;
                        const bool onRamp = sourceX < extent.width && sourceY < extent.height;
                        const graphics::Pixel expected =
                            onRamp ? (rampColumn(sourceX) | rampRow(sourceY)) : graphics::kBlack;
                        if (pixels[column] != expected) ++mismatches;
                      }
                    });
  }
  return read && !trap.failed() && mismatches == 0;
}

}  // namespace x11
