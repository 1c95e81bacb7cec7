#include "frmPrint.h"

#include <QPainter>

#include "print_layout.h"
#include "twips.h"

namespace vitayear::ui {

FrmPrint::FrmPrint(QWidget* parent) : QWidget(parent, Qt::Window), texts_(InitialPrintoutTexts()) {
  setObjectName(QStringLiteral("frmPrint"));
  setWindowTitle(QStringLiteral("Printout"));
  setFixedSize(Pixels(kPrintWindowWidth), Pixels(kPrintWindowHeight));
  setAttribute(Qt::WA_DontShowOnScreen);
}

void FrmPrint::setField(PrintField field, const QString& text) {
  texts_[field] = text;
  update();
}

QString FrmPrint::field(PrintField field) const { return texts_[field]; }

void FrmPrint::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintPrintout(painter, texts_, {0, 0});
}

}  // namespace vitayear::ui
