#include "platform/qt/message_window.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <optional>

namespace qtplatform {
namespace {

// Longer lines wrap, as in Qt's own message boxes.
constexpr int kWidestLine = 500;

// Where a window can be seen: a screen without a size (no monitor on) shows nothing.
std::optional<QRect> seenArea(const QWidget* window) {
  if (window != nullptr && !window->screen()->geometry().isEmpty()) {
    return window->screen()->availableGeometry();
  }
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (!screen->geometry().isEmpty()) return screen->availableGeometry();
  }
  return std::nullopt;
}

// `place` moved as little as it takes to lie within `area`, its top left first where it is too
// large to.
QRect keptWithin(QRect place, const QRect& area) {
  place.moveLeft(std::max(area.left(), std::min(place.left(), area.right() + 1 - place.width())));
  place.moveTop(std::max(area.top(), std::min(place.top(), area.bottom() + 1 - place.height())));
  return place;
}

QStyle::StandardPixmap iconOf(MessageWindow::Kind kind) {
  return kind == MessageWindow::Kind::Error ? QStyle::SP_MessageBoxCritical
                                            : QStyle::SP_MessageBoxWarning;
}

}  // namespace

MessageWindow::MessageWindow(Kind kind, const QString& title, const QString& text, QWidget* window)
    : QDialog(window), window_(window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  auto* icon = new QLabel(this);
  const int iconSide = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(iconOf(kind), nullptr, this).pixmap(iconSide, iconSide));
  auto* message = new QLabel(text, this);
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (message->sizeHint().width() > kWidestLine) {
    message->setWordWrap(true);
    message->setMinimumWidth(kWidestLine);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(message, 0, 1);
  layout->addWidget(buttons, 1, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageWindow::showWhereSeen() {
  placeWhereSeen();
  show();
  raise();
}

void MessageWindow::paintEvent(QPaintEvent* event) {
  seen_ = true;
  QDialog::paintEvent(event);
}

// A window that we place ourselves, Qt does not move again when it shows.
void MessageWindow::placeWhereSeen() {
  adjustSize();
  const std::optional<QRect> area = seenArea(window_);
  QRect place(QPoint(), size());
  if (window_ != nullptr) {
    place.moveCenter(window_->frameGeometry().center());
  } else if (area) {
    place.moveCenter(area->center());
  }
  move((area ? keptWithin(place, *area) : place).topLeft());
}

}  // namespace qtplatform
