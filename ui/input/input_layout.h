// Every control of the input window, in focus order, as one table. The
// window is built by walking it; nothing else places or sizes a control.
#pragma once

#include <array>
#include <span>

#include "controls.h"

namespace vitayear::ui {

enum class Kind { TextBox, Label, ComboBox, Button };
enum class Button { Printing, Clear, Compute };
inline constexpr std::array kButtons = {Button::Printing, Button::Clear, Button::Compute};

// What a control is to the program, besides its place on the window.
struct Role {
  enum class Of { Control, Caption, Unit, Result } of = Of::Control;
  TextBox box = TextBox::UsrName;  // Box, and the field a Caption or Unit belongs to
  List list = List::Sex;           // List, and the list a Caption names
  Button button = Button::Compute;
  int index = 0;            // Habit index
  bool namesList = false;   // a Caption naming a list rather than a box
  const char* spoken = "";  // a Unit as a screen reader says it
};

struct ControlSpec {
  const char* name;
  Kind kind;
  const char* caption;
  int left, top, width, height;  // twips
  const char* face;
  double points;
  Role role;
};

struct WindowSpec {
  const char* name;
  const char* title;
  int width, height;  // client area, twips
};

inline constexpr WindowSpec kInputWindow = {"frmInput", "Vitayear", 11925, 10530};

extern const std::span<const ControlSpec> kInputLayout;

}  // namespace vitayear::ui
