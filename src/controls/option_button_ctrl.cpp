// The option button control.
#include "controls/option_button_ctrl.h"
#include "form/vb_fragment.h"

#include <cstdint>
#include <string>

#include "entity/attrib_desc.h"
#include "entity/data_ctrl.h"
#include "entity/entity_desc.h"
#include "form/code_text.h"
#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"
#include "form/form_desc.h"

namespace tavik {

namespace {

constexpr int kRowGap = 50;

}  // namespace

const ESDESC COptionButtonCtrl::style_lookup[] = {
    {19, "ESRLFT", HandleLeftText},
    {20, "ESR3D", HandleThreeD},
    {-1, nullptr, nullptr},
};

Status COptionButtonCtrl::Init(std::uint16_t version, CFormDesc* form, CVisualizer* visualizer) {
  if (version == 0) return 1;
  if (!form) return 2;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(0);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("OptionButton", version, form, visualizer);
}

Status COptionButtonCtrl::BindControl(CDataCtrl* /*data_ctrl*/, std::string_view /*field_name*/,
                                      int /*extra*/) {
  return kNullArgument;
}

Status COptionButtonCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name,
                                      std::optional<std::string_view> value) {
  if (!value) return kNullArgument;
  if (!data_ctrl) return kNoEvent;
  CEventDesc* validate = data_ctrl->GetEvent("Validate");
  CEventDesc* reposition = data_ctrl->GetEvent("Reposition");
  CEventDesc* click = GetEvent("Click");
  if (!validate || !reposition || !click) return kNoEvent;
  CEntityDesc* entity_desc = GetEntityDesc();
  CFormDesc* form = GetFormDesc();
  if (!entity_desc || !form) return kNoMemory;
  const std::string& entity = entity_desc->GetEntityName();
  const std::string& button = GetCtrlName();
  const std::string& data = data_ctrl->GetCtrlName();
  const std::string field(field_name);
  const std::string data_value = VbStringText(*value);

  CodeText to_data;
  to_data.Line(2, "Case " + button + ".Value")
      .Line(3, data_ctrl->FieldExpression(field) + " = \"" + data_value + "\"");
  if (Status status = AppendCode(validate, SubEvent::kValidateFieldChecks, to_data)) return status;

  CodeText to_display;
  to_display.Line(3, "Case \"" + data_value + "\"")
      .Line(3, button + ".Value = TRUE")
      .Line(4, button + ".SetFocus");
  CEventDesc* set_to_screen = form->SetToScreenProcedure(entity);
  if (!set_to_screen) return kNoMemory;
  if (Status status = AppendCode(set_to_screen, SubEvent::kMain, to_display)) return status;

  // A click while the form shows a record marks the record as edited.
  CodeText on_click;
  on_click.Line(1, "If bNoClick Then Exit Sub")
      .Blank()
      .Line(1, "If bFormLoaded Then")
      .Line(2, "b" + entity + "Bind = True")
      .Line(2, "tk_SetEditMode " + data)
      .Line(1, "End If");
  return AppendCode(click, SubEvent::kMain, on_click);
}

Status COptionButtonCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& group) {
  item.x = group.GetColumnPosition(item.column);
  item.y = static_cast<float>(group.GetCurrentY());
  auto height = GetProperty("Height");
  if (!height) return kMissingProperty;
  // The option group has one column more than a row has buttons.
  if (item.column == group.GetColumnCount() - 2) {
    group.SetCurrentY(static_cast<std::uint16_t>(group.GetCurrentY() + kRowGap +
                                                 static_cast<int>(height->AsSingle())));
  }
  return kOk;
}

Status COptionButtonCtrl::Make3D() {
  return UseThreeDClass("SSOption");
}

}  // namespace tavik
