// The combo box that offers the entries of an attribute's valid-value list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "controls/ctrl_desc.h"

namespace tavik {

class CNxPropertySection;

// Pieces shared by the controls that pick a value from a valid-value list or switch their
// entity into edit mode when clicked: combo box, list box and check box.
namespace list_controls {

// The form's valid-value list named by the attribute's "VLD_LISTID", or none.
CNxPropertySection* ValidValueListOf(const CCtrlDesc& control);
// The longest entry name of the list (the first of equal lengths), "DefaultWidth" for a list
// without entries, or none when the attribute has no list.
std::optional<std::string> LongestEntryName(const CCtrlDesc& control);
// Fills the control from the list's array when the form loads; 3 without the "Load" event.
[[nodiscard]] Status AddListLoading(CCtrlDesc& control, std::string_view list_name);
// A click or a key press marks the entity's record as bound and puts its data control into
// edit mode once the form is loaded; a click the code makes itself (bNoClick) does not.
enum class EditTrigger { kClick, kKeyPress };
[[nodiscard]] Status AddEditModeCode(CEventDesc* event, EditTrigger trigger,
                                     std::string_view entity, std::string_view data);

// The column default ("CD_DEF") of the control's attribute; none without one.
std::optional<std::string> ColumnDefault(const CCtrlDesc& control);
// Puts show_line, which shows a column's default in the control, into the entity's
// "_SetDefaults" procedure; the clicks it makes do not count as the user's edits.
[[nodiscard]] Status AddDefaultShowing(CCtrlDesc& control, std::string_view show_line);

// How a combo box and a list box differ in their binding.
struct ListBinding {
  bool key_press;           // the control's "KeyPress" event switches to edit mode too
  std::string_view empty;   // the test of a required control left without a choice
  std::string_view reject;  // the edit-style option that rejects values not in the list
};
// The edit-mode code, the required check, the write-back of the chosen entry in the data
// control's "Validate" event and the selection of the field's entry in "_SetToScreen"; a
// column's default is chosen for a new record and stored when no entry is chosen.
[[nodiscard]] Status BindListControl(CCtrlDesc& control, CDataCtrl* data_ctrl,
                                     std::string_view field_name, const ListBinding& binding);

}  // namespace list_controls

class CComboBoxCtrl : public CCtrlDesc {
 public:
  // Edit-style options: sorting, text limit and style (drop-down or simple).
  static const ESDESC style_lookup[];

  // 2 for version 0, 3 for no form.
  [[nodiscard]] Status Init(std::uint16_t version, FormContext* form, CtrlMaker* maker);

  // Fills the combo box from the list array named list_name + "_List" when the form loads.
  [[nodiscard]] Status SetupList(std::string_view list_name);

  // Edit mode on click and key press, the required check and the translation between the
  // chosen entry and the field; 2 for a missing PHYSICAL_NAME or VLD_LISTID, 3 for an
  // event not to be had, 4 for an attribute without entity.
  [[nodiscard]] Status BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                   int extra) override;
  // Measured by the longest entry of the list.
  std::optional<std::string> GetWidthSample() override;
  // Room for the drop-down button.
  std::uint16_t AdjustCtrlWidth(std::uint16_t width) override;
};

}  // namespace tavik
