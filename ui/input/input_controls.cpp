#include "input_controls.h"

#include <QByteArrayView>
#include <QLineEdit>

#include "frmInput.h"
#include "frmPrint.h"
#include "selection_combo.h"

namespace vitayear::ui {
namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(QByteArrayView(text.data(), qsizetype(text.size()))); }

}  // namespace

std::string InputControls::Text(TextBox box, int index) const { return form_.box(box, index)->text().toStdString(); }

void InputControls::SetText(TextBox box, int index, std::string_view text) {
  form_.box(box, index)->setText(FromUtf8(text));
}

void InputControls::Focus(TextBox box, int index) { form_.box(box, index)->setFocus(Qt::OtherFocusReason); }

int InputControls::ListIndex(List list) const { return form_.list(list)->currentIndex(); }

void InputControls::SetResultCaption(std::string_view caption) { form_.setResultCaption(FromUtf8(caption)); }

void InputControls::SetPrintField(PrintField field, std::string_view text) {
  form_.printout().setField(field, FromUtf8(text));
}

void InputControls::ShowMessage(std::string_view text) { form_.showMessage(FromUtf8(text)); }

}  // namespace vitayear::ui
