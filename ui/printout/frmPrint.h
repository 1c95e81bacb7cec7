// The printout window: the printed page laid out as a window. It is never
// shown; it holds the seven field texts and paints them like the page.
#pragma once

#include <QWidget>

#include "controls.h"
#include "page_painter.h"

namespace vitayear::ui {

class FrmPrint : public QWidget {
  Q_OBJECT
 public:
  explicit FrmPrint(QWidget* parent = nullptr);

  void setField(PrintField field, const QString& text);
  QString field(PrintField field) const;
  const PrintoutTexts& texts() const { return texts_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PrintoutTexts texts_;
};

}  // namespace vitayear::ui
