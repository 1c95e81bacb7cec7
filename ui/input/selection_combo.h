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

 protected:
  // The wheel changes the entry only while the list has the keyboard focus:
  // scrolling the window past it must neither pick an entry nor move the focus.
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace vitayear::ui
