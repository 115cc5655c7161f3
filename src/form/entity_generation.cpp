// Entity generation: each entity's data control, controls and layout, or its drop.
#include "form/form_desc.h"

namespace tavik {

Status CFormDesc::GenerateEntities() { return kOk; }

}  // namespace tavik
