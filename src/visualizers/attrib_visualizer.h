// The base of the visualizers that show one attribute: its control base name and label.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "visualizers/visualizer.h"

namespace tavik {

class CCtrlDesc;
class FormContext;
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
  CAttribute* ShownAttribute() const override;
  BoundEntity* ShownEntity() const override;
  CEntityDesc* GetEntityDesc() const;
  FormContext* GetFormDesc() const;
  // The entity label and the attribute's physical name, made fit for control names.
  const std::string& GetCtrlBaseName() const { return base_name_; }

  // The label "lbl" + base name in column 0 of the visualizer's group.
  [[nodiscard]] Status CreateLabel();

  // Statuses of the group steps below: no group to search, no control of the class.
  enum GroupFault : Status { kNoItemList = 4, kNoControl = 5 };

  // Puts the attribute's initialised control on the form: named prefix + base name, bound
  // to the entity's data control, measured, after its label (when the attribute has label
  // text) in column 1, numbered in tab order when it takes the focus that way, and
  // registered with the form. finish runs once the control is drawable, before it joins
  // the visualizer's group; its failure drops the control.
  [[nodiscard]] Status AddBoundControl(std::unique_ptr<CCtrlDesc> control, std::string_view prefix,
                                       bool takes_tab_index = true,
                                       const std::function<Status(CCtrlDesc&)>& finish = {});
  // The first control of the group, in item order, whose class is one of the names.
  CCtrlDesc* FindGroupCtrl(std::initializer_list<std::string_view> classes) const;
  // 0 when the group holds a control of the class.
  [[nodiscard]] Status CheckGroupCtrl(std::string_view class_name) const;
  // Binds the first control of one of the classes to the entity's data control on the
  // attribute's physical name. A refused binding is told to the user, not passed on.
  [[nodiscard]] Status BindGroupCtrl(std::initializer_list<std::string_view> classes);

 private:
  [[nodiscard]] Status MarkRequired();
  void ReportUnbound(const CCtrlDesc& control, const std::string& data_ctrl) const;

  std::string base_name_;
};

}  // namespace tavik
