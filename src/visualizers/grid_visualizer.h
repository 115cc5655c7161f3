// The base of the visualizers that show a whole entity as one grid.
#pragma once

#include <string>

#include "visualizers/visualizer.h"

namespace tavik {

class CCtrlDesc;
class CEntityDesc;

class CGridVisualizer : public CVisualizer {
 public:
  [[nodiscard]] Status Init(CEntityDesc* entity) { return CVisualizer::Init(kGrid, entity); }

  // Binds the grid (the control of the grid class in the entity's group) to the data control.
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

 private:
  std::string grid_class_name_;
};

}  // namespace tavik
