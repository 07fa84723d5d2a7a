#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <string>
#include <vector>

#include "platform/wayland/restore_token_store.h"
#include "platform/wayland/shared_screen.h"

namespace wayland {

// The desktop's ScreenCast portal: asks the user, once, which monitors to share, with the
// pointer's place as metadata of every frame, and remembers the answer (a restore token) so
// that later starts share at once without asking. Every step is a call that answers later: the
// event loop runs on while the user looks at the dialog.
class ScreenCastPortal final : public QObject {
  Q_OBJECT

 public:
  struct Answers {
    // The user shares these monitors; the PipeWire remote's descriptor is the receiver's.
    std::function<void(int remoteFd, const std::vector<SharedMonitor>& monitors)> shared;
    // The user said no.
    std::function<void()> refused;
    // Sharing cannot work on this desktop, or the portal failed: why, for the user.
    std::function<void(const std::string& reason)> failed;
    // The sharing ended from the desktop's side (the user stopped it there).
    std::function<void()> ended;
  };

  ScreenCastPortal(RestoreTokenStore tokens, Answers answers);
  ~ScreenCastPortal() override;
  ScreenCastPortal(const ScreenCastPortal&) = delete;
  ScreenCastPortal& operator=(const ScreenCastPortal&) = delete;

  // Starts asking; nothing while an ask is under way.
  void ask();
  bool asking() const { return asking_; }

 private:
  using Step = std::function<void(const QVariantMap& results)>;
  void askWith(const QVariantMap& properties);
  void request(const QString& method, QVariantList arguments, QVariantMap options, Step next);
  void selectSources();
  void startSharing();
  void openRemote(const std::vector<SharedMonitor>& monitors);
  void fail(const std::string& reason);
  void closeSession();

  QDBusConnection bus_;
  RestoreTokenStore tokens_;
  Answers answers_;
  bool asking_ = false;
  bool persists_ = false;  // the portal keeps permissions (version 4 and later)
  unsigned requests_ = 0;
  QString pendingRequest_;
  Step next_;
  QString session_;

 private Q_SLOTS:  // NOLINT(readability-redundant-access-specifiers): moc needs its own section
  void requestAnswered(uint response, const QVariantMap& results);
  void sessionClosed(const QVariantMap& details);
};

}  // namespace wayland
