// Reading a database's schema for the command line.
#include "import/database_schema.h"

#include <fmt/format.h>

#include <filesystem>
#include <new>

#include "base/exit_status.h"
#include "import/database_file.h"
#include "import/server_url.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {

namespace {

constexpr const char* kErrorCaption = "Tavik Form Wizard Error";

// Reads the schema by read (the document or the schema as found), telling its warnings and
// any refusal.
template <class Reading>
DatabaseSchema::Schema Told(std::string_view command, Reading read) {
  try {
    SchemaReader::Outcome outcome = read();
    for (const std::string& warning : outcome.warnings) {
      fmt::print(stderr, "{}: warning: {}\n", command, warning);
    }
    if (outcome.status != BR_LOAD_OK) {
      fmt::print(stderr, "{}: {}\n", kErrorCaption, outcome.error);
      return {outcome.status == BR_LOAD_UNREADABLE ? kExitModelUnreadable : kExitModelRefused, {}};
    }
    return {0, std::move(outcome.model), std::move(outcome.schema)};
  } catch (const std::bad_alloc&) {
    fmt::print(stderr, "{}: there is not enough memory to import the database\n", kErrorCaption);
    return {kExitModelRefused, {}};
  }
}

}  // namespace

DatabaseSchema::Schema DatabaseSchema::ReadImported(const std::string& path,
                                                    const SchemaImportOptions& options,
                                                    std::string_view command) {
  return Told(command, [&] { return DatabaseFile::ReadSchema(path, options); });
}

DatabaseSchema::Schema DatabaseSchema::Read(const std::string& path,
                                            const SchemaImportOptions& options,
                                            std::string_view command, int vb_version) {
  if (vb_version != 0) {
    if (std::string warning = DatabaseFile::VisualBasicWarning(path, vb_version);
        !warning.empty()) {
      fmt::print(stderr, "{}: warning: {}\n", command, warning);
    }
  }
  return Told(command, [&] { return DatabaseFile::Read(path, options); });
}

std::string DatabaseSchema::OdbcConnectString(const std::string& path) {
  return "ODBC;DSN=" + std::filesystem::path(path).stem().string() + ";";
}

void DatabaseSchema::WarnOfOdbcDriver(std::uint16_t version, std::string_view command) {
  if (version != 3) return;
  fmt::print(stderr,
             "{}: warning: Visual Basic 3 is a 16-bit program and opens the database only "
             "through a 16-bit ODBC driver for SQLite; the usual SQLite ODBC drivers are 32-bit\n",
             command);
}

void DatabaseSchema::SetFormDefaults(const std::string& path, std::uint16_t version,
                                     std::string_view command, std::optional<std::string>& database,
                                     std::optional<std::string>& connect) {
  if (const DatabaseFile::Kind kind = DatabaseFile::KindOf(path.c_str());
      DatabaseFile::IsServer(kind)) {
    SetServerFormDefaults(path, kind, version, command, database, connect);
    return;
  }
  if (!database && !connect) {
    if (DatabaseFile::KindOf(path.c_str()) == DatabaseFile::Kind::kSqlite) {
      connect = OdbcConnectString(path);
      WarnOfOdbcDriver(version, command);
    } else {
      connect = std::string();  // the data access engine opens an Access file by its path
    }
  }
  if (!database) database = path;
}

void DatabaseSchema::SetServerFormDefaults(const std::string& path, DatabaseFile::Kind kind,
                                           std::uint16_t version, std::string_view command,
                                           std::optional<std::string>& database,
                                           std::optional<std::string>& connect) {
  std::string error;
  const std::optional<ServerUrl> url = ServerUrl::Parse(path, error);
  // Jet reaches the server through an ODBC data source named after the database; the data
  // control's DatabaseName stays empty, the connect string names it all.
  if (!connect) connect = "ODBC;DSN=" + (url ? url->database() : std::string()) + ";";
  if (!database) database = std::string();
  if (version != 3) return;
  fmt::print(stderr,
             "{}: warning: Visual Basic 3 is a 16-bit program and opens the database only "
             "through a 16-bit ODBC driver for {}; the {} ODBC drivers are 32-bit\n",
             command, kind == DatabaseFile::Kind::kPostgresql ? "PostgreSQL" : "MariaDB",
             kind == DatabaseFile::Kind::kPostgresql ? "PostgreSQL" : "MariaDB");
}

DatabaseSchema::Imported DatabaseSchema::Import(const std::string& path,
                                                const SchemaImportOptions& options,
                                                std::string_view command, int vb_version) {
  Schema schema = Read(path, options, command, vb_version);
  if (schema.status != 0) return {schema.status, {}};
  return {0, SchemaReader::ModelText(schema.model)};
}

}  // namespace tavik::import
