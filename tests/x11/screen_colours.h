#pragma once

#include <X11/Xlib.h>

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

// What the display under test makes of colours, told by the server itself: the pixel value
// that draws a 0x00RRGGBB colour (each channel cut to the screen's bits) and the colour its
// colormap says a pixel value shows. At depth 24 both are the identity.
class ScreenColours {
 public:
  explicit ScreenColours(Display* display) {
    if (display == nullptr) return;
    const int screen = DefaultScreen(display);
    const Visual* visual = DefaultVisual(display, screen);
    const std::array<unsigned long, 3> masks{visual->red_mask, visual->green_mask,
                                             visual->blue_mask};
    for (std::size_t c = 0; c < channels_.size(); ++c) {
      Channel& channel = channels_[c];
      channel = {std::countr_zero(masks[c]), std::popcount(masks[c]), {}};
      std::vector<XColor> colours(std::size_t{1} << channel.bits);
      for (std::size_t level = 0; level < colours.size(); ++level) {
        colours[level].pixel = level << channel.shift;
      }
      XQueryColors(display, DefaultColormap(display, screen), colours.data(),
                   static_cast<int>(colours.size()));
      for (const XColor& colour : colours) {
        const unsigned value = c == 0 ? colour.red : c == 1 ? colour.green : colour.blue;
        channel.shown.push_back(static_cast<std::uint8_t>((value * 255U + 32767U) / 65535U));
      }
    }
  }

  unsigned long pixelFor(std::uint32_t rgb) const {
    unsigned long pixel = 0;
    for (std::size_t c = 0; c < channels_.size(); ++c) {
      const unsigned value = (rgb >> (16 - 8 * c)) & 0xFFU;
      const Channel& channel = channels_[c];
      const unsigned long level =
          channel.bits >= 8 ? value << (channel.bits - 8) : value >> (8 - channel.bits);
      pixel |= level << channel.shift;
    }
    return pixel;
  }

  std::uint32_t shownBy(unsigned long pixel) const {
    std::uint32_t rgb = 0;
    for (std::size_t c = 0; c < channels_.size(); ++c) {
      const Channel& channel = channels_[c];
      const unsigned long level = (pixel >> channel.shift) & ((1UL << channel.bits) - 1);
      rgb |= std::uint32_t{channel.shown[level]} << (16 - 8 * c);
    }
    return rgb;
  }

  // Every value of each channel in turn, the others at zero: red's, then green's, then blue's.
  std::vector<unsigned long> everyChannelValue() const {
    std::vector<unsigned long> pixels;
    for (const Channel& channel : channels_) {
      for (unsigned long level = 0; level < (1UL << channel.bits); ++level) {
        pixels.push_back(level << channel.shift);
      }
    }
    return pixels;
  }

 private:
  struct Channel {
    int shift = 0;
    int bits = 8;
    std::vector<std::uint8_t> shown;
  };
  // Red, green, blue; without a display, 8-bit channels shown as they are.
  std::array<Channel, 3> channels_{identity(16), identity(8), identity(0)};

  static Channel identity(int shift) {
    Channel channel{shift, 8, {}};
    for (int value = 0; value < 256; ++value)
      channel.shown.push_back(static_cast<std::uint8_t>(value));
    return channel;
  }
};
