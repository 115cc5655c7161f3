// A database's schema as the text of a model file, for the commands that take a database.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "import/schema_import_options.h"

namespace tavik::import {

class DatabaseSchema {
 public:
  struct Imported {
    int status = 0;  // 0, or the exit status: 65 refused, 66 unreadable
    std::string model_text;
  };

  struct Schema {
    int status = 0;  // 0, or the exit status: 65 refused, 66 unreadable
    nlohmann::ordered_json model;
  };

  // Reads the schema; its warnings (foreign keys kept as plain columns, properties not
  // carried) and any refusal go to standard error, the warnings after "command: warning: ".
  // For forms of a Visual Basic version (3 or 4; 0 when no form is made), a database that
  // version cannot open is warned of too.
  static Schema Read(const std::string& path, const SchemaImportOptions& options,
                     std::string_view command, int vb_version = 0);

  // The schema read as Read reads it, as the text of a model file.
  static Imported Import(const std::string& path, const SchemaImportOptions& options,
                         std::string_view command, int vb_version = 0);
};

}  // namespace tavik::import
