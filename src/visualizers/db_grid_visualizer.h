// The version-4 visualizer that shows a whole entity as one data-bound grid.
#pragma once

#include <string>

#include "controls/db_grid_ctrl.h"
#include "visualizers/grid_visualizer.h"

namespace tavik {

// Initialised with CGridVisualizer::Init (the entity).
class CDBGridVisualizer : public CGridVisualizer {
 public:
  // The attribute's column heading, set by the form's timer.
  [[nodiscard]] Status AddAttribToGrid(CAttribDesc* attribute) override;
  // The entity's part of the form's repopulation procedure.
  [[nodiscard]] Status RepopulateNode() override;
  // The grid of a child is disabled while its records are fetched and rebound after.
  [[nodiscard]] Status DoChildPreChildRepopulate(std::string& reposition, std::string& refresh,
                                                 CEntityDesc* parent) override;
  [[nodiscard]] Status DoChildPostChildRepopulate(std::string& reposition, std::string& refresh,
                                                  CEntityDesc* parent) override;

  CDBGridCtrl* GetGridCtrl() const { return static_cast<CDBGridCtrl*>(GetGrid()); }

 protected:
  // The grid "grd" + entity name, fed by the entity's data control (also in the live
  // client), allowing additions, updates and deletions itself.
  [[nodiscard]] Status MakeGrid() override;

 private:
  // The lines that lock and head the columns of names shown beside keys, or nothing.
  std::string NameColumnsCode() const;
};

}  // namespace tavik
