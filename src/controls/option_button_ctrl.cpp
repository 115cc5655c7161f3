// The option button control.
#include "controls/option_button_ctrl.h"

#include <cstdint>
#include <cstdlib>
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

constexpr std::int32_t kValidateChecks = 2;
constexpr std::int32_t kFirstSubEvent = 0;
constexpr int kBody = 1;
constexpr std::uint16_t kButtonRoom = 250;
constexpr int kRowGap = 50;

// The number a model option holds; options may come as numbers or as their text.
long NumberOf(const Value& value) {
  if (value.IsString()) return std::strtol(value.AsString().c_str(), nullptr, 10);
  return static_cast<long>(value.AsInteger());
}

bool IsOn(const std::optional<Value>& value) {
  return value && NumberOf(*value) == 1;
}

// Appends code to a body piece: new sub-events go last, text after what is there.
Status AppendCode(CEventDesc* event, std::int32_t sub_event, const CodeText& code) {
  if (!event) return kNoEvent;
  return event->AddSubEventCode(code.str(), sub_event, kBody, CEventDesc::kAtEnd,
                                CEventDesc::kAfter);
}

Status HandleLeftText(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsOn(value)) return kOk;
  return control.AddProperty(Value::Short(1), "Alignment");
}

Status HandleThreeD(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!IsOn(value)) return kOk;
  auto* button = dynamic_cast<COptionButtonCtrl*>(&control);
  return button ? button->Make3D() : kOk;
}

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

CEntityDesc* COptionButtonCtrl::GetEntityDesc() const {
  CVisualizer* visualizer = GetVisualizer();
  CAttribDesc* attribute = visualizer ? visualizer->GetAttribDesc() : nullptr;
  return attribute ? attribute->GetEntityDesc() : nullptr;
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
  const std::string data_value(*value);

  CodeText to_data;
  to_data.Line(2, "Case " + button + ".Value")
      .Line(3, data + ".Recordset.Fields(\"" + field + "\") = \"" + data_value + "\"");
  if (Status status = AppendCode(validate, kValidateChecks, to_data)) return status;

  CodeText to_display;
  to_display.Line(3, "Case \"" + data_value + "\"")
      .Line(3, button + ".Value = TRUE")
      .Line(4, button + ".SetFocus");
  CEventDesc* set_to_screen = form->GetProcedure(entity + "_SetToScreen");
  if (!set_to_screen) return kNoMemory;
  if (Status status = AppendCode(set_to_screen, kFirstSubEvent, to_display)) return status;

  // A click while the form shows a record marks the record as edited.
  CodeText on_click;
  on_click.Line(1, "If bNoClick Then Exit Sub")
      .Blank()
      .Line(1, "If bFormLoaded Then")
      .Line(2, "b" + entity + "Bind = True")
      .Line(2, "tk_SetEditMode " + data)
      .Line(1, "End If");
  return AppendCode(click, kFirstSubEvent, on_click);
}

std::optional<std::string> COptionButtonCtrl::GetWidthSample() {
  auto caption = GetProperty("Caption");
  if (!caption) return std::nullopt;
  return caption->Text();
}

std::uint16_t COptionButtonCtrl::AdjustCtrlWidth(std::uint16_t width) {
  return static_cast<std::uint16_t>(width + kButtonRoom);
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
  if (Status status = SetClassName("SSOption")) return status;
  SetColorsMask(static_cast<std::uint16_t>(GetColorsMask() & ~kWriteBackColor));
  return kOk;
}

Status COptionButton4Ctrl::Make3D() {
  return AddProperty(Value::Short(1), "Appearance");
}

}  // namespace tavik
