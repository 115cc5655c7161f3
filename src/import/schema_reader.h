// The one interface every reader of a database's schema offers.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "import/imported_schema.h"
#include "import/schema_import_options.h"

namespace tavik::import {

// Reads a database's schema into a model document: tables become entities, columns
// attributes, and the links between tables master/detail relationships, as many as keep
// them a hierarchy. A reader never writes to the database.
class SchemaReader {
 public:
  struct Outcome {
    std::int32_t status = 0;       // BR_LOAD_OK, BR_LOAD_REFUSED or BR_LOAD_UNREADABLE
    nlohmann::ordered_json model;  // the model document, when status is BR_LOAD_OK
    std::string error;             // what went wrong, starting with the path
    // What the model says otherwise than the database (links kept as plain columns,
    // properties not carried), and why, each starting with the path.
    std::vector<std::string> warnings;
    // What the reader found, when status is BR_LOAD_OK and the model was not asked for.
    std::optional<ImportedSchema> schema = {};
  };

  SchemaReader() = default;
  SchemaReader(const SchemaReader&) = delete;
  SchemaReader& operator=(const SchemaReader&) = delete;
  virtual ~SchemaReader() = default;

  // The schema as a model document.
  Outcome Read(const std::string& path, const SchemaImportOptions& options) const {
    return WithDocument(ReadSchema(path, options));
  }
  // The schema as the reader found it, without the document: building it costs more than
  // the reading when only its text is wanted.
  virtual Outcome ReadSchema(const std::string& path, const SchemaImportOptions& options) const = 0;

  // A successful reading of the schema, its warnings taken.
  static Outcome Imported(ImportedSchema& schema);
  // The outcome with the model document made from its schema.
  static Outcome WithDocument(Outcome outcome);

  // The document as the text of a model file.
  static std::string ModelText(const nlohmann::ordered_json& model);
};

}  // namespace tavik::import
