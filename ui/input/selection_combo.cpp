#include "selection_combo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace vitayear::ui {
namespace {

// QComboBox chooses the entry that matches the typed text when its line edit
// finishes editing (focus out, Return). This edit never reports that.
class TypingOnlyEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusOutEvent(QFocusEvent* event) override {
    const QSignalBlocker quiet(this);
    QLineEdit::focusOutEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      event->accept();  // no default button, nothing to confirm
      return;
    }
    QLineEdit::keyPressEvent(event);
  }
};

}  // namespace

SelectionCombo::SelectionCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setLineEdit(new TypingOnlyEdit(this));
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);  // it would complete "fem" to "Female"
  setDuplicatesEnabled(false);
  setFocusPolicy(Qt::StrongFocus);  // not Qt's WheelFocus
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& typed) {
    if (currentIndex() < 0) return;
    const int caret = lineEdit()->cursorPosition();
    setCurrentIndex(-1);  // clears the text as well
    lineEdit()->setText(typed);
    lineEdit()->setCursorPosition(caret);
  });
  connect(this, &QComboBox::currentIndexChanged, this, &SelectionCombo::tellChoice);
  tellChoice();
}

void SelectionCombo::tellChoice() {
  setAccessibleDescription(currentIndex() < 0 ? QStringLiteral("No entry chosen") : QString());
  if (previous_ < 0 && currentIndex() >= 0 && hasFocus()) emit chosenFromNone(currentText());
  previous_ = currentIndex();
}

void SelectionCombo::appendEntry(const QString& text) {
  const QString shown = currentText();
  const int chosen = currentIndex();
  addItem(text);
  if (chosen < 0 && currentIndex() >= 0) {
    // The first entry of an empty list is chosen by Qt itself.
    setCurrentIndex(-1);
    setEditText(shown);
  }
}

void SelectionCombo::wheelEvent(QWheelEvent* event) {
  if (hasFocus())
    QComboBox::wheelEvent(event);
  else
    event->ignore();
}

}  // namespace vitayear::ui
