// Attribute descriptors: form properties, query names and the visualizer.
#include "entity/attrib_desc.h"

#include "entity/entity_desc.h"
#include "form/form_context.h"
#include "model/property_names.h"
#include "model/sql_name.h"

namespace tavik {

// The FORM_ATTRIB_INFO properties were read into the own properties with ATTRIB_INFO's.
Status CAttribDesc::SetAttribProps() {
  if (Status status = CAttribute::SetAttribProps()) return status;
  if (!HasFormInfo()) return kMissingProperty;
  // Every attribute adds these two: their names are interned once.
  static const std::string& physical_name_key = PropertyNames::Intern("PHYSICAL_NAME");
  static const std::string& query_name_key = PropertyNames::Intern("SQLQUERY_NAME");
  const Value* physical_name = FindPropertyOfShared(physical_name_key);
  if (!physical_name || !physical_name->HasText()) return kMissingProperty;
  // A number given as the name is kept as its text, as the queries and controls read it.
  if (!physical_name->IsString()) {
    AddProperty(Value::String(physical_name->Text()), &physical_name_key);
    physical_name = FindPropertyOfShared(physical_name_key);
  }
  std::string query_name;
  SqlName::AppendQuoted(query_name, physical_name->AsString());
  return AddProperty(Value::String(query_name), &query_name_key);
}

// The query name is the physical name quoted already.
void CAttribDesc::AppendSqlName(std::string& text) const {
  static const std::string& query_name_key = PropertyNames::Intern("SQLQUERY_NAME");
  const Value* query_name = FindPropertyOfShared(query_name_key);
  if (!query_name || !query_name->IsString()) {
    CAttribute::AppendSqlName(text);
    return;
  }
  text += query_name->AsString();
}

Status CAttribDesc::CreateVisualizer() {
  // Edit style 3 shows a whole entity as a grid; the allocator takes an entity for it, so an
  // attribute of that style is left without a visualizer (and reported by the entity).
  if (HasEditStyle(EditStyle::kGrid)) return kOk;
  return GetEntityDesc()->GetFormContext()->AllocateVisualizer(GetEditStyle(), this);
}

CEntityDesc* CAttribDesc::GetEntityDesc() const {
  return static_cast<CEntityDesc*>(GetEntity());
}

}  // namespace tavik
