#include "support/pictures.h"

#include <random>

namespace wine_test {

graphics::Bitmap pixelsOf(HBITMAP bitmap) {
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  graphics::Bitmap picture(size.bmWidth, size.bmHeight);
  BITMAPINFO format{};
  format.bmiHeader = {
      sizeof(BITMAPINFOHEADER), size.bmWidth, -size.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < picture.height(); ++y) {
    GetDIBits(screen, bitmap, static_cast<UINT>(size.bmHeight - 1 - y), 1, picture.row(y), &format,
              DIB_RGB_COLORS);
  }
  ReleaseDC(nullptr, screen);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) picture.set(x, y, picture.at(x, y) & 0xFFFFFFU);
  }
  return picture;
}

std::optional<graphics::Bitmap> loadBmp(const std::wstring& path) {
  auto* bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (bitmap == nullptr) return std::nullopt;
  graphics::Bitmap picture = pixelsOf(bitmap);
  DeleteObject(bitmap);
  return picture;
}

graphics::Bitmap noise(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  graphics::Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.set(x, y, random() & 0xFFFFFFU);
  }
  return picture;
}

int differingPixels(const graphics::Bitmap& a, const graphics::Bitmap& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) count += a.at(x, y) != b.at(x, y) ? 1 : 0;
  }
  return count;
}

}  // namespace wine_test
