// Master/detail between entities: key migration, child refresh and their hooks.
#include "entity/entity_desc.h"

namespace tavik {

Status CEntityDesc::SetForeignKeys() { return kOk; }
Status CEntityDesc::RepopulateChildren() { return kOk; }
Status CEntityDesc::DoParentPreChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}
Status CEntityDesc::DoChildPreChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}
Status CEntityDesc::DoParentPostChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}
Status CEntityDesc::DoChildPostChildRepopulate(std::string&, std::string&, CEntityDesc*) {
  return kOk;
}

}  // namespace tavik
