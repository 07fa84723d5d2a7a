#include "platform/wayland/wayland_desktop.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace wayland {
namespace {

QImage ourClipboardPicture() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr || !clipboard->ownsClipboard()) return {};
  return clipboard->image();
}

}  // namespace

WaylandDesktop::WaylandDesktop(ScreenSharing::News news)
    : sharing_(RestoreTokenStore::inUserState(), std::move(news)), programs_(ourClipboardPicture) {}

}  // namespace wayland
