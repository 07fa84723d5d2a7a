#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>

#include "resources/resources.h"
#include "resources/windows_resources.h"

namespace {

// The program's executable loaded as data: its resources as Windows itself finds them.
class ProgramResources : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot load the program as data"; }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  HANDLE load(int id, UINT type, UINT flags = 0) const {
    return LoadImageW(module_, MAKEINTRESOURCEW(id), type, 0, 0, flags);
  }
  std::string_view raw(int id, LPCWSTR type) const {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return {};
    return {static_cast<const char*>(LockResource(LoadResource(module_, found))),
            SizeofResource(module_, found)};
  }

  HMODULE module_ = LoadLibraryExW(ORVEX_PROGRAM, nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
};

TEST_F(ProgramResources, CarryTheCameraIconAndTheHandPointerWithItsHotSpot) {
  const auto icon = static_cast<HICON>(load(IDI_CAMERA, IMAGE_ICON, LR_DEFAULTSIZE));
  ICONINFO info{};
  ASSERT_TRUE(icon != nullptr && GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof colour, &colour);
  EXPECT_TRUE(info.fIcon);
  EXPECT_EQ(colour.bmWidth, 32);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);

  const auto cursor = static_cast<HCURSOR>(load(IDC_HAND_POINTER, IMAGE_CURSOR));
  ASSERT_TRUE(cursor != nullptr && GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5U);
  EXPECT_EQ(info.yHotspot, 0U);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyCursor(cursor);
}

TEST_F(ProgramResources, CarryTheAboutCardPixelForPixel) {
  const auto bitmap = static_cast<HBITMAP>(load(IDB_ABOUT_CARD, IMAGE_BITMAP, LR_CREATEDIBSECTION));
  DIBSECTION dib{};
  ASSERT_TRUE(bitmap != nullptr && GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib);
  EXPECT_EQ(dib.dsBm.bmWidth, 351);
  EXPECT_EQ(dib.dsBm.bmHeight, 241);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
  // Both bottom-up with 4-byte rows: the file's pixel array is the section's, byte for byte.
  const auto file = resources::aboutCard();
  const auto pixels = file.subspan(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(dib.dsBm.bmWidthBytes) * dib.dsBm.bmHeight);
  EXPECT_EQ(std::memcmp(dib.dsBm.bmBits, pixels.data(), pixels.size()), 0);
  DeleteObject(bitmap);
}

TEST_F(ProgramResources, NameTheProgramInJapaneseWithItsVersion) {
  const std::string_view block = raw(VS_VERSION_INFO, RT_VERSION);
  ASSERT_FALSE(block.empty());
  // VerQueryValueW wants a writable copy of the block.
  std::string copy(block);
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(
      VerQueryValueW(copy.data(), L"\\StringFileInfo\\041104B0\\ProductName", &value, &length));
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), L"Orvex画面キャプチャー");
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", &value, &length));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionLS));
  ASSERT_TRUE(
      VerQueryValueW(copy.data(), L"\\StringFileInfo\\041104B0\\FileVersion", &value, &length));
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), numbers);
  EXPECT_NE(fixed->dwFileVersionMS, 0U);
}

TEST_F(ProgramResources, AskForCommonControlsSixAndSystemDpiAwareness) {
  // Windows reads a program's manifest from this one place only.
  const std::string_view manifest = raw(1, RT_MANIFEST);
  EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
            std::string_view::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string_view::npos);
  EXPECT_EQ(manifest.find("activeCodePage"), std::string_view::npos);
}

}  // namespace
