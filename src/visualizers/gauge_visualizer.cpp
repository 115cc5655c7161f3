// Gauge visualizers.
#include "visualizers/gauge_visualizer.h"

#include <memory>

#include "controls/gauge_ctrl.h"
#include "form/form_context.h"
#include "visualizers/pict_visualizer.h"

namespace tavik {

namespace {

constexpr const char* kGaugeClass = "Gauge";
constexpr const char* kGauge4Class = "GaugeLib.Gauge";

}  // namespace

Status CGaugeVisualizer::CreateControls() {
  if (Status status = CAttribVisualizer::CreateControls()) return status;
  FormContext* form = GetFormDesc();
  auto control = std::make_unique<CGaugeCtrl>();
  if (Status status = control->Init(form->GetVersion(), form, this)) return status;
  return AddBoundControl(std::move(control), "gau");
}

Status CGaugeVisualizer::DoBinding() {
  return BindGroupCtrl({kGaugeClass});
}

Status CGauge4Visualizer::CreateControls() {
  // Whatever the version-3 steps gave, the result says whether a gauge came of them.
  (void)CGaugeVisualizer::CreateControls();
  if (Status status = CheckGroupCtrl(kGaugeClass)) return status;
  return FindGroupCtrl({kGaugeClass})->SetClassName(kGauge4Class);
}

Status CGauge4Visualizer::DoBinding() {
  return BindGroupCtrl({kGauge4Class});
}

}  // namespace tavik
