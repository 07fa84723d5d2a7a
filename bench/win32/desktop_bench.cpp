// The Win32 desktop services' costs under Wine (or on Windows): the screen read through the
// stretching copy, the bare read, and putting a picture on the clipboard. Prints the median
// wall time of each, in ms. Usage: bench_win32_desktop [ITERATIONS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "platform/win32/desktop/clipboard_formats.h"
#include "platform/win32/desktop/screen_reader.h"
#include "platform/win32/desktop/win32_desktop.h"

namespace {

struct Canvas final : graphics::DeviceContext {
  graphics::BitmapSurface picture;
  graphics::Surface* target() override { return &picture; }
};

void report(const char* what, int iterations, const std::function<void()>& run) {
  run();  // the first one allocates
  std::vector<double> times;
  for (int i = 0; i < iterations; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s %8.3f ms\n", what, times[times.size() / 2]);
}

graphics::Bitmap noise(int width, int height) {
  std::mt19937 random(1);
  graphics::Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.set(x, y, random() & 0xFFFFFFU);
  }
  return picture;
}

// A desktop-like picture: flat panels with a few lines of "text".
graphics::Bitmap panels(int width, int height) {
  graphics::Bitmap picture(width, height, graphics::rgb(240, 240, 240));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((x / 200 + y / 150) % 3 == 0) picture.set(x, y, graphics::rgb(30, 90, 160));
      if (y % 20 < 12 && x % 9 < 5 && (x * 7 + y * 3) % 11 < 4) picture.set(x, y, 0);
    }
  }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  const int iterations = argc > 1 ? std::atoi(argv[1]) : 50;
  win32::Win32Desktop desktop;
  platform::ScreenCopy& copy = desktop.screenCopy();
  const auto stretch = [&](int width, int height, int zoom) {
    auto canvas = std::make_shared<Canvas>();
    canvas->picture.resize({width * zoom, height * zoom}, graphics::kBlack);
    auto handle = std::make_shared<platform::HandleTable<graphics::DeviceContext>::Registration>(
        copy.registerDeviceContext(*canvas));
    return [&copy, canvas, handle, width, height, zoom] {
      const platform::Hdc screen = copy.GetDC(0);
      copy.StretchBlt(handle->handle(), 0, 0, width * zoom, height * zoom, screen, 10, 10, width,
                      height, platform::SRCCOPY);
      copy.ReleaseDC(0, screen);
    };
  };
  report("StretchBlt from the screen 351x240, zoom 1", iterations, stretch(351, 240, 1));
  report("StretchBlt from the screen 176x120, zoom 2", iterations, stretch(176, 120, 2));
  report("StretchBlt from the screen 1910x1070, zoom 1", iterations, stretch(1910, 1070, 1));
  win32::ScreenReader reader;
  report("bare read 351x240", iterations, [&] { reader.read({0, 0, 351, 240}); });
  report("bare read 1920x1080", iterations, [&] { reader.read({0, 0, 1920, 1080}); });

  for (const auto& [name, picture] : {std::pair{"351x240 noise", noise(351, 240)},
                                      std::pair{"1920x1080 noise", noise(1920, 1080)},
                                      std::pair{"1920x1080 panels", panels(1920, 1080)}}) {
    const std::string suffix = std::string(" ") + name;
    report(("CF_DIB" + suffix).c_str(), iterations, [&] { win32::packedDib(picture); });
    report(("PNG" + suffix).c_str(), iterations, [&] { win32::pngFile(picture); });
    std::printf("%-44s %8zu bytes\n", ("PNG size" + suffix).c_str(),
                win32::pngFile(picture).size());
    report(("Clipboard.SetData" + suffix).c_str(), iterations,
           [&] { desktop.clipboard().SetData(picture); });
  }
  return 0;
}
