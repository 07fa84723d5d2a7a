#include "platform/qt/text_box_peer.h"

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>
#include <utility>

namespace qtplatform {
namespace {

constexpr QLatin1String kRuntimeLineBreak("\r\n");
constexpr QLatin1String kEditorLineBreak("\n");

// A widget that runs a task when it first shows, whether shown itself or with its window.
class ShowingFrame final : public QWidget {
 public:
  ShowingFrame(QWidget& parent, std::function<void()> firstShown)
      : QWidget(&parent), firstShown_(std::move(firstShown)) {}

 protected:
  void showEvent(QShowEvent* event) override {
    if (firstShown_) std::exchange(firstShown_, nullptr)();
    QWidget::showEvent(event);
  }

 private:
  std::function<void()> firstShown_;
};

}  // namespace

QtTextBoxPeer::QtTextBoxPeer(QWidget& parent, forms::PeerListener& listener)
    : QtWidgetPeer(new ShowingFrame(parent, [this] { makeEditor(); }), listener),
      listener_(listener) {
  auto* layout = new QVBoxLayout(&widget());
  layout->setContentsMargins(0, 0, 0, 0);
  widget().setFocusPolicy(Qt::StrongFocus);
}

void QtTextBoxPeer::setMultiLine(bool multiLine, bool verticalScrollBar) {
  multiLine_ = multiLine;
  verticalScrollBar_ = verticalScrollBar;
  if (editor_ != nullptr) makeEditor();
}

// Replaces the editor, if any, with one of the current kind, showing the text.
void QtTextBoxPeer::makeEditor() {
  delete editor_;
  editor_ = multiLine_ ? makeMultiLineEditor() : makeSingleLineEditor();
  widget().layout()->addWidget(editor_);
  widget().setFocusProxy(editor_);
  pointerReporter().watch(*editor_);
  showText();
  // Children made in a frame already showing wait for an explicit show, and for a layout pass.
  if (widget().isVisible()) {
    widget().layout()->activate();
    editor_->show();
  }
}

QWidget* QtTextBoxPeer::makeSingleLineEditor() {
  auto* editor = new QLineEdit(&widget());
  // textEdited is the user's typing only; setText does not raise it.
  QObject::connect(editor, &QLineEdit::textEdited, editor,
                   [this](const QString& shown) { userEdited(shown); });
  return editor;
}

QWidget* QtTextBoxPeer::makeMultiLineEditor() {
  auto* editor = new QPlainTextEdit(&widget());
  editor->setVerticalScrollBarPolicy(verticalScrollBar_ ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
  // Without a horizontal scroll bar the lines wrap at the box's width.
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [this, editor] {
    userEdited(editor->toPlainText().replace(kEditorLineBreak, kRuntimeLineBreak));
  });
  return editor;
}

void QtTextBoxPeer::setBackColor(graphics::Pixel color) {
  // The editors inherit the frame's palette, also one made later.
  QPalette palette = widget().palette();
  palette.setColor(QPalette::Base, QColor::fromRgb(color));
  widget().setPalette(palette);
}

void QtTextBoxPeer::setText(const std::string& text) {
  text_ = text;
  showText();
}

void QtTextBoxPeer::showText() {
  if (editor_ == nullptr) return;  // the editor shows it when it is made
  QString text = QString::fromStdString(text_);
  // The program's text is not a user edit: the editor's signals stay quiet.
  const QSignalBlocker quiet(editor_);
  if (auto* lines = qobject_cast<QPlainTextEdit*>(editor_)) {
    lines->setPlainText(text.replace(kRuntimeLineBreak, kEditorLineBreak));
  } else {
    qobject_cast<QLineEdit*>(editor_)->setText(text);
  }
}

void QtTextBoxPeer::userEdited(const QString& text) {
  text_ = text.toStdString();
  listener_.peerTextEdited(text_);
}

}  // namespace qtplatform
