#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/qt/error_reporter.h"
#include "platform/qt/image_files.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/windows_image_reader.h"
#include "platform/x11/qt/desktop.h"
#include "qt_peer_fixture.h"
#include "resources/resources.h"

namespace {

// What another program gets when it pastes the clipboard as `type`; our event loop serves its
// request meanwhile. Empty when there is nothing of that type.
QByteArray pastedAs(const QString& type) {
  QProcess xclip;
  xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", type, "-o"});
  EXPECT_TRUE(qt_peer_test::waitRunningQt([&] { return xclip.state() == QProcess::NotRunning; }))
      << "xclip did not finish";
  return xclip.exitCode() == 0 ? xclip.readAllStandardOutput() : QByteArray();
}

graphics::Bitmap noise(int width, int height) {
  std::mt19937 random(7);
  graphics::Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.set(x, y, random() & 0xFFFFFFU);
  }
  return picture;
}

// The clipboards a desktop may have: ours on X11, where the picture must outlive the program;
// Qt's where Qt's clipboard does (Wayland).
struct ClipboardKind {
  const char* name;
  std::function<std::unique_ptr<platform::Clipboard>()> make;
};

class DesktopClipboard : public ::testing::TestWithParam<ClipboardKind> {
 protected:
  QApplication& app = qt_peer_test::application();
  const std::unique_ptr<platform::Clipboard> clipboard = GetParam().make();
};

TEST_P(DesktopClipboard, OffersThePicturePixelForPixelAsPng) {
  const graphics::Bitmap picture = noise(351, 240);
  clipboard->SetData(picture);

  const QImage pasted = QImage::fromData(pastedAs(QStringLiteral("image/png")), "PNG");
  ASSERT_EQ(pasted.width(), picture.width());
  ASSERT_EQ(pasted.height(), picture.height());
  int mismatches = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if ((pasted.pixel(x, y) & 0xFFFFFFU) != picture.at(x, y)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_P(DesktopClipboard, ClearLeavesNothingToPaste) {
  clipboard->SetData(noise(8, 8));
  ASSERT_FALSE(pastedAs(QStringLiteral("image/png")).isEmpty());
  clipboard->Clear();
  EXPECT_TRUE(pastedAs(QStringLiteral("image/png")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DesktopClipboard,
    ::testing::Values(
        ClipboardKind{
            "X11", [] { return std::make_unique<x11::X11Clipboard>(qtplatform::encodePicture); }},
        ClipboardKind{"Qt", [] { return std::make_unique<qtplatform::QtClipboard>(); }}),
    [](const ::testing::TestParamInfo<ClipboardKind>& row) { return std::string(row.param.name); });

TEST(QtDesktopScreen, TwipsPerPixelFollowTheScreensResolution) {
  qt_peer_test::application();
  x11::Desktop desktop;
  // Xvfb reports 96 dots per inch to an unscaled Qt.
  EXPECT_FLOAT_EQ(desktop.screen().TwipsPerPixelX(), 15.0F);
  EXPECT_FLOAT_EQ(desktop.screen().TwipsPerPixelY(), 15.0F);
}

// What `write` puts on stderr.
std::string standardErrorOf(const std::function<void()>& write) {
  std::fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  std::FILE* capture = std::tmpfile();
  dup2(fileno(capture), STDERR_FILENO);
  write();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  std::rewind(capture);
  std::string text;
  for (int c = std::fgetc(capture); c != EOF; c = std::fgetc(capture)) {
    text.push_back(static_cast<char>(c));
  }
  std::fclose(capture);
  return text;
}

// A live view failing at every tick: one box and one line, not one line a tick.
TEST(QtErrorReporter, AnErrorComingAgainWhileItsBoxIsUpIsToldOnce) {
  qt_peer_test::application();
  qtplatform::ErrorReporter reporter;
  const forms::RuntimeError error(5, "画面を読み取れません");
  const std::string told = standardErrorOf([&] {
    for (int tick = 0; tick < 3; ++tick) reporter.report(error, nullptr);
  });
  EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
  const TestDisplay display;
  std::vector<QDialog*> shown;
  EXPECT_TRUE(qt_peer_test::waitRunningQt(
      [&] { return (shown = qt_peer_test::messagesOnScreen(display)).size() == 1; }));
  for (QDialog* message : shown) message->close();
}

// Our reader of Windows image files against Qt's: the program's own three and bitmaps that Qt
// writes at each depth it writes, of an odd width so that rows need padding. Every shorter cut
// of a file, and a file claiming more than it holds, reads as nothing.
QByteArray savedAsBitmap(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

TEST(QtImageFiles, WindowsImagesReadAsQtReadsThemAndDamagedOnesAsNothing) {
  const QImage noise = qtplatform::imageView(::noise(13, 7));
  const std::vector<QByteArray> files = {
      QByteArray::fromRawData(reinterpret_cast<const char*>(resources::cameraIcon().data()),
                              static_cast<qsizetype>(resources::cameraIcon().size())),
      QByteArray::fromRawData(reinterpret_cast<const char*>(resources::handPointer().data()),
                              static_cast<qsizetype>(resources::handPointer().size())),
      QByteArray::fromRawData(reinterpret_cast<const char*>(resources::aboutCard().data()),
                              static_cast<qsizetype>(resources::aboutCard().size())),
      savedAsBitmap(noise.convertToFormat(QImage::Format_Mono)),
      savedAsBitmap(noise.convertToFormat(QImage::Format_Indexed8)),
      savedAsBitmap(noise)};
  const auto read = [](const QByteArray& file, qsizetype size) {
    return qtplatform::readWindowsImage(std::as_bytes(std::span(file.constData(), size)));
  };
  for (const QByteArray& file : files) {
    const QImage ours = read(file, file.size());
    const QImage qts = QImage::fromData(file);
    ASSERT_FALSE(qts.isNull());
    EXPECT_EQ(ours.convertToFormat(QImage::Format_ARGB32_Premultiplied),
              qts.convertToFormat(QImage::Format_ARGB32_Premultiplied))
        << qts.width() << "x" << qts.height();
    for (qsizetype size = 0; size < file.size(); ++size) {
      ASSERT_TRUE(read(file, size).isNull()) << "read " << size << " of " << file.size();
    }
    QByteArray taller = file;
    const qsizetype heightAt = taller.startsWith("BM") ? 22 : 6 + 16 + 8;  // the info header's
    taller[heightAt + 1] = 1;                                              // height + 256
    EXPECT_TRUE(read(taller, taller.size()).isNull());
  }
}

}  // namespace
