// Text visualizers.
#include "visualizers/text_visualizer.h"

namespace tavik {

Status CTextVisualizer::CreateControls() { return CAttribVisualizer::CreateControls(); }
Status CTextVisualizer::DoBinding() { return kOk; }
Status CText4Visualizer::CreateControls() { return CTextVisualizer::CreateControls(); }

}  // namespace tavik
