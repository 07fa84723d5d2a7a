#include "platform/qt/error_reporter.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "platform/forms/runtime_error.h"
#include "platform/qt/message_window.h"

namespace qtplatform {

void ErrorReporter::report(const forms::RuntimeError& error, QWidget* window) {
  if (MessageWindow* shown = shownFor(error)) {
    // Up but not seen (put where no screen shows it, say): no use waiting for the user there.
    if (!shown->seen()) shown->showWhereSeen();
    return;
  }
  const QString title = window != nullptr ? window->windowTitle() : QApplication::applicationName();
  const QString number = QString::number(error.number());
  const QString description = QString::fromStdString(error.description());
  std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title),
               qUtf8Printable(QStringLiteral("実行時エラー '%1': %2").arg(number, description)));
  auto* message = new MessageWindow(
      MessageWindow::Kind::Error, title,
      QStringLiteral("実行時エラー '%1':\n\n%2").arg(number, description), window);
  message->showWhereSeen();
  shown_.push_back({error.number(), error.description(), message});
}

MessageWindow* ErrorReporter::shownFor(const forms::RuntimeError& error) {
  // A closed message lingers until the event loop deletes it; hidden counts as gone.
  std::erase_if(shown_, [](const ShownError& shown) {
    return !shown.message || !shown.message->isVisible();
  });
  const auto shown = std::find_if(shown_.begin(), shown_.end(), [&](const ShownError& candidate) {
    return candidate.number == error.number() && candidate.description == error.description();
  });
  return shown != shown_.end() ? shown->message.data() : nullptr;
}

}  // namespace qtplatform
