// The form-information dialog as a model: its fields, its opening, Browse, OK and Cancel.
#pragma once

#include <string>

#include "base/status.h"

namespace tavik {

class CFormDesc;

class CFormInfoDlg {
 public:
  static constexpr int kTemplateId = 201;
  static constexpr std::size_t kMaxText = 80;

  // The fields, bound to the dialog's edit controls 1014, 1015, 1020, 1018 and 1017.
  std::string connect_string;
  std::string database_string;
  std::string filespec;
  std::string caption;
  std::string form_name;
  // Not a field of the window: forms made from a database open a relative database name in
  // the application's folder.
  bool database_in_app_folder = false;

  explicit CFormInfoDlg(CFormDesc* form) : form_(form) {}

  // Prepares the dialog: the prompt, the filespec row (hidden for a live client) and the
  // connect and database strings kept in the settings file.
  void OnInitDialog(bool client_generates_live);
  // Asks for a file; the chosen path becomes the filespec.
  void OnBrowse();
  // Checks the fields and, when they pass, fills the form and keeps the connect and
  // database strings; false keeps the dialog open (the user was told why).
  bool OnOK();

  bool AsksForFilespec() const { return ask_for_filespec_; }
  // The text of the prompt control 1016.
  const std::string& Prompt() const { return prompt_; }

 private:
  bool CheckFormName();
  bool EnsureFilespec();
  void FillForm();
  void KeepSettings();

  CFormDesc* form_;
  bool ask_for_filespec_ = true;
  std::string prompt_;
};

// What the dialog a host runs itself (through the exported dialog procedure) reads from its
// fields; the procedure knows the form only as the address the host gave it.
struct FormInfoFields {
  std::string filespec;
  std::string connect_string;
  std::string database_string;
  std::string form_name;
  std::string caption;
};

// Fills the form description at that address: the filespec and the two strings always, the
// name and the caption only when there is a name (the procedure refuses an empty one).
void FillFormDescription(void* form, const FormInfoFields& fields);

// How the dialog ended.
enum class DialogResult { kAccepted, kCancelled };

// Shows the dialog to the user (a window, a terminal, scripted answers).
class FormInfoFrontend {
 public:
  virtual ~FormInfoFrontend() = default;
  virtual DialogResult Run(CFormInfoDlg& dialog, bool client_generates_live) = 0;
};

}  // namespace tavik
