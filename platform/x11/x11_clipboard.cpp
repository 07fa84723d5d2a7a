#include "platform/x11/x11_clipboard.h"

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "platform/forms/runtime_error.h"
#include "platform/x11/clipboard_keeper.h"

namespace x11 {
namespace {

struct Format {
  const char* target;
  const char* encoding;
};
// PNG for today's programs, BMP for older ones and Wine.
constexpr std::array kFormats{Format{"image/png", "PNG"}, Format{"image/bmp", "BMP"}};

std::vector<std::string> targets() {
  std::vector<std::string> names;
  names.reserve(kFormats.size());
  for (const Format& format : kFormats) names.emplace_back(format.target);
  return names;
}

int millisecondsUntil(std::optional<SelectionOwner::Clock::time_point> deadline) {
  if (!deadline) return -1;
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(*deadline - SelectionOwner::Clock::now());
  return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
}

}  // namespace

// The picture in each format, encoded when first asked for and kept. Asked from the serving
// thread and, at exit, from the program's own.
class X11Clipboard::EncodedPicture final : public SelectionContent {
 public:
  EncodedPicture(graphics::Bitmap picture, PictureEncoder encode)
      : picture_(std::move(picture)), encode_(std::move(encode)) {}

  // The picture's memory, for the next one, once nothing else holds this.
  graphics::Bitmap giveUpPixels() { return std::move(picture_); }

  std::optional<std::string_view> bytes(std::size_t index) override {
    const std::lock_guard lock(mutex_);
    std::optional<std::string>& encoded = encoded_.at(index);
    if (!encoded) encoded = encode_(picture_, kFormats.at(index).encoding);
    if (encoded->empty()) return std::nullopt;
    return *encoded;  // never changes again
  }

 private:
  graphics::Bitmap picture_;
  const PictureEncoder encode_;
  std::mutex mutex_;
  std::array<std::optional<std::string>, kFormats.size()> encoded_;
};

X11Clipboard::X11Clipboard(PictureEncoder encode)
    : owner_(connection_, "CLIPBOARD", targets()),
      encode_(std::move(encode)),
      wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (connection_.broken()) throw std::runtime_error("cannot connect to the X display");
  if (!wake_) throw std::runtime_error("cannot make an event descriptor");
  // Signals are the toolkit's thread's to take.
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &before);
  server_ = std::thread([this] { serve(); });
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

X11Clipboard::~X11Clipboard() { stopServing(); }

void X11Clipboard::Clear() {
  {
    const std::lock_guard lock(mutex_);
    const std::shared_ptr<EncodedPicture> last = std::exchange(picture_, nullptr);
    const bool cleared = owner_.clear();
    // No paste under way holds it (those take it under the lock): its memory serves the next
    // picture, which then takes no new pages.
    if (last.use_count() == 1) spare_ = last->giveUpPixels();
    if (!cleared) throw forms::RuntimeError::clipboardUnavailable();
  }
  wakeServer();
}

void X11Clipboard::SetData(const graphics::Bitmap& picture) {
  graphics::Bitmap pixels = std::exchange(spare_, {});
  pixels = picture;  // in the spare's memory when the size is the same
  {
    const std::lock_guard lock(mutex_);
    picture_ = std::make_shared<EncodedPicture>(std::move(pixels), encode_);
    if (!owner_.take(picture_)) throw forms::RuntimeError::clipboardUnavailable();
  }
  // Events that came in while we waited for the server are held for the serving thread.
  wakeServer();
}

void X11Clipboard::handOver() {
  // The serving thread goes on meanwhile: encoding a large picture takes a while, and pastes
  // under way must not stall on it.
  if (picture_ && ownedNow()) {
    std::vector<ClipboardOffer> offers;
    for (std::size_t i = 0; i < kFormats.size(); ++i) {
      if (const auto bytes = picture_->bytes(i)) offers.push_back({kFormats[i].target, *bytes});
    }
    // Asked again: another program may have copied while we encoded.
    if (!offers.empty() && ownedNow()) startClipboardKeeper(offers);
  }
  stopServing();
  owner_.finishServing();
}

bool X11Clipboard::ownedNow() {
  const std::lock_guard lock(mutex_);
  return owner_.serverNamesUsOwner();
}

// The serving thread: waits for the server or for a wake-up, then handles what came in.
void X11Clipboard::serve() {
  std::optional<SelectionOwner::Clock::time_point> nextDrop;
  while (true) {
    std::array<pollfd, 2> readable{pollfd{connection_.fileDescriptor(), POLLIN, 0},
                                   pollfd{wake_.get(), POLLIN, 0}};
    poll(readable.data(), readable.size(), millisecondsUntil(nextDrop));
    std::uint64_t wakeUps = 0;
    [[maybe_unused]] const ssize_t taken = read(wake_.get(), &wakeUps, sizeof wakeUps);
    const std::lock_guard lock(mutex_);
    if (stopping_ || connection_.broken()) return;
    nextDrop = owner_.serveReceived();
  }
}

void X11Clipboard::wakeServer() const {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(wake_.get(), &one, sizeof one);
}

// From here on, the calling thread serves.
void X11Clipboard::stopServing() {
  if (!server_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wakeServer();
  server_.join();
}

}  // namespace x11
