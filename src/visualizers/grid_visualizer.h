// The base of the visualizers that show a whole entity as one grid.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "form/event_desc.h"
#include "visualizers/visualizer.h"

namespace tavik {

class CCtrlDesc;
class CEntityDesc;
class CEventDesc;
class CGridCtrl;

class CGridVisualizer : public CVisualizer {
 public:
  [[nodiscard]] Status Init(CEntityDesc* entity) { return CVisualizer::Init(kGrid, entity); }

  // Makes the grid; when that fails, no grid class is left for DoBinding to look for.
  [[nodiscard]] Status CreateControls() override;

  // Binds the grid (the control of the grid class in the entity's group) to the data control.
  // The entity's group holds no grid of the class made.
  enum BindingFault : Status { kNoGrid = 5 };
  [[nodiscard]] Status DoBinding() override;

  [[nodiscard]] virtual Status AddAttribToGrid(CAttribDesc* /*attribute*/) { return kOk; }
  [[nodiscard]] virtual Status AddDataNavigationButtons(CCtrlGroup* /*button_group*/) {
    return kOk;
  }
  [[nodiscard]] virtual Status RepopulateNode() { return kOk; }
  // The code around a child's refresh: reposition and refresh texts may be appended to.
  [[nodiscard]] virtual Status DoParentPreChildRepopulate(std::string& /*reposition*/,
                                                          std::string& /*refresh*/,
                                                          CEntityDesc* /*child*/) {
    return kOk;
  }
  [[nodiscard]] virtual Status DoChildPreChildRepopulate(std::string& /*reposition*/,
                                                         std::string& /*refresh*/,
                                                         CEntityDesc* /*parent*/) {
    return kOk;
  }
  [[nodiscard]] virtual Status DoParentPostChildRepopulate(std::string& /*reposition*/,
                                                           std::string& /*refresh*/,
                                                           CEntityDesc* /*child*/) {
    return kOk;
  }
  [[nodiscard]] virtual Status DoChildPostChildRepopulate(std::string& /*reposition*/,
                                                          std::string& /*refresh*/,
                                                          CEntityDesc* /*parent*/) {
    return kOk;
  }

  CEntityDesc* GetEntityDesc() const { return static_cast<CEntityDesc*>(GetTvkObj()); }
  const std::string& GetGridClassName() const { return grid_class_name_; }

 protected:
  void SetGridClassName(std::string name) { grid_class_name_ = std::move(name); }

  // "grd" + entity name.
  static std::string GridName(const CEntityDesc& entity);
  // Appends code to the first sub-event of an event or procedure; kNoEvent without one.
  [[nodiscard]] static Status AppendCode(CEventDesc* event, std::string_view code,
                                         SubEventSlot slot = SubEventSlot::kBody,
                                         SubEventPlacement position = SubEventPlacement::kLast);

  // Makes the grid control and hands it to the form; the base makes none.
  [[nodiscard]] virtual Status MakeGrid() { return kOk; }
  // Names an initialised grid after the entity and sizes it to the entity's attributes; its
  // class becomes the one DoBinding looks for.
  [[nodiscard]] Status NameAndSizeGrid(CGridCtrl& grid);
  // Places the grid leftmost in the entity's group and hands it to the form's control list.
  [[nodiscard]] Status PlaceGrid(std::unique_ptr<CGridCtrl> grid);
  // The grid once placed, or null.
  CGridCtrl* GetGrid() const { return grid_; }
  // The entity's part of the form's repopulation procedure: a root entity selects its records
  // and runs root_refresh, a child is refreshed through its parent's data control; then the
  // entity's fields are shown.
  [[nodiscard]] Status AppendRepopulateNode(std::string_view root_refresh);

 private:
  std::string grid_class_name_;
  CGridCtrl* grid_ = nullptr;  // owned by the form's control list
};

}  // namespace tavik
