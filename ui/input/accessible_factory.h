// The program's own accessible interfaces, where Qt's tell a screen reader
// too little: the input window as a frame with its title, the report read
// line by line and announced, and text boxes read whole.
#pragma once

namespace vitayear::ui {

// Once per process, before the first window is shown.
void InstallAccessibleInterfaces();

}  // namespace vitayear::ui
