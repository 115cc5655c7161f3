// The hidden data control that a data combo reads its choices from.
#include "controls/lookup_data_ctrl.h"

#include "controls/lookup_source.h"
#include "form/ctrl_pos_item.h"
#include "form/event_desc.h"
#include "form/form_context.h"
#include "form/vb_fragment.h"

namespace tavik {

namespace {
// Why the control could not be made: no version of Visual Basic, no form, no Form_Load, no
// Form_Activate.
enum InitFault : Status { kNoVersion = 1, kNoForm = 2, kNoLoadEvent = 3, kNoActivateEvent = 4 };
}  // namespace

Status CLookupDataCtrl::Init(std::uint16_t version, FormContext* form, std::string_view name,
                             std::string_view list_name, const LookupSource& source) {
  if (version == 0) return kNoVersion;
  if (!form) return kNoForm;
  SetKindFlag(0);
  IsFocusCtrl(0);
  if (Status status = CCtrlDesc::Init("Data", version, form, nullptr)) return status;
  SetCtrlName(name);
  AddProperty(Value::String(std::string(name)), "Name");
  AddProperty(Value::String(source.table), "Caption");
  AddProperty(Value::Short(0), "Visible");
  AddProperty(Value::Short(-1), "ReadOnly");
  AddProperty(Value::String(form->GetDefaultDatabaseString()), "DatabaseName");
  AddProperty(Value::String(source.SelectText()), "RecordSource");
  CEventDesc* load = form->LoadEvent();
  if (!load) return kNoLoadEvent;
  load->Append(SubEvent::kMain, SubEventSlot::kBody, form->DataControlLoadCode(name));
  return AddActivateRefill(*form, name, list_name);
}

// The rows are read once when the form loads, but the looked-up table may be edited on
// another form of the project while this one stays open behind it: each time the form comes
// to the front again its rows are read again and the data combo's list is rebuilt from them.
Status CLookupDataCtrl::AddActivateRefill(FormContext& form, std::string_view name,
                                          std::string_view list_name) {
  CEventDesc* activate = form.GetEvent("Activate");
  if (!activate) return kNoActivateEvent;
  activate->Append(SubEvent::kMain, SubEventSlot::kBody,
                   VbFragment(R"(
        If bFormLoaded Then tk_LookupRefill $rows$, $list$
    )",
                              {{"rows", name}, {"list", list_name}}));
  return kOk;
}

Status CLookupDataCtrl::DoLayout(CCtrlPosItem& item, CCtrlGroup& /*group*/) {
  item.x = 0.0f;
  item.y = 0.0f;
  return kOk;
}

}  // namespace tavik
