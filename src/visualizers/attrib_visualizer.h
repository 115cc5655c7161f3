// The base of the visualizers that show one attribute: its control base name and label.
#pragma once

#include <string>

#include "visualizers/visualizer.h"

namespace tavik {

class CFormDesc;
class CEntityDesc;

class CAttribVisualizer : public CVisualizer {
 public:
  // Computes the control base name; every attribute visualizer calls it first.
  [[nodiscard]] Status CreateControls() override;
  [[nodiscard]] Status DoBinding() override { return kOk; }
  // Migrates the parent's key into this (child) attribute when a new child row is made.
  [[nodiscard]] Status DoForeignKey(CDataCtrl* parent_data_ctrl,
                                    CAttribDesc* parent_attribute) override;

  CAttribDesc* GetAttribDesc() const override;
  CEntityDesc* GetEntityDesc() const;
  CFormDesc* GetFormDesc() const;
  // The entity label and the attribute's physical name, made fit for control names.
  const std::string& GetCtrlBaseName() const { return base_name_; }

  // The label "lbl" + base name in column 0 of the visualizer's group.
  [[nodiscard]] Status CreateLabel();

 private:
  [[nodiscard]] Status MarkRequired();

  std::string base_name_;
};

}  // namespace tavik
