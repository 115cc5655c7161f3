// The control that shows a lookup attribute: a key stored, a name of its row shown.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"
#include "controls/lookup_source.h"

namespace tavik {

// Version 4 writes a data combo bound to the entity's field, its rows read by a hidden data
// control; version 3 a combo box that its code fills from a recordset when the form loads
// and when the master record moves, shows the field's row in on every reposition and writes the
// chosen key back in the data control's "Validate" event.
class CLookupCtrl : public CCtrlDesc {
 public:
  static constexpr const char* kDataComboClass = "MSDBCtls.DBCombo";
  static constexpr const char* kComboBoxClass = "ComboBox";

  // row_source names the hidden data control (version 4 only). 2 for version 0, 3 for no
  // form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker,
                            LookupSource source, std::string row_source);

  // The binding, the edit mode a choice starts and the required check; 3 for an event not
  // to be had, 2 for a missing PHYSICAL_NAME.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
  // The rows' names are not known here: room for a name of middling length.
  std::optional<std::string> GetWidthSample() override;
  // Room for the drop-down button.
  std::uint16_t AdjustCtrlWidth(std::uint16_t width) override;

 private:
  [[nodiscard]] Status BindDataCombo(CDataCtrl& data_ctrl, std::string_view field_name);
  [[nodiscard]] Status BindComboBox(CDataCtrl& data_ctrl, std::string_view field_name);
  // The version-3 list filled again when the master record moves.
  [[nodiscard]] Status AddRefill(CDataCtrl& data_ctrl, const std::string& fill,
                                 const std::string& show);
  // A record whose field has no row chosen is not saved when the attribute is required.
  [[nodiscard]] Status AddRequiredCheck(CDataCtrl& data_ctrl, std::string_view empty_test);
  // The column's default, when it has one: set in a new record and shown there by the line
  // show makes of the default's value, and stored on a save when no row is chosen
  // (empty_test).
  [[nodiscard]] Status AddDefault(CDataCtrl& data_ctrl, std::string_view field_name,
                                  std::string_view empty_test,
                                  const std::function<std::string(std::string_view)>& show);

  LookupSource source_;
  std::string row_source_;
};

}  // namespace tavik
