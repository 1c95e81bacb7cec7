// One assessment: reads the input controls, computes the figures and writes
// the report and the printout, or stops at the first input it refuses.
#pragma once

#include "controls.h"

namespace vitayear {

enum class Outcome {
  NoSex,       // "You need to choose the sex of the person"
  NoLanguage,  // "You need to choose the print language"
  Refused,     // "Please type in a valid number", focus in the refused box
  Completed,   // report written, printout filled
};

Outcome Assess(Controls& controls);

}  // namespace vitayear
