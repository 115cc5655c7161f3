// Lookup visualizers: the lookup control, and for version 4 the data control of its rows.
#include "visualizers/lookup_visualizer.h"

#include <memory>
#include <string>
#include <string_view>

#include "controls/lookup_ctrl.h"
#include "controls/lookup_data_ctrl.h"
#include "entity/attrib_desc.h"
#include "form/ctrl_pos_item.h"
#include "form/form_context.h"

namespace tavik {

namespace {
constexpr std::string_view kDataComboPrefix = "dbc";
}  // namespace

Status CLookupVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  auto source = LookupSource::Of(*GetAttribDesc());
  if (!source) return kMissingProperty;
  FormContext* form = GetFormDesc();
  const bool version3 = form->GetVersion() == 3;
  const std::string row_source = version3 ? std::string() : "dlk" + GetCtrlBaseName();
  auto control = std::make_unique<CLookupCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this, *source, row_source)) {
    return status;
  }
  if (Status status = AddBoundControl(std::move(control), version3 ? "cbx" : kDataComboPrefix)) {
    return status;
  }
  if (version3) return kOk;
  auto rows = std::make_unique<CLookupDataCtrl>();
  if (Status status = rows->Init(form->GetVersion(), form, row_source,
                                 std::string(kDataComboPrefix) + GetCtrlBaseName(), *source))
    return status;
  rows->SetCtrlHandle(form->GetCurrCtrlHandle());
  auto item = std::make_unique<CCtrlPosItem>(rows.get(), 0, 0.0f, 0.0f);
  item->column = 1;
  if (Status status = GetCtrlGroup()->AddItem(std::move(item))) return status;
  return form->SetCtrl(std::move(rows));
}

Status CLookupVisualizer::DoBinding() {
  return BindGroupCtrl({CLookupCtrl::kComboBoxClass, CLookupCtrl::kDataComboClass});
}

}  // namespace tavik
