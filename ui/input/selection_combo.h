// An editable combo box whose entry is chosen only from its list or by the
// program. Typing never adds an entry and never chooses one, and typing after
// a pick leaves no entry chosen: the assessment reads the chosen entry, so a
// typed "Female" must not pass for a picked one.
#pragma once

#include <QComboBox>

namespace vitayear::ui {

class SelectionCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit SelectionCombo(QWidget* parent = nullptr);

  // Appends an entry without choosing it; the shown text stays as it was.
  void appendEntry(const QString& text);

 signals:
  // An entry was chosen with the focus on a list that had none chosen:
  // its text may well have been shown already, so that nothing changed
  // that a screen reader would read out by itself.
  void chosenFromNone(const QString& entry);

 protected:
  // The wheel changes the entry only while the list has the keyboard focus:
  // scrolling the window past it must neither pick an entry nor move the focus.
  void wheelEvent(QWheelEvent* event) override;

 private:
  // A screen reader hears whether an entry is chosen: the text alone does
  // not tell, since a list with none chosen shows the first entry's.
  void tellChoice();

  int previous_ = -1;  // the entry chosen before the last change
};

}  // namespace vitayear::ui
