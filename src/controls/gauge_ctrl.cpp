// The gauge control.
#include "controls/gauge_ctrl.h"
#include "form/vb_fragment.h"

#include <cstdint>
#include <limits>
#include <string>

#include "controls/data_ctrl.h"
#include "controls/option_handlers.h"
#include "controls/pict_ctrl.h"
#include "form/code_text.h"
#include "form/event_desc.h"
#include "form/form_context.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic asked for, or no form.
enum InitFault : Status { kNoVersion = 4, kNoForm = 5 };
}  // namespace

namespace {

constexpr float kDefaultWidth = 960.0f;
constexpr float kDefaultHeight = 720.0f;
// Range and needle settings stay below this; margins only need to be positive.
constexpr long kLimit = 32768;
constexpr long kNoLimit = std::numeric_limits<long>::max();

// Styles 0, 2 and 3 only.
Status HandleStyle(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value) return kOk;
  long style = NumberOf(*value);
  if (style != 0 && style != 2 && style != 3) return kOk;
  return AddShort(control, style, "Style");
}

// The picture file is loaded when the form loads.
Status HandlePicture(CCtrlDesc& control, const std::optional<Value>& value) {
  if (!value || !value->IsString() || value->AsString().empty()) return kOk;
  FormContext* form = control.GetFormDesc();
  CEventDesc* load = form ? form->LoadEvent() : nullptr;
  if (!load) return kNoMemory;
  CodeText code;
  code.Line(1, control.GetCtrlName() + ".Picture = LoadPicture(\"" +
                   VbStringText(value->AsString()) + "\")");
  load->Append(SubEvent::kMain, SubEventSlot::kBody, code.str());
  return kOk;
}

}  // namespace

const ESDESC CGaugeCtrl::style_lookup[] = {
    {30, "ESGINB", PositiveOption<"InnerBottom", kNoLimit>},
    {31, "ESGINL", PositiveOption<"InnerLeft", kNoLimit>},
    {32, "ESGINR", PositiveOption<"InnerRight", kNoLimit>},
    {33, "ESGINT", PositiveOption<"InnerTop", kNoLimit>},
    {34, "ESGMAX", PositiveOption<"Max", kLimit>},
    {35, "ESGMIN", PositiveOption<"Min", kLimit>},
    {36, "ESGNDL", PositiveOption<"NeedleWidth", kLimit>},
    {37, "ESGSTY", HandleStyle},
    {38, "ESGPIC", HandlePicture},
    {38, "ESGAUS", SwitchOption<"AutoSize">},
    {-1, nullptr, nullptr},
};

Status CGaugeCtrl::Init(std::uint16_t version, FormContext* form, CtrlMaker* maker) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetTables(col_prop_lookup, style_lookup);
  SetKindFlag(1);
  IsFocusCtrl(1);
  return CCtrlDesc::Init("Gauge", version, form, maker);
}

Status CGaugeCtrl::DoWidthHeight() {
  return AddStyleSize(*this, kDefaultWidth, kDefaultHeight);
}

Status CGaugeCtrl::BindControl(CDataCtrl* data_ctrl, std::string_view field_name, int /*extra*/) {
  if (!data_ctrl) return kNullArgument;
  CEventDesc* reposition = data_ctrl->GetEvent("Reposition");
  if (!reposition) return kNoMemory;
  reposition->Append(
      SubEvent::kRepositionFields, SubEventSlot::kBody,
      VbFragment(R"(
            If IsNull($field$) Then
                $ctrl$.Value = tk_NullValue($field$)
            Else
                $ctrl$.Value = $field$
            End If
    )",
                 {{"field", data_ctrl->FieldExpression(field_name)}, {"ctrl", GetCtrlName()}}));
  return kOk;
}

}  // namespace tavik
