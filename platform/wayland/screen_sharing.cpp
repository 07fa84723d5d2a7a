#include "platform/wayland/screen_sharing.h"

#include <QCoreApplication>
#include <QEvent>

#include "platform/forms/not_ready.h"
#include "platform/forms/runtime_error.h"

namespace wayland {
namespace {

constexpr const char* kAsking =
    "画面の共有の許可を待っています。表示された画面で、共有するモニターを選んでください。";
constexpr const char* kRefused =
    "画面の共有が許可されなかったため、画面を読み取れません。次のキャプチャーで、もう一度許可を"
    "求めます。";
constexpr const char* kEnded =
    "画面の共有が終わりました。次のキャプチャーで、もう一度許可を求めます。";
constexpr const char* kPointerUnknown =
    "マウスポインターの位置がまだ分かりません。共有しているモニターの上でポインターを動かして"
    "ください。";

}  // namespace

ScreenSharing::ScreenSharing(RestoreTokenStore tokens, News news)
    : news_(std::move(news)),
      shared_([this] {
        state_ = State::Ended;
        userActedSinceNo_ = false;
        news_.note(kEnded);
      }),
      portal_(std::move(tokens),
              {.shared =
                   [this](int remoteFd, const std::vector<SharedMonitor>& monitors) {
                     shared_.share(remoteFd, monitors);
                     state_ = State::Sharing;
                   },
               .refused =
                   [this] {
                     state_ = State::Refused;
                     userActedSinceNo_ = false;
                     news_.note(kRefused);
                   },
               .failed =
                   [this](const std::string& reason) {
                     state_ = State::Impossible;
                     impossibleReason_ = reason;
                     news_.problem(reason);
                   },
               .ended =
                   [this] {
                     shared_.stop();
                     state_ = State::Ended;
                     userActedSinceNo_ = false;
                     news_.note(kEnded);
                   }}) {
  QCoreApplication::instance()->installEventFilter(this);
}

void ScreenSharing::begin() {
  state_ = State::Asking;
  portal_.ask();
}

bool ScreenSharing::eventFilter(QObject* /*watched*/, QEvent* event) {
  // Presses: the program handles the release that follows, and must find it known by then.
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) {
    userActedSinceNo_ = true;
  }
  return false;
}

void ScreenSharing::checkShared() {
  switch (state_) {
    case State::Sharing:
      return;
    case State::Asking:
      throw forms::NotReady(kAsking);
    case State::Refused:
    case State::Ended:
      if (!userActedSinceNo_) throw forms::NotReady(state_ == State::Refused ? kRefused : kEnded);
      begin();
      throw forms::NotReady(kAsking);
    case State::Impossible:
      throw forms::RuntimeError::screenUnreadable(impossibleReason_);
  }
}

std::int32_t ScreenSharing::GetCursorPos(platform::PointApi& point) {
  checkShared();
  const std::optional<CursorPoint> pointer = shared_.pointer();
  if (!pointer) throw forms::NotReady(kPointerUnknown);
  point.X = pointer->x;
  point.Y = pointer->y;
  return 1;
}

void ScreenSharing::Gate::checkReadable() {
  sharing_.checkShared();
  sharing_.shared_.checkReadable();
}

graphics::PixelView ScreenSharing::Gate::read(const graphics::Rect& area) {
  sharing_.checkShared();
  return sharing_.shared_.read(area);
}

}  // namespace wayland
