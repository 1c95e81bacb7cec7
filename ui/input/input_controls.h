// The engine's view of the input window and its printout.
#pragma once

#include "controls.h"

namespace vitayear::ui {

class FrmInput;

class InputControls final : public Controls {
 public:
  explicit InputControls(FrmInput& form) : form_(form) {}

  std::string Text(TextBox box, int index) const override;
  void SetText(TextBox box, int index, std::string_view text) override;
  void Focus(TextBox box, int index) override;
  int ListIndex(List list) const override;
  void SetResultCaption(std::string_view caption) override;
  void SetPrintField(PrintField field, std::string_view text) override;
  void ShowMessage(std::string_view text) override;

 private:
  FrmInput& form_;
};

}  // namespace vitayear::ui
