#include "platform/qt/text_box_peer.h"

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace qtplatform {
namespace {

constexpr QLatin1String kRuntimeLineBreak("\r\n");
constexpr QLatin1String kEditorLineBreak("\n");

}  // namespace

QtTextBoxPeer::QtTextBoxPeer(QWidget& parent, forms::PeerListener& listener)
    : QtWidgetPeer(new QWidget(&parent), listener), listener_(listener) {
  auto* layout = new QVBoxLayout(&widget());
  layout->setContentsMargins(0, 0, 0, 0);
  widget().setFocusPolicy(Qt::StrongFocus);
  replaceEditor(makeSingleLineEditor());
}

void QtTextBoxPeer::setMultiLine(bool multiLine, bool verticalScrollBar) {
  replaceEditor(multiLine ? makeMultiLineEditor(verticalScrollBar) : makeSingleLineEditor());
}

QWidget* QtTextBoxPeer::makeSingleLineEditor() {
  auto* editor = new QLineEdit(&widget());
  // textEdited is the user's typing only; setText does not raise it.
  QObject::connect(editor, &QLineEdit::textEdited, editor,
                   [this](const QString& shown) { userEdited(shown); });
  return editor;
}

QWidget* QtTextBoxPeer::makeMultiLineEditor(bool verticalScrollBar) {
  auto* editor = new QPlainTextEdit(&widget());
  editor->setVerticalScrollBarPolicy(verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAlwaysOff);
  // Without a horizontal scroll bar the lines wrap at the box's width.
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [this, editor] {
    userEdited(editor->toPlainText().replace(kEditorLineBreak, kRuntimeLineBreak));
  });
  return editor;
}

void QtTextBoxPeer::replaceEditor(QWidget* editor) {
  delete editor_;
  editor_ = editor;
  widget().layout()->addWidget(editor);
  widget().setFocusProxy(editor);
  pointerReporter().watch(*editor);
  showText();
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
