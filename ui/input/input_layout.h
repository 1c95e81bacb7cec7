// Every control of the input window, in focus order, as one table. The
// window is built by walking it; nothing else places or sizes a control.
#pragma once

#include <array>

#include "controls.h"

namespace vitayear::ui {

enum class Kind { TextBox, Label, ComboBox, Button };
enum class Button { Printing, Clear, Compute };

// What a control is to the program, besides its place on the window.
struct Role {
  enum class Of { Caption, Unit, Result, Box, List, Button } of;
  TextBox box = TextBox::UsrName;  // Box, and the field a Caption names
  List list = List::Sex;           // List, and the list a Caption names
  Button button = Button::Compute;
  int index = 0;                   // Habit index
  bool namesList = false;          // a Caption naming a list rather than a box
};

struct ControlSpec {
  const char* name;
  Kind kind;
  const char* caption;
  int left, top, width, height;  // twips
  const char* face;
  double points;
  bool cyrillic;  // shows Cyrillic text (character set 204)
  Role role;
};

struct WindowSpec {
  const char* name;
  const char* title;
  int width, height;  // client area, twips
};

inline constexpr WindowSpec kInputWindow = {"frmInput", "Vitayear", 11925, 10530};

extern const std::array<ControlSpec, 30> kInputLayout;

}  // namespace vitayear::ui
