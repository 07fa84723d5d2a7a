#include "platform/x11/stretch_check.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrender.h>

#include <cstdint>
#include <vector>

#include "platform/x11/drawable_rows.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/server_picture.h"

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

// A picture of depth 24 holding `pixels`, `size.width` to a row.
ServerPicture pictureOf(Display* display, graphics::Size size,
                        const std::vector<graphics::Pixel>& pixels) {
  ServerPicture picture(display, size, ServerPicture::Format::Rgb24, /*repeat=*/true);
  picture.put(pixels.data(), size.width, {0, 0, size.width, size.height});
  return picture;
}

}  // namespace

bool serverStretchesExactly(const Connection& connection, StretchRatio x, StretchRatio y,
                            graphics::Size extent) {
  Display* display = connection.display();
  ErrorTrap trap(connection);
  int mismatches = 0;
  bool read = false;
  {
    // The ramp, put together on the server from one row and one column, each repeated.
    std::vector<graphics::Pixel> columns(static_cast<std::size_t>(extent.width));
    for (int i = 0; i < extent.width; ++i) columns[static_cast<std::size_t>(i)] = rampColumn(i);
    std::vector<graphics::Pixel> rows(static_cast<std::size_t>(extent.height));
    for (int i = 0; i < extent.height; ++i) rows[static_cast<std::size_t>(i)] = rampRow(i);
    const ServerPicture ramp(display, extent, ServerPicture::Format::Rgb24);
    const ServerPicture across = pictureOf(display, {extent.width, 1}, columns);
    const ServerPicture down = pictureOf(display, {1, extent.height}, rows);
    const auto width = static_cast<unsigned>(extent.width);
    const auto height = static_cast<unsigned>(extent.height);
    XRenderComposite(display, PictOpSrc, across.picture(), None, ramp.picture(), 0, 0, 0, 0, 0, 0,
                     width, height);
    XRenderComposite(display, PictOpAdd, down.picture(), None, ramp.picture(), 0, 0, 0, 0, 0, 0,
                     width, height);

    // The stretch itself, as the surfaces do it from the screen.
    const ServerPicture stretched(display, extent, ServerPicture::Format::Rgb24);
    XRenderSetPictureFilter(display, ramp.picture(), FilterNearest, nullptr, 0);
    compositeStretch(display, ramp.picture(), {0, 0, extent.width, extent.height},
                     {x, y, extent, 0, 0}, stretched.picture(),
                     {0, 0, extent.width, extent.height});

    read = readRows(display, stretched.pixmap(), {0, 0, extent.width, extent.height},
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
