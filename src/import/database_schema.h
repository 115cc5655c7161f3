// A database's schema as the text of a model file, for the commands that take a database.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "import/database_file.h"
#include "import/imported_schema.h"
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
    // What the reader found, read by ReadImported instead of the model.
    std::optional<ImportedSchema> imported = {};
  };

  // Reads the schema; its warnings (foreign keys kept as plain columns, properties not
  // carried) and any refusal go to standard error, the warnings after "command: warning: ".
  // For forms of a Visual Basic version (3 or 4; 0 when no form is made), a database that
  // version cannot open is warned of too.
  static Schema Read(const std::string& path, const SchemaImportOptions& options,
                     std::string_view command, int vb_version = 0);
  // The same reading, the schema kept as the reader found it instead of the document.
  static Schema ReadImported(const std::string& path, const SchemaImportOptions& options,
                             std::string_view command);

  // The connect string of forms made from the database: Visual Basic opens a SQLite file
  // through the SQLite ODBC driver, by a data source named after the file ("music.db" gives
  // "ODBC;DSN=music;"), which the user sets up once on the Windows machine.
  static std::string OdbcConnectString(const std::string& path);
  // Visual Basic 3 is a 16-bit program: the SQLite ODBC drivers are 32-bit, so the user is
  // told that a 16-bit one would be needed.
  static void WarnOfOdbcDriver(std::uint16_t version, std::string_view command);
  // The database and connect strings of forms made from the database at path, where the
  // options leave them unset: the forms open that database, a SQLite file through the
  // SQLite ODBC driver, an Access file by its path with no connect string. A database named
  // in the options keeps the connect string it is given.
  static void SetFormDefaults(const std::string& path, std::uint16_t version,
                              std::string_view command, std::optional<std::string>& database,
                              std::optional<std::string>& connect);

  // A database on a server is reached through an ODBC data source named after it
  // ("ODBC;DSN=shop;"), with an empty DatabaseName; with Visual Basic 3 the user is told
  // that a 16-bit driver would be needed.
  static void SetServerFormDefaults(const std::string& path, DatabaseFile::Kind kind,
                                    std::uint16_t version, std::string_view command,
                                    std::optional<std::string>& database,
                                    std::optional<std::string>& connect);

  // The schema read as Read reads it, as the text of a model file.
  static Imported Import(const std::string& path, const SchemaImportOptions& options,
                         std::string_view command, int vb_version = 0);
};

}  // namespace tavik::import
