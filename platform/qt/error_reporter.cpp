#include "platform/qt/error_reporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "platform/forms/runtime_error.h"

namespace qtplatform {

void ErrorReporter::report(const forms::RuntimeError& error, QWidget* window) {
  const QString title = window != nullptr ? window->windowTitle() : QApplication::applicationName();
  const QString number = QString::number(error.number());
  const QString description = QString::fromStdString(error.description());
  if (alreadyShown(error)) return;
  std::fprintf(stderr, "%s: %s\n", qUtf8Printable(title),
               qUtf8Printable(QStringLiteral("実行時エラー '%1': %2").arg(number, description)));

  auto* box = new QMessageBox(QMessageBox::Critical, title,
                              QStringLiteral("実行時エラー '%1':\n\n%2").arg(number, description),
                              QMessageBox::Ok, window);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  box->show();
  shown_.push_back({error.number(), error.description(), box});
}

bool ErrorReporter::alreadyShown(const forms::RuntimeError& error) {
  // A closed box lingers until the event loop deletes it; hidden counts as gone.
  std::erase_if(shown_,
                [](const ShownError& shown) { return !shown.box || !shown.box->isVisible(); });
  return std::any_of(shown_.begin(), shown_.end(), [&](const ShownError& shown) {
    return shown.number == error.number() && shown.description == error.description();
  });
}

}  // namespace qtplatform
