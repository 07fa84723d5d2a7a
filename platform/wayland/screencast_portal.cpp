#include "platform/wayland/screencast_portal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <cstdio>
#include <utility>

namespace wayland {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenCast = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");

constexpr uint kMonitors = 1;        // source type: whole monitors
constexpr uint kCursorMetadata = 4;  // cursor mode: the pointer's place beside the pixels
constexpr uint kPersistUntilRevoked = 2;
constexpr uint kFirstPersistingVersion = 4;
constexpr uint kAnswerSuccess = 0;
constexpr uint kAnswerCancelled = 1;

constexpr const char* kNoPortal =
    "このデスクトップには画面を共有する仕組み (ScreenCast ポータル) がないため、画面を読み取れ"
    "ません。";
constexpr const char* kNoPointer =
    "このデスクトップは、ほかのプログラムにマウスポインターの位置を知らせません "
    "(ScreenCast ポータルにポインターの位置の情報がありません)。ポインターの位置が分からない"
    "ため、このデスクトップではカメラもビデオも使えません。";
constexpr const char* kPortalFailed = "画面の共有を始められませんでした: ";

std::vector<SharedMonitor> monitorsIn(const QVariant& streams) {
  std::vector<SharedMonitor> monitors;
  const auto list = streams.value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    uint node = 0;
    QVariantMap properties;
    list.beginStructure();
    list >> node >> properties;
    list.endStructure();
    SharedMonitor monitor{node, 0, 0};
    // A single shared monitor may come without a place: it is then the whole screen.
    if (properties.contains(QStringLiteral("position"))) {
      const auto position = properties.value(QStringLiteral("position")).value<QDBusArgument>();
      position.beginStructure();
      position >> monitor.x >> monitor.y;
      position.endStructure();
    }
    monitors.push_back(monitor);
  }
  list.endArray();
  return monitors;
}

}  // namespace

ScreenCastPortal::ScreenCastPortal(RestoreTokenStore tokens, Answers answers)
    : bus_(QDBusConnection::sessionBus()),
      tokens_(std::move(tokens)),
      answers_(std::move(answers)) {}

ScreenCastPortal::~ScreenCastPortal() { closeSession(); }

void ScreenCastPortal::ask() {
  if (asking_) return;
  asking_ = true;
  closeSession();
  if (!bus_.isConnected()) {
    fail(kNoPortal);
    return;
  }
  // What this portal can do decides what to ask for, or that asking is pointless.
  QDBusMessage call = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"));
  call.setArguments({kScreenCast});
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
    watcher->deleteLater();
    const QDBusPendingReply<QVariantMap> reply = *watcher;
    if (reply.isError() || reply.value().isEmpty()) {
      fail(kNoPortal);
      return;
    }
    askWith(reply.value());
  });
}

void ScreenCastPortal::askWith(const QVariantMap& properties) {
  const uint cursorModes = properties.value(QStringLiteral("AvailableCursorModes")).toUInt();
  if ((cursorModes & kCursorMetadata) == 0) {
    fail(kNoPointer);
    return;
  }
  persists_ = properties.value(QStringLiteral("version")).toUInt() >= kFirstPersistingVersion;
  request(QStringLiteral("CreateSession"), {},
          {{QStringLiteral("session_handle_token"), QStringLiteral("orvex%1").arg(++requests_)}},
          [this](const QVariantMap& results) {
            session_ = results.value(QStringLiteral("session_handle")).toString();
            bus_.connect(kService, session_, kSession, QStringLiteral("Closed"), this,
                         SLOT(sessionClosed(QVariantMap)));
            selectSources();
          });
}

void ScreenCastPortal::selectSources() {
  QVariantMap options{{QStringLiteral("types"), kMonitors},
                      {QStringLiteral("multiple"), true},
                      {QStringLiteral("cursor_mode"), kCursorMetadata}};
  if (persists_) {
    options.insert(QStringLiteral("persist_mode"), kPersistUntilRevoked);
    const std::string token = tokens_.load();
    if (!token.empty()) {
      options.insert(QStringLiteral("restore_token"), QString::fromStdString(token));
    }
  }
  request(QStringLiteral("SelectSources"), {QVariant::fromValue(QDBusObjectPath(session_))},
          options, [this](const QVariantMap& /*results*/) { startSharing(); });
}

void ScreenCastPortal::startSharing() {
  // No parent window: a Wayland client cannot name its window to another without more
  // protocol, and the dialog stands well enough on its own.
  request(QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(session_)), QString()}, {},
          [this](const QVariantMap& results) {
            const QString token = results.value(QStringLiteral("restore_token")).toString();
            if (!token.isEmpty() && !tokens_.save(token.toStdString())) {
              std::fprintf(stderr, "orvex-capture: %s に許可を保存できません\n",
                           tokens_.file().c_str());
            }
            const std::vector<SharedMonitor> monitors =
                monitorsIn(results.value(QStringLiteral("streams")));
            if (monitors.empty()) {
              fail(std::string(kPortalFailed) + "共有するモニターがありません。");
              return;
            }
            openRemote(monitors);
          });
}

void ScreenCastPortal::openRemote(const std::vector<SharedMonitor>& monitors) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kScreenCast,
                                                     QStringLiteral("OpenPipeWireRemote"));
  call.setArguments({QVariant::fromValue(QDBusObjectPath(session_)), QVariantMap()});
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, monitors] {
    watcher->deleteLater();
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
    // The reply's descriptor closes with the reply: the receiver gets its own.
    const int fd = reply.isError() ? -1 : fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
    if (fd < 0) {
      fail(std::string(kPortalFailed) + reply.error().message().toStdString());
      return;
    }
    asking_ = false;
    if (answers_.shared) answers_.shared(fd, monitors);
  });
}

void ScreenCastPortal::request(const QString& method, QVariantList arguments, QVariantMap options,
                               Step next) {
  // The answer comes as a signal on an object named after our connection and a token of ours;
  // listening before asking, no answer can come first.
  const QString token = QStringLiteral("orvex%1").arg(++requests_);
  QString sender = bus_.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  pendingRequest_ =
      QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
  next_ = std::move(next);
  bus_.connect(kService, pendingRequest_, kRequest, QStringLiteral("Response"), this,
               SLOT(requestAnswered(uint, QVariantMap)));
  options.insert(QStringLiteral("handle_token"), token);
  arguments.append(options);
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kScreenCast, method);
  call.setArguments(arguments);
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
    watcher->deleteLater();
    if (watcher->isError())
      fail(std::string(kPortalFailed) + watcher->error().message().toStdString());
  });
}

void ScreenCastPortal::requestAnswered(uint response, const QVariantMap& results) {
  bus_.disconnect(kService, pendingRequest_, kRequest, QStringLiteral("Response"), this,
                  SLOT(requestAnswered(uint, QVariantMap)));
  pendingRequest_.clear();
  const Step next = std::exchange(next_, nullptr);
  if (response == kAnswerSuccess && next) {
    next(results);
    return;
  }
  if (response == kAnswerCancelled) {
    // A kept permission the user has now refused is no permission.
    tokens_.forget();
    asking_ = false;
    closeSession();
    if (answers_.refused) answers_.refused();
    return;
  }
  fail(std::string(kPortalFailed) + "ポータルが要求を打ち切りました。");
}

void ScreenCastPortal::sessionClosed(const QVariantMap& /*details*/) {
  // The end of a session we closed ourselves, or one that never shared, is no news.
  if (session_.isEmpty() || asking_) return;
  session_.clear();
  if (answers_.ended) answers_.ended();
}

void ScreenCastPortal::fail(const std::string& reason) {
  asking_ = false;
  next_ = nullptr;
  closeSession();
  if (answers_.failed) answers_.failed(reason);
}

void ScreenCastPortal::closeSession() {
  if (session_.isEmpty()) return;
  bus_.disconnect(kService, session_, kSession, QStringLiteral("Closed"), this,
                  SLOT(sessionClosed(QVariantMap)));
  bus_.send(QDBusMessage::createMethodCall(kService, session_, kSession, QStringLiteral("Close")));
  session_.clear();
}

}  // namespace wayland
