// A project made from a database: its connection, and its tables read and written as forms.
#include "project/database_project.h"

#include <fmt/format.h>

#include <cstdio>

#include "base/exit_status.h"
#include "import/database_file.h"
#include "import/database_schema.h"
#include "project/database_forms.h"
#include "text/windows1252.h"

namespace tavik::project {
namespace {

constexpr const char* kCommand = "tavikfw project";

// The ODBC driver that reads a database of the kind, for the start-up form's advice.
StartForm::Driver DriverOf(import::DatabaseFile::Kind kind) {
  using Kind = import::DatabaseFile::Kind;
  switch (kind) {
    case Kind::kSqlite:
      return StartForm::Driver::kSqlite;
    case Kind::kPostgresql:
      return StartForm::Driver::kPostgresql;
    case Kind::kMariadb:
      return StartForm::Driver::kMariadb;
    default:
      return StartForm::Driver::kFiles;
  }
}

// The forms' code is Windows-1252: a name that has no spelling there is kept as given.
std::string InFormCodePage(const std::string& text) {
  return text::Utf8ToWindows1252(text).value_or(text);
}

}  // namespace

StartForm::Database DatabaseProject::Connection(const std::string& input_path,
                                                std::uint16_t version,
                                                std::optional<std::string>& database,
                                                std::optional<std::string>& connect) {
  import::DatabaseSchema::SetFormDefaults(input_path, version, kCommand, database, connect);
  if (!connect) connect = std::string();
  return {InFormCodePage(*database), InFormCodePage(*connect),
          DriverOf(import::DatabaseFile::KindOf(input_path.c_str()))};
}

int DatabaseProject::Write(ProjectWriter& writer, const std::string& input_path,
                           const import::SchemaImportOptions& tables, std::uint16_t version,
                           RecordFeatures& features) {
  import::DatabaseSchema::Schema schema =
      import::DatabaseSchema::Read(input_path, tables, kCommand, version);
  if (schema.status != 0) return schema.status;
  // A table or column the options name that the chosen tables lack is refused first.
  if (std::string fault = features.AddTo(schema.model); !fault.empty()) {
    fmt::print(stderr, "{}: {}\n", kCommand, fault);
    return kExitUsage;
  }
  // The document has its features now: the forms add none of their own.
  return writer.WriteFromDatabase(DatabaseForms(std::move(schema.model), RecordFeatures()));
}

}  // namespace tavik::project
