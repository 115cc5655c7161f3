// The catalog of a database server made into a model document by the rules every reader
// follows.
#pragma once

#include <string>
#include <utility>

#include "import/imported_schema.h"
#include "import/schema_reader.h"
#include "import/server_catalog.h"

namespace tavik::import {

class ServerSchemaImport {
 public:
  // where names the database in messages (its address).
  ServerSchemaImport(std::string where, const SchemaImportOptions& options)
      : where_(std::move(where)), options_(options), schema_(where_) {}

  SchemaReader::Outcome Run(const ServerCatalog& catalog);

 private:
  void ReadColumns(const ServerCatalog::Table& source, ImportedSchema::Table& table);
  void ReadForeignKeys(const ServerCatalog& catalog);
  // Finds the key's columns in both tables; why it cannot, or empty.
  std::string ResolveKeyColumns(ImportedSchema::Link& link, const ServerCatalog::ForeignKey& key);

  std::string where_;
  const SchemaImportOptions& options_;
  ImportedSchema schema_;
};

}  // namespace tavik::import
