// Cross-entity processing: the code that ties the entities of one form together.
#include "form/form_desc.h"

namespace tavik {

Status CFormDesc::DoCrossEntityProcessing() { return kOk; }

}  // namespace tavik
