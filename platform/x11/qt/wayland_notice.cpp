#include "platform/x11/qt/wayland_notice.h"

#include <QApplication>
#include <cstdio>

#include "platform/qt/message_window.h"

namespace x11 {
namespace {

constexpr const char* kWhatFails =
    "Wayland のセッションで動いています (XWayland)。Wayland のセッションでは、"
    "X11 のプログラムであるこのツールには画面が見えません。キャプチャーとビデオは画面を"
    "読み取れず (エラーになります)、マウスの位置も X11 のウィンドウの上でしか分かりません。";
constexpr const char* kWhatToDo =
    "X11 のセッションで使ってください: いったんログアウトし、ログイン画面でセッションの種類に"
    "「Xorg」または「X11」(例: 「GNOME on Xorg」、「Plasma (X11)」) を選んでからログインします。";

}  // namespace

void showWaylandNotice() {
  const QString whatFails = QString::fromUtf8(kWhatFails);
  const QString whatToDo = QString::fromUtf8(kWhatToDo);
  std::fprintf(stderr, "%s: %s %s\n", qUtf8Printable(QApplication::applicationName()),
               qUtf8Printable(whatFails), qUtf8Printable(whatToDo));
  auto* notice = new qtplatform::MessageWindow(
      qtplatform::MessageWindow::Kind::Warning, QApplication::applicationName(),
      whatFails + QStringLiteral("\n\n") + whatToDo, nullptr);
  notice->showWhereSeen();
}

}  // namespace x11
