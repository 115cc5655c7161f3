// Reads the schema of an Access file (Jet 3, Jet 4 or ACE) into a model document.
#pragma once

#include <string>

#include "import/schema_reader.h"

namespace tavik::import {

// User tables become entities, their columns attributes (edit styles, labels, lists, masks
// and tags from the columns' Access properties), and the relationships master/detail
// relationships, as many as keep them a hierarchy. libmdb is loaded with the Access module
// when the first Access file is read. The file is opened read-only and never changed.
class AccessReader : public SchemaReader {
 public:
  Outcome ReadSchema(const std::string& path, const SchemaImportOptions& options) const override;
};

}  // namespace tavik::import
