#include "remote_desktop.h"

#include <X11/keysym.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QVariantMap>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

const QString kMutter = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
const QString kSession = QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session");
const QString kScreenCast = QStringLiteral("org.gnome.Mutter.ScreenCast");
constexpr auto kKeyStrokeGap = 60ms;

QDBusInterface sessionOf(const QString& path) {
  return QDBusInterface(kMutter, path, kSession, QDBusConnection::sessionBus());
}

}  // namespace

RemoteDesktop::RemoteDesktop() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  QDBusInterface remote(kMutter, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kMutter, bus);
  const QDBusReply<QDBusObjectPath> session = remote.call(QStringLiteral("CreateSession"));
  if (!session.isValid()) return;
  session_ = session.value().path();
  const QString sessionId = sessionOf(session_).property("SessionId").toString();
  // Absolute pointer moves are relative to a stream's monitor: a screen cast of the first
  // monitor, linked to this session, that nobody watches.
  QDBusInterface screenCast(kScreenCast, QStringLiteral("/org/gnome/Mutter/ScreenCast"),
                            kScreenCast, bus);
  const QDBusReply<QDBusObjectPath> cast =
      screenCast.call(QStringLiteral("CreateSession"),
                      QVariantMap{{QStringLiteral("remote-desktop-session-id"), sessionId}});
  if (!cast.isValid()) return;
  QDBusInterface castSession(kScreenCast, cast.value().path(),
                             QStringLiteral("org.gnome.Mutter.ScreenCast.Session"), bus);
  const QDBusReply<QDBusObjectPath> stream =
      castSession.call(QStringLiteral("RecordMonitor"), QStringLiteral("Meta-0"), QVariantMap());
  if (!stream.isValid()) return;
  if (!QDBusReply<void>(sessionOf(session_).call(QStringLiteral("Start"))).isValid()) return;
  stream_ = stream.value().path();
}

RemoteDesktop::~RemoteDesktop() {
  if (!session_.isEmpty()) sessionOf(session_).call(QStringLiteral("Stop"));
}

void RemoteDesktop::movePointer(double x, double y) const {
  sessionOf(session_).call(QStringLiteral("NotifyPointerMotionAbsolute"), stream_, x, y);
}

void RemoteDesktop::pressButton(int button, bool down) const {
  sessionOf(session_).call(QStringLiteral("NotifyPointerButton"), button, down);
}

void RemoteDesktop::pressKey(std::uint32_t keysym, bool down) const {
  sessionOf(session_).call(QStringLiteral("NotifyKeyboardKeysym"), keysym, down);
}

void RemoteDesktop::strikeKey(std::uint32_t keysym) const {
  pressKey(keysym, true);
  std::this_thread::sleep_for(kKeyStrokeGap);
  pressKey(keysym, false);
  std::this_thread::sleep_for(kKeyStrokeGap);
}

void RemoteDesktop::warmUp() const {
  strikeKey(XK_Shift_L);
  std::this_thread::sleep_for(300ms);
}

void RemoteDesktop::answerShareDialog() const {
  // "Share" stays disabled until the monitor's row is chosen: Tab to the row, on to the button.
  for (int i = 0; i < 3; ++i) strikeKey(XK_Tab);
  strikeKey(XK_Return);
}

void RemoteDesktop::refuseShareDialog() const { strikeKey(XK_Escape); }
