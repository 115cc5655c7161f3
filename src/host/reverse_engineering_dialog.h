// The reverse-engineering dialog as a model: the lists of running forms, their controls,
// properties and data fields, the Value field and the actions, apart from any window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "tavikfw/client.h"

namespace tavik {

class CCtrlDesc;
class CDataDesc;
class CFormDesc;
class CNxProperty;
class Registry;
class ReverseEngineeringFrontend;

class CReverseEngineeringDlg {
 public:
  static constexpr std::string_view kTitle = "Tavik Reverse Engineering";
  static constexpr std::string_view kTemplateName = "TAVIKDLG";
  // The template's size in dialog units.
  static constexpr int kWidthUnits = 314;
  static constexpr int kHeightUnits = 165;
  // The message that asks an open dialog to list the forms again (user message base + 4000).
  static constexpr unsigned kRefreshMessage = 5024;
  // Item ids of the template.
  static constexpr int kControlsListId = 1000;
  static constexpr int kPropertiesListId = 1001;
  static constexpr int kValueId = 1004;
  static constexpr int kFormsListId = 1005;
  static constexpr int kDataFieldsListId = 1007;
  static constexpr int kOkId = 1;
  static constexpr int kCancelId = 2;
  static constexpr int kGenerateId = 3;
  static constexpr int kSmartReId = 4;

  struct Position {
    int left;
    int top;
  };
  // What the dialog shows, as plain names: all a window needs to draw it.
  struct Lists {
    std::vector<std::string> forms;
    std::vector<std::string> controls;
    std::vector<std::string> properties;
    std::vector<std::string> data_fields;  // field name, a tab, table name
    std::string value;
    std::optional<std::size_t> selected_form;
    std::optional<std::size_t> selected_control;
    std::optional<std::size_t> selected_property;
  };

  // start_form_manager: the form-manager object of the form the dialog was opened for; its
  // version chooses the forms listed. The frontend may be none (nothing is shown then).
  CReverseEngineeringDlg(Registry& registry, void* start_form_manager,
                         ReverseEngineeringFrontend* frontend);

  // Centred horizontally, a third of the free height from the top.
  static Position Place(int screen_width, int screen_height, int dialog_width, int dialog_height);

  // Lists the forms of the start form's version and shows the first; then attaches the data
  // sources that the client collected since the last Smart RE.
  void OnInitDialog();
  void OnFormSelected(std::size_t index);
  void OnControlSelected(std::size_t index);
  void OnPropertySelected(std::size_t index);
  // Builds the selected form anew in the environment through the client; the dialog stays.
  [[nodiscard]] Status OnGenerate();
  void OnOK() { Close(1); }
  void OnCancel() { Close(0); }
  // Marks every listed form for data-source collection, tells the client and closes.
  void OnSmartRE();
  // Another request for the dialog while it is open: the forms of that form's version,
  // that form chosen. A window's refresh message carries the form as an address alone.
  void OnRefresh(CFormDesc* form);
  void OnRefresh(const void* form_address);
  // The registry is about to destroy the form: it leaves the lists.
  void OnFormRemoved(CFormDesc* form);

  Lists Shown() const;
  // The lists one entry at a time, as Shown() gives them but without copying them.
  std::size_t FormCount() const { return forms_.size(); }
  const std::string& FormName(std::size_t index) const { return forms_[index].name; }
  std::size_t ControlCount() const { return controls_.size(); }
  const std::string& ControlName(std::size_t index) const { return controls_[index].name; }
  std::size_t PropertyCount() const { return properties_.size(); }
  const std::string& PropertyName(std::size_t index) const { return properties_[index].name; }
  // The control listed at index, for a reader that also walks the controls inside it.
  const CCtrlDesc& ListedControl(std::size_t index) const { return *controls_[index].control; }
  // Each entry: field name, a tab, table name.
  const std::vector<std::string>& DataFields() const { return data_fields_; }
  const std::string& Value() const { return value_; }
  std::optional<std::size_t> SelectedForm() const { return selected_form_; }
  std::optional<std::size_t> SelectedControl() const { return selected_control_; }
  std::optional<std::size_t> SelectedProperty() const { return selected_property_; }

  bool IsClosed() const { return end_value_.has_value(); }
  // 1 for OK and Smart RE, 0 for Cancel (and while open).
  std::uint32_t EndValue() const { return end_value_.value_or(0); }

 private:
  struct FormEntry {
    std::string name;
    CFormDesc* form;
    bool controls_read;
  };
  struct ControlEntry {
    std::string name;
    CCtrlDesc* control;
  };
  struct PropertyEntry {
    std::string name;
    const CNxProperty* property;
  };

  bool FillForms(std::string_view name, std::uint16_t version);
  std::size_t ChooseForm(std::string_view name) const;
  bool ReadControls(FormEntry& entry);
  void ListControls(CFormDesc& form);
  void ShowControl(std::size_t index);
  void ClearControls();
  void ClearControlDetails();
  void CompleteSmartRE();
  bool AttachDataSources(CDataDesc& description);
  void Close(std::uint32_t end_value) { end_value_ = end_value; }

  Registry& registry_;
  void* start_form_manager_;
  ReverseEngineeringFrontend* frontend_;
  std::vector<FormEntry> forms_;
  std::vector<ControlEntry> controls_;
  std::vector<PropertyEntry> properties_;
  std::vector<std::string> data_fields_;
  std::string value_;
  std::optional<std::size_t> selected_form_;
  std::optional<std::size_t> selected_control_;
  std::optional<std::size_t> selected_property_;
  std::optional<std::uint32_t> end_value_;
};

// Shows the dialog to the user: a window, a terminal, or scripted choices in tests.
class ReverseEngineeringFrontend {
 public:
  virtual ~ReverseEngineeringFrontend() = default;
  // The main window of the environment the dialog belongs to; 0 when there is none, and
  // then the dialog does not open.
  virtual TVK_HANDLE FindEnvironmentWindow() = 0;
  // Shows the dialog modally over the owner, opening it with OnInitDialog and passing the
  // user's choices to it, and returns once the dialog is closed.
  virtual void Run(CReverseEngineeringDlg& dialog, TVK_HANDLE owner) = 0;
  // Puts a running form's window directly behind the dialog, neither moving, sizing nor
  // activating it.
  virtual void PutBehindDialog(TVK_HANDLE /*form_window*/) {}
  // The lists changed without the user acting on the dialog; show them anew.
  virtual void ListsChanged(CReverseEngineeringDlg& /*dialog*/) {}
};

}  // namespace tavik
