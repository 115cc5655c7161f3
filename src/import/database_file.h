// Which kind of database a file holds, known by its first bytes, and the reading of its schema.
#pragma once

#include <cstdint>
#include <string>

#include "import/schema_import_options.h"
#include "import/schema_reader.h"

namespace tavik::import {

class DatabaseFile {
 public:
  enum class Kind : std::uint8_t { kNone, kSqlite, kAccess, kPostgresql, kMariadb };

  // What the file holds, whatever it is called; kNone for a file that cannot be read. An
  // address (postgresql://..., mariadb://...) names a database on a server.
  static Kind KindOf(const char* path);
  static bool IsDatabase(const char* path) { return KindOf(path) != Kind::kNone; }
  static bool IsServer(Kind kind) { return kind == Kind::kPostgresql || kind == Kind::kMariadb; }

  // Why the forms' Visual Basic version cannot open the database, naming its format and
  // what would open it; empty when it can.
  static std::string VisualBasicWarning(const std::string& path, int vb_version);

  // The schema read by the reader of the file's kind.
  static SchemaReader::Outcome Read(const std::string& path,
                                    const SchemaImportOptions& options = {});
  // The schema as the reader found it, without the model document.
  static SchemaReader::Outcome ReadSchema(const std::string& path,
                                          const SchemaImportOptions& options);
};

}  // namespace tavik::import
