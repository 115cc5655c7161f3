// Reads the schema of a SQLite database into a model document.
#pragma once

#include <string>

#include "import/schema_reader.h"

namespace tavik::import {

// Tables become entities, columns attributes (with an edit style chosen from the column's
// type and CHECK constraints) and foreign keys master/detail relationships, as many as keep
// them a hierarchy. The database is opened read-only and never changed.
class SqliteSchemaReader : public SchemaReader {
 public:
  Outcome ReadSchema(const std::string& path, const SchemaImportOptions& options) const override;
};

}  // namespace tavik::import
