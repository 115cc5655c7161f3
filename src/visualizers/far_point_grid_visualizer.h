// The version-3 visualizer that shows a whole entity as one spreadsheet grid.
#pragma once

#include <string>

#include "controls/far_point_grid_ctrl.h"
#include "entity/grid_lookups.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

// Initialised with CGridVisualizer::Init (the entity).
class CFarPointGridVisualizer : public CGridVisualizer {
 public:
  // The attribute's column, set up when the form loads (the grid itself with the first);
  // check-box attributes get check-box cells, a key shown by a name a column of the name after
  // it. 2 without a physical name.
  [[nodiscard]] Status AddAttribToGrid(CAttribDesc* attribute) override;
  // One Delete button: the grid adds and updates rows itself.
  [[nodiscard]] Status AddDataNavigationButtons(CCtrlGroup* button_group) override;
  // The entity's part of the form's repopulation procedure.
  [[nodiscard]] Status RepopulateNode() override;
  // A parent grid shows its current row before its children follow it.
  [[nodiscard]] Status DoParentPreChildRepopulate(std::string& reposition, std::string& refresh,
                                                  CEntityDesc* child) override;
  // A child grid is refreshed without redrawing in between.
  [[nodiscard]] Status DoChildPostChildRepopulate(std::string& reposition, std::string& refresh,
                                                  CEntityDesc* parent) override;

  CFarPointGridCtrl* GetGridCtrl() const { return static_cast<CFarPointGridCtrl*>(GetGrid()); }

 protected:
  // The grid "grd" + entity name, bound to the entity's data control.
  [[nodiscard]] Status MakeGrid() override;

 private:
  static std::string NameColumnCode(const std::string& grid, std::int32_t column,
                                    const GridLookups::NameColumn& name);
};

}  // namespace tavik
