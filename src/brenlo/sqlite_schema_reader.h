// Reads the schema of a SQLite database into a model document.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "brenlo/schema_import_options.h"

namespace tavik::brenlo {

// Tables become entities, columns attributes (with an edit style chosen from the column's
// type and CHECK constraints) and foreign keys master/detail relationships, as many as keep
// them a hierarchy. The database is opened
// read-only and never changed.
class SqliteSchemaReader {
 public:
  struct Outcome {
    std::int32_t status = 0;       // BR_LOAD_OK, BR_LOAD_REFUSED or BR_LOAD_UNREADABLE
    nlohmann::ordered_json model;  // the model document, when status is BR_LOAD_OK
    std::string error;             // what went wrong, starting with the path
    // Foreign keys kept as plain columns, and why, each starting with the path.
    std::vector<std::string> warnings;
  };

  // Whether the file begins with the 16 bytes that every SQLite database file begins with.
  static bool HasSqliteHeader(const char* path);

  static Outcome Read(const std::string& path, const SchemaImportOptions& options = {});

  // The document as the text of a model file.
  static std::string ModelText(const nlohmann::ordered_json& model);
};

}  // namespace tavik::brenlo
