// The base of every visualizer: the object that shows one model object with controls.
#pragma once

#include <cstdint>
#include <memory>

#include "base/status.h"
#include "controls/ctrl_maker.h"
#include "form/ctrl_group.h"

namespace tavik {

class CAttribDesc;
class CEntityDesc;
class CDataCtrl;

class CVisualizer : public CtrlMaker {
 public:
  // Visualizer kinds, one per family of classes.
  static constexpr std::int32_t kText = 0;
  static constexpr std::int32_t kOptionButton = 1;
  static constexpr std::int32_t kComboBox = 2;
  static constexpr std::int32_t kListBox = 3;
  static constexpr std::int32_t kCheckBox = 4;
  static constexpr std::int32_t kMaskEd = 5;
  static constexpr std::int32_t kGauge = 6;
  static constexpr std::int32_t kPicture = 7;
  static constexpr std::int32_t kImage = 8;
  static constexpr std::int32_t kGrid = 9;

  CVisualizer() = default;
  virtual ~CVisualizer() = default;
  CVisualizer(const CVisualizer&) = delete;
  CVisualizer& operator=(const CVisualizer&) = delete;

  // 4 for no object; makes the visualizer's control group of 3 columns.
  [[nodiscard]] Status Init(std::int32_t kind, void* object);

  [[nodiscard]] virtual Status CreateControls() { return kOk; }
  [[nodiscard]] virtual Status DoBinding() { return kOk; }
  [[nodiscard]] virtual Status DoForeignKey(CDataCtrl* /*parent_data_ctrl*/,
                                            CAttribDesc* /*parent_attribute*/) {
    return kOk;
  }
  // Names the valid-value list the controls use ("VLD_LISTID") after the column's or the
  // edit style's validation rule.
  [[nodiscard]] virtual Status DetermineValidationList();

  // The attribute whose properties drive the controls; none for a grid visualizer.
  virtual CAttribDesc* GetAttribDesc() const { return nullptr; }
  CAttribute* ShownAttribute() const override { return nullptr; }
  BoundEntity* ShownEntity() const override { return nullptr; }
  void* GetTvkObj() const { return model_object_; }
  std::int32_t GetKind() const { return kind_; }

  // The group the controls go into; it stays reachable after the entity took it over.
  CCtrlGroup* GetCtrlGroup() const { return group_; }
  // Hands the group's ownership to the entity's group.
  std::unique_ptr<CCtrlGroup> ReleaseCtrlGroup() { return std::move(owned_group_); }
  Status DestroyCtrlGroup();
  // "Visible" 0 on every control of the group, their children and nested groups.
  static Status MakeInvisible(CCtrlGroup* group);

 private:
  std::unique_ptr<CCtrlGroup> owned_group_;
  CCtrlGroup* group_ = nullptr;
  std::int32_t kind_ = 0;
  void* model_object_ = nullptr;
};

}  // namespace tavik
