#include "platform/x11/screen_format.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdint>

namespace x11 {
namespace {

// Channel tables of up to 65536 entries; real screens use 5 to 10 bits.
constexpr int kMostChannelBits = 16;

const char* visualClassName(int visualClass) {
  switch (visualClass) {
    case StaticGray:
      return "StaticGray";
    case GrayScale:
      return "GrayScale";
    case StaticColor:
      return "StaticColor";
    case PseudoColor:
      return "PseudoColor";
    case TrueColor:
      return "TrueColor";
    case DirectColor:
      return "DirectColor";
    default:
      return "不明な種類";
  }
}

int bitsPerPixelAtDepth(Display* display, int depth) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  int bits = 0;
  for (int i = 0; i < count; ++i) {
    if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
  }
  if (formats != nullptr) XFree(formats);
  return bits;
}

// One run of set bits, of a size we keep a table for.
bool usableMask(unsigned long mask) {
  const int bits = std::popcount(mask);
  return bits > 0 && bits <= kMostChannelBits &&
         std::bit_width(mask) - static_cast<unsigned>(std::countr_zero(mask)) ==
             static_cast<unsigned>(bits);
}

// The 8-bit value nearest to a colormap's 16-bit one.
graphics::Pixel eightBitsOf(unsigned short value) {
  return (std::uint32_t{value} * 255U + 32767U) / 65535U;
}

}  // namespace

ScreenFormat::ScreenFormat(Display* display) {
  const int screen = DefaultScreen(display);
  const Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  bitsPerPixel_ = bitsPerPixelAtDepth(display, depth);
  const std::string format = std::string(visualClassName(visual->c_class)) + "、深さ " +
                             std::to_string(depth) + " ビット、画素 " +
                             std::to_string(bitsPerPixel_) + " ビット";
  const bool nativeByteOrder =
      (ImageByteOrder(display) == LSBFirst) == (std::endian::native == std::endian::little);
  if (visual->c_class != TrueColor) {
    unreadableReason_ = "この画面の形式 (" + format +
                        ") は色を番号で表すため、読み取りに対応していません。TrueColor "
                        "の画面 (深さ 15、16、24、30 ビットなど) で使ってください。";
    return;
  }
  if ((bitsPerPixel_ != 16 && bitsPerPixel_ != 32) || !nativeByteOrder ||
      !usableMask(visual->red_mask) || !usableMask(visual->green_mask) ||
      !usableMask(visual->blue_mask)) {
    unreadableReason_ = "この画面の画素の並び (" + format +
                        (nativeByteOrder ? "" : "、逆のバイト順") + ") には対応していません。";
    return;
  }
  if (bitsPerPixel_ == 32 && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
      visual->blue_mask == 0xFF) {
    layout_ = depth == 32 ? Layout::Rgb32WithAlpha : Layout::Rgb32;
    return;
  }
  const std::array<unsigned long, 3> masks{visual->red_mask, visual->green_mask, visual->blue_mask};
  for (std::size_t c = 0; c < channels_.size(); ++c) {
    channels_[c].shift = std::countr_zero(masks[c]);
    channels_[c].values = masks[c] >> channels_[c].shift;
  }
  readColormap(display);
  layout_ = Layout::Converted;
}

// What each channel value shows is the colormap's to say; a TrueColor one never changes.
void ScreenFormat::readColormap(Display* display) {
  const int screen = DefaultScreen(display);
  for (std::size_t c = 0; c < channels_.size(); ++c) {
    Channel& channel = channels_[c];
    std::vector<XColor> colours(channel.values + 1);
    for (std::size_t value = 0; value < colours.size(); ++value) {
      colours[value].pixel = value << channel.shift;
    }
    XQueryColors(display, DefaultColormap(display, screen), colours.data(),
                 static_cast<int>(colours.size()));
    const int place = 16 - 8 * static_cast<int>(c);
    channel.shown.clear();
    for (const XColor& colour : colours) {
      const unsigned short value = c == 0 ? colour.red : c == 1 ? colour.green : colour.blue;
      channel.shown.push_back(eightBitsOf(value) << place);
    }
  }
}

template <typename ServerPixel>
void ScreenFormat::convertRows(const CapturedImage& image, graphics::Pixel* out,
                               std::ptrdiff_t stride) const {
  const auto& [red, green, blue] = channels_;
  for (int y = 0; y < image.height; ++y) {
    const auto* in = reinterpret_cast<const ServerPixel*>(image.data + y * image.bytesPerLine);
    graphics::Pixel* row = out + y * stride;
    for (int x = 0; x < image.width; ++x) {
      const unsigned long pixel = in[x];
      row[x] = red.shown[(pixel >> red.shift) & red.values] |
               green.shown[(pixel >> green.shift) & green.values] |
               blue.shown[(pixel >> blue.shift) & blue.values];
    }
  }
}

void ScreenFormat::convert(const CapturedImage& image, graphics::Pixel* out,
                           std::ptrdiff_t stride) const {
  if (bitsPerPixel_ == 16) {
    convertRows<std::uint16_t>(image, out, stride);
  } else {
    convertRows<std::uint32_t>(image, out, stride);
  }
}

}  // namespace x11
