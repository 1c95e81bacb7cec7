// The headers the windows, the dialog and the tests include: libcups's
// declarations stay inside the print service's own files. Compiling this
// file is the check.
#include "credentials_dialog.h"
#include "frmInput.h"
#include "frmPrint.h"
#include "paper.h"
#include "print_page.h"

#ifdef _CUPS_CUPS_H_
#error "a header outside the print service's own files includes libcups's headers"
#endif
