// Gauge visualizers.
#include "visualizers/gauge_visualizer.h"

#include <memory>

#include "controls/gauge_ctrl.h"
#include "form/form_desc.h"
#include "visualizers/pict_visualizer.h"

namespace tavik {

namespace {

constexpr const char* kGaugeClass = "Gauge";
constexpr const char* kGauge4Class = "GaugeLib.Gauge";
// Statuses of a group without items to search, and of a group without a gauge.
constexpr Status kNoItemList = 4;
constexpr Status kNoGauge = 5;

}  // namespace

Status CGaugeVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  CFormDesc* form = GetFormDesc();
  auto control = std::make_unique<CGaugeCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddDisplayControl(*this, std::move(control), "gau", true);
}

Status CGaugeVisualizer::DoBinding() {
  return BindDisplayControl(*this, kGaugeClass);
}

Status CGauge4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a gauge came of them.
  (void)CGaugeVisualizer::CreateControls();
  CCtrlGroup* group = GetCtrlGroup();
  if (!group) return kNoItemList;
  CCtrlDesc* gauge = FindDisplayControl(group, kGaugeClass);
  if (!gauge) return kNoGauge;
  return gauge->SetClassName(kGauge4Class);
}

Status CGauge4Visualizer::DoBinding() {
  return BindDisplayControl(*this, kGauge4Class);
}

}  // namespace tavik
