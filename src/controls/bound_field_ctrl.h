// The base of the text controls bound to one field: the text box and the masked edit box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"
#include "form/event_desc.h"

namespace tavik {

class CBoundFieldCtrl : public CCtrlDesc {
 public:
  // The control's entry in the entity's control array, set up by the form's timer.
  [[nodiscard]] Status AddControlRef(int* index) override;
  // Stores a null in the field when the control is left empty; 4 without a data control.
  [[nodiscard]] Status DoEmptyIsNull() override;

 protected:
  // Appends code to a body piece: new sub-events go last, text after what is there; 1
  // without the event.
  [[nodiscard]] static Status AppendCode(CEventDesc* event, SubEvent sub_event,
                                         std::string_view code);
  // The name of the valid-value list's array in the form's code.
  std::string ListArrayName(std::string_view list_id) const;

  // "DataSource" and "DataField".
  [[nodiscard]] Status BindToField(const CDataCtrl& data_ctrl, std::string_view field_name);
  // The record is not saved while the control is empty.
  [[nodiscard]] Status AddRequiredCheck(CDataCtrl& data_ctrl, std::string_view physical_name);
  // A column with a rule its value keeps ("CD_VLR"): the record is not saved while the
  // control's text breaks it, with the rule's message ("CD_VLT"). A rule the form cannot
  // check is kept as a comment where the check would be.
  [[nodiscard]] Status AddRuleCheck(CDataCtrl& data_ctrl, std::string_view physical_name);
  // Typing puts the data control into edit mode; the control counts among the entity's
  // registered controls, though its code needs no index.
  [[nodiscard]] Status AddEditModeSwitch(const CDataCtrl& data_ctrl);
  // The typed display value becomes the stored value, through the list's array, before the
  // record is saved; with reject_unknown a value not in the list keeps the record unsaved.
  [[nodiscard]] Status AddTranslationToData(CDataCtrl& data_ctrl, std::string_view field,
                                            std::string_view list_array,
                                            std::string_view physical_name, bool reject_unknown);
  // Adds code to the entity's procedure that puts a record on the screen.
  [[nodiscard]] Status AppendToSetToScreen(std::string_view code);
  // That procedure's code, for code appended to it in place; null without a form.
  std::string* SetToScreenCode();
  // A column with a default ("CD_DEF"): a new record's box starts with it, and a box left
  // empty is saved with it, since the database fills a default only into a column an
  // insert leaves out. Nothing for a column without one.
  [[nodiscard]] Status AddDefaultFill(CDataCtrl& data_ctrl);
};

}  // namespace tavik
