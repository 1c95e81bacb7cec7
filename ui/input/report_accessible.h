// What a screen reader finds in the report label: its text line by line,
// each line where it stands on the screen, for review commands that walk it.
#pragma once

#include <QAccessibleWidget>
#include <QLabel>

namespace vitayear::ui {

// The report area; a class of its own so that it gets the interface below.
class ReportLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
};

class ReportAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ReportAccessible(QLabel* label);

  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  QLabel* label() const;
};

// One run of no attributes over the whole of `text`: a screen reader that
// splits a line into runs then reads it whole.
QString NoAttributes(int characterCount, int* startOffset, int* endOffset);

}  // namespace vitayear::ui
