// The option button control.
#include "controls/option_button_ctrl.h"
#include "form/vb_fragment.h"

#include <cstdint>
#include <string>

#include "controls/bound_entity.h"
#include "controls/data_ctrl.h"
#include "form/ctrl_group.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "model/attribute.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2 };
}  // namespace

namespace {

constexpr int kRowGap = 50;

}  // namespace

const ESDESC COptionButtonCtrl::style_lookup[] = {
    {19, "ESRLFT", HandleLeftText},
    {20, "ESR3D", HandleThreeD},
    {-1, nullptr, nullptr},
};

Status COptionButtonCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(0);
  IsFocusCtrl(0);
  return CCtrlDesc::Init("OptionButton", version, form, maker);
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
  BoundEntity* entity_desc = GetBoundEntity();
  FormContext* form = GetFormDesc();
  if (!entity_desc || !form) return kNoMemory;
  const std::string& entity = GetEntityName();
  const std::string& button = GetCtrlName();
  const std::string data_value = VbStringText(*value);

  if (Status status = AppendCode(validate, SubEvent::kValidateFieldChecks,
                                 VbFragment(R"(
            Case $button$.Value
                $field$ = "$value$"
    )",
                                            {{"button", button},
                                             {"field", data_ctrl->FieldExpression(field_name)},
                                             {"value", data_value}}))) {
    return status;
  }

  CEventDesc* set_to_screen = form->SetToScreenProcedure(entity);
  if (!set_to_screen) return kNoMemory;
  if (Status status = AppendCode(set_to_screen, SubEvent::kMain,
                                 VbFragment(R"(
                Case "$value$"
                $button$.Value = TRUE
                    $button$.SetFocus
    )",
                                            {{"value", data_value}, {"button", button}}))) {
    return status;
  }

  // A click while the form shows a record marks the record as edited.
  return AppendCode(click, SubEvent::kMain,
                    VbFragment(R"(
        If bNoClick Then Exit Sub

        If bFormLoaded Then
            b$e$Bind = True
            tk_SetEditMode $data$
        End If
    )",
                               {{"e", entity}, {"data", data_ctrl->GetCtrlName()}}));
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
