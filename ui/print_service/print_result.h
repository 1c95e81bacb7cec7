// What the operator is told of a print.
#pragma once

#include <QString>

namespace vitayear::ui {

struct PrintResult {
  bool ok = false;
  QString problem;  // what went wrong, for a person to read; empty when ok
  QString notice;   // something worth knowing although the page was queued
};

}  // namespace vitayear::ui
