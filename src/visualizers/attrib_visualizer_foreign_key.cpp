// Key migration: a new child row takes the parent's key values.
#include "visualizers/attrib_visualizer.h"

namespace tavik {

Status CAttribVisualizer::DoForeignKey(CDataCtrl* /*parent_data_ctrl*/,
                                       CAttribDesc* /*parent_attribute*/) {
  return kOk;
}

}  // namespace tavik
