#include "platform/x11/qt/wayland_notice.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

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
  auto* box = new QMessageBox(QMessageBox::Warning, QApplication::applicationName(),
                              whatFails + QStringLiteral("\n\n") + whatToDo, QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
}

}  // namespace x11
