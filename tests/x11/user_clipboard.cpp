#include "user_clipboard.h"

#include <chrono>

#include "program_process.h"

namespace {

// The owner answers within milliseconds when its event loop is free; a busy one is asked again.
constexpr std::chrono::milliseconds kAnswerTimeout{2000};

}  // namespace

QImage clipboardPicture() {
  const auto png =
      outputOf({"xclip", "-selection", "clipboard", "-t", "image/png", "-o"}, kAnswerTimeout);
  if (!png || png->empty()) return {};
  return QImage::fromData(QByteArrayView(png->data(), static_cast<qsizetype>(png->size())), "PNG")
      .convertToFormat(QImage::Format_RGB32);
}
