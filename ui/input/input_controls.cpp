#include "input_controls.h"

#include <QLineEdit>

#include "engine_text.h"
#include "frmInput.h"
#include "frmPrint.h"
#include "selection_combo.h"

namespace vitayear::ui {
std::string InputControls::Text(TextBox box, int index) const { return ToEngineText(form_.box(box, index)->text()); }

void InputControls::SetText(TextBox box, int index, std::string_view text) {
  form_.box(box, index)->setText(FromEngineText(text));
}

void InputControls::Focus(TextBox box, int index) { form_.box(box, index)->setFocus(Qt::OtherFocusReason); }

int InputControls::ListIndex(List list) const { return form_.list(list)->currentIndex(); }

void InputControls::SetResultCaption(std::string_view caption) { form_.setResultCaption(FromEngineText(caption)); }

void InputControls::SetPrintField(PrintField field, std::string_view text) {
  form_.printout().setField(field, FromEngineText(text));
}

void InputControls::ShowMessage(std::string_view text) { form_.showMessage(FromEngineText(text)); }

}  // namespace vitayear::ui
