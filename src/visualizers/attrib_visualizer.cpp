// Attribute visualizers: the control base name, the required mark and the label.
#include "visualizers/attrib_visualizer.h"

#include <fmt/format.h>

#include <cstring>

#include "base/string_table.h"
#include "controls/color_names.h"
#include "controls/data_ctrl.h"
#include "controls/label_ctrl.h"
#include "controls/option_handlers.h"
#include "entity/attrib_desc.h"
#include "entity/entity_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"
#include "form/vb_name_maker.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"

namespace tavik {

namespace {
// The attribute's column properties read for every attribute shown.
constinit SharedPropertyName kLabelText{"CD_PLB"};
constinit SharedPropertyName kAccessKey{"CD_ACC"};
constinit SharedPropertyName kLabelAlignment{"CD_PLP"};
constinit SharedPropertyName kColumnRequired{"CD_REQ"};
constinit SharedPropertyName kColumnDefault{"CD_DEF"};

constexpr std::size_t kMaxBaseName = 17;

// The attribute's column property group, found once for the look-ups of one step.
CNxPropertySection* ColumnGroup(CAttribute& attribute) {
  return attribute.GetTvkProps().GetSection(format_ids::kColProp);
}

bool IsVowel(char c) {
  return c != '\0' && std::strchr("aeiouAEIOU", c) != nullptr;
}

// Vowels stay only where a word starts: at the beginning and right after "_".
std::string WithoutVowels(const std::string& name) {
  std::string result;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (!IsVowel(name[i]) || i == 0 || name[i - 1] == '_') result += name[i];
  }
  return result;
}

}  // namespace

CAttribDesc* CAttribVisualizer::GetAttribDesc() const {
  return static_cast<CAttribDesc*>(GetTvkObj());
}

CAttribute* CAttribVisualizer::ShownAttribute() const {
  return GetAttribDesc();
}

BoundEntity* CAttribVisualizer::ShownEntity() const {
  CAttribDesc* attribute = GetAttribDesc();
  return attribute ? attribute->GetEntityDesc() : nullptr;
}

CEntityDesc* CAttribVisualizer::GetEntityDesc() const {
  return GetAttribDesc()->GetEntityDesc();
}

FormContext* CAttribVisualizer::GetFormDesc() const {
  return GetEntityDesc()->GetFormContext();
}

Status CAttribVisualizer::CreateControls() {
  base_name_.clear();
  CAttribDesc* attribute = GetAttribDesc();
  std::string number_text;
  const auto physical_name = TextPropertyView(attribute, kPhysicalName, number_text);
  if (!physical_name) return kMissingProperty;
  std::string name(*physical_name);
  FormContext::ValidateString(name);
  if (GetEntityDesc()->GetCompressNamesFlag()) name = WithoutVowels(name);
  if (!name.empty() && name.back() == '_') name.pop_back();
  name.insert(0, GetEntityDesc()->GetEntLabel());
  name = GetFormDesc()->ControlBaseNames().Unique(name, kMaxBaseName);
  if (Status status = MarkRequired()) return status;
  base_name_ = std::move(name);
  return kOk;
}

Status CAttribVisualizer::MarkRequired() {
  CAttribDesc* attribute = GetAttribDesc();
  auto required = attribute->GetProperty("REQUIRED");
  if (!required) return kMissingProperty;
  if (required->AsInteger() == 1) attribute->SetRequired(true);
  CNxPropertySection* columns = ColumnGroup(*attribute);
  const Value* column_required = CCtrlDesc::FindInGroup(columns, kColumnRequired);
  if (column_required) {
    bool is_yes = column_required->IsString() ? column_required->AsString() == "Y"
                                              : column_required->AsInteger() == 'Y';
    if (is_yes) attribute->SetRequired(true);
  }
  // An empty box of a column with a default is saved with the default, not refused.
  const Value* column_default = CCtrlDesc::FindInGroup(columns, kColumnDefault);
  if (column_default && column_default->IsString()) attribute->SetRequired(false);
  return kOk;
}

namespace {

// The label text with "&" before the first occurrence of the access character.
Value CaptionWithAccessKey(const Value& label, const Value* access) {
  std::string number_text;  // a label given as a number shows that number's text
  const std::string_view text =
      label.IsString() ? label.AsString() : std::string_view(number_text = label.Text());
  if (!access || !access->HasText()) return Value::String(text);
  std::size_t at = text.find(access->Text()[0]);
  if (at == std::string::npos) return Value::String(text);
  std::string caption;
  caption.reserve(text.size() + 1);
  caption.append(text.substr(0, at)).append("&").append(text.substr(at));
  return Value::String(caption);
}

}  // namespace

Status CAttribVisualizer::CreateLabel() {
  CAttribDesc* attribute = GetAttribDesc();
  FormContext* form = GetFormDesc();
  auto label = std::make_unique<CLabelCtrl>();
  if (Status status = label->Init(form->GetVersion(), form, this)) return status;
  std::string name = "lbl" + base_name_;
  label->AddProperty(Value::String(name), ctrl_props::kName);
  label->TakeCtrlName(std::move(name));
  CNxPropertySection* columns = ColumnGroup(*attribute);
  const Value* text = CCtrlDesc::FindInGroup(columns, kLabelText);
  if (!text || !text->HasText()) return kMissingProperty;
  const Value* access = CCtrlDesc::FindInGroup(columns, kAccessKey);
  label->AddProperty(CaptionWithAccessKey(*text, access), ctrl_props::kCaption);
  const Value* alignment = CCtrlDesc::FindInGroup(columns, kLabelAlignment);
  std::int64_t alignment_value = alignment ? alignment->AsInteger() - 23 : 0;
  label->AddProperty(Value::Short(static_cast<std::int16_t>(alignment_value)),
                     ctrl_props::kAlignment);
  label->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                     ctrl_props::kTabIndex);
  label->SetCtrlHandle(form->GetCurrCtrlHandle());
  label->SetDrawFlag(1);
  (void)label->HandleProperties();  // answers kOk always
  CLabelCtrl* registered = label.get();
  auto item = std::make_unique<CCtrlPosItem>(registered, 0, 0.0f, 0.0f);
  item->column = 0;
  (void)GetCtrlGroup()->AddItem(std::move(item));  // refuses only a missing item
  (void)form->SetCtrl(std::move(label));           // SetCtrl answers kOk always
  registered->AddProperty(Value::Short(0), ctrl_props::kBackStyle);
  registered->AddProperty(Value::Long(ColorFromName("Black")), ctrl_props::kForeColor);
  return kOk;
}

Status CAttribVisualizer::AddBoundControl(std::unique_ptr<CCtrlDesc> control,
                                          std::string_view prefix, bool takes_tab_index,
                                          const std::function<Status(CCtrlDesc&)>& finish) {
  FormContext* form = GetFormDesc();
  auto item = std::make_unique<CCtrlPosItem>(control.get(), 0, 0.0f, 0.0f);
  item->column = 1;
  std::string name = std::string(prefix) + base_name_;
  if (Status status = control->AddProperty(Value::String(name), ctrl_props::kName)) {
    return status;
  }
  control->TakeCtrlName(std::move(name));
  control->SetDataCtrl(GetEntityDesc()->GetDataCtrl());
  (void)control->HandleProperties();  // answers kOk always
  const Value* label_text =
      CCtrlDesc::FindGroupProp(GetAttribDesc(), format_ids::kColProp, kLabelText);
  if (label_text && label_text->HasText()) {
    if (Status status = CreateLabel()) return status;
  }
  control->SetCtrlHandle(form->GetCurrCtrlHandle());
  if (takes_tab_index) {
    control->AddProperty(Value::Short(static_cast<std::int16_t>(form->GetCurrTabIndex())),
                         ctrl_props::kTabIndex);
  }
  control->SetDrawFlag(1);
  if (finish) {
    if (Status status = finish(*control)) return status;
  }
  if (Status status = GetCtrlGroup()->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(control));
}

CCtrlDesc* CAttribVisualizer::FindGroupCtrl(std::initializer_list<std::string_view> classes) const {
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return nullptr;
  for (const auto& item : group->GetItems()) {
    if (item->GetType() != CPosListItem::kControlItem) continue;
    CCtrlDesc* control = static_cast<const CCtrlPosItem&>(*item).GetCtrl();
    for (std::string_view class_name : classes) {
      if (control && control->GetClassName() == class_name) return control;
    }
  }
  return nullptr;
}

Status CAttribVisualizer::CheckGroupCtrl(std::string_view class_name) const {
  if (!GetCtrlGroup()) return kNoItemList;
  if (!FindGroupCtrl({class_name})) return kNoControl;
  return kOk;
}

Status CAttribVisualizer::BindGroupCtrl(std::initializer_list<std::string_view> classes) {
  if (!GetCtrlGroup()) return kNoItemList;
  CCtrlDesc* control = FindGroupCtrl(classes);
  if (!control) return kNoControl;
  std::string number_text;
  const auto physical_name = TextPropertyView(GetAttribDesc(), kPhysicalName, number_text);
  if (!physical_name) return kMissingProperty;
  // Refused bindings happen (an Access lookup over a query): the control stays as far as it
  // was bound rather than the whole entity being dropped from the form, and the user is told.
  CDataCtrl* data_ctrl = GetEntityDesc()->GetDataCtrl();
  if (control->BindControl(data_ctrl, *physical_name, 0) != kOk) {
    ReportUnbound(*control, data_ctrl ? data_ctrl->GetCtrlName() : std::string());
  }
  return kOk;
}

void CAttribVisualizer::ReportUnbound(const CCtrlDesc& control,
                                      const std::string& data_ctrl) const {
  if (auto* boxes = CurrentPlatform().message_boxes) {
    boxes->ShowMessage(
        StringTable::Text(StringTable::kAttributeErrorCaption),
        fmt::format("attribute \"{}\": the control {} could not be bound to the "
                    "data control {} in full; the form holds it as far as it was "
                    "bound",
                    GetAttribDesc()->GetDisplayName(), control.GetCtrlName(), data_ctrl));
  }
}

}  // namespace tavik
