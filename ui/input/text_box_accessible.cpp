#include "text_box_accessible.h"

#include <QFontMetrics>
#include <QVariant>

#include "report_accessible.h"

namespace vitayear::ui {

TextBoxAccessible::TextBoxAccessible(QLineEdit* edit, bool tellsSelection)
    : QAccessibleWidget(edit, QAccessible::EditableText), tellsSelection_(tellsSelection) {
  addControllingSignal(QStringLiteral("textChanged(const QString&)"));
  addControllingSignal(QStringLiteral("returnPressed()"));
}

QLineEdit* TextBoxAccessible::edit() const { return static_cast<QLineEdit*>(widget()); }

bool TextBoxAccessible::masked() const { return edit()->echoMode() != QLineEdit::Normal; }

QString TextBoxAccessible::text(QAccessible::Text t) const {
  if (t != QAccessible::Value) return QAccessibleWidget::text(t);
  if (!masked()) return edit()->text();
  return edit()->echoMode() == QLineEdit::NoEcho ? QString() : QString(edit()->text().size(), u'*');
}

void TextBoxAccessible::setText(QAccessible::Text t, const QString& text) {
  if (t != QAccessible::Value) return QAccessibleWidget::setText(t, text);
  edit()->setText(text);
}

QAccessible::State TextBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  if (edit()->isReadOnly())
    state.readOnly = true;
  else
    state.editable = true;
  if (masked()) state.passwordEdit = true;
  state.selectableText = true;
  return state;
}

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (t == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

void TextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || selectionCount() == 0) return;
  *startOffset = edit()->selectionStart();
  *endOffset = *startOffset + static_cast<int>(edit()->selectedText().size());
}

int TextBoxAccessible::selectionCount() const { return tellsSelection_ && edit()->hasSelectedText() ? 1 : 0; }

void TextBoxAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void TextBoxAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) edit()->deselect();
}

void TextBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) edit()->setSelection(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::cursorPosition() const { return edit()->cursorPosition(); }

void TextBoxAccessible::setCursorPosition(int position) { edit()->setCursorPosition(position); }

QString TextBoxAccessible::text(int startOffset, int endOffset) const {
  if (startOffset > endOffset || masked()) return {};
  return edit()->text().mid(startOffset, endOffset - startOffset);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                            int* endOffset) const {
  if (masked()) return *startOffset = *endOffset = -1, QString();
  return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                           int* endOffset) const {
  if (masked()) return *startOffset = *endOffset = -1, QString();
  return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                                        int* endOffset) const {
  if (masked()) return *startOffset = *endOffset = -1, QString();
  return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
}

int TextBoxAccessible::characterCount() const { return static_cast<int>(edit()->text().size()); }

QRect TextBoxAccessible::characterRect(int offset) const {
  const QString shown = edit()->displayText();
  if (offset < 0 || offset >= shown.size()) return {};
  // Measured from the caret, which is where the box has scrolled it.
  const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const QFontMetrics metrics(edit()->font());
  const int caretAt = edit()->cursorPosition();
  const int x =
      caret.center().x() + (offset >= caretAt ? metrics.horizontalAdvance(shown.mid(caretAt, offset - caretAt))
                                              : -metrics.horizontalAdvance(shown.mid(offset, caretAt - offset)));
  const QRect local(x, caret.top(), metrics.horizontalAdvance(shown.at(offset)), caret.height());
  return QRect(edit()->mapToGlobal(local.topLeft()), local.size());
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const {
  return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int endIndex) {
  edit()->setCursorPosition(endIndex);
  edit()->setCursorPosition(startIndex);
}

QString TextBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
  return NoAttributes(characterCount(), startOffset, endOffset);
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset) { replaceText(startOffset, endOffset, {}); }

void TextBoxAccessible::insertText(int offset, const QString& text) { replaceText(offset, offset, text); }

void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
}

}  // namespace vitayear::ui
