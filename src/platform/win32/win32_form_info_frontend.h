// The form-information dialog as a Windows dialog from template 201.
#pragma once

#include "host/form_info_dialog.h"

namespace tavik {

// Runs the dialog modally over the active window; the dialog's model decides what the
// buttons do and this window shows the model's fields in the edit controls. For a client
// that generates live the filespec row is hidden and the dialog shrinks by the space it
// took. A dialog that cannot be shown counts as cancelled.
class Win32FormInfoFrontend : public FormInfoFrontend {
 public:
  DialogResult Run(CFormInfoDlg& dialog, bool client_generates_live) override;
};

}  // namespace tavik
