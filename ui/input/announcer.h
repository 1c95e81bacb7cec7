// Says a text to a screen reader, once, without moving the keyboard focus:
// the report after Compute, an entry chosen in a list. Nothing to see.
#pragma once

#include <QWidget>

namespace vitayear::ui {

class Announcer : public QWidget {
  Q_OBJECT
 public:
  explicit Announcer(QWidget* window);

  // `about`: the control the text is about.
  void announce(QWidget* about, const QString& text);
};

}  // namespace vitayear::ui
