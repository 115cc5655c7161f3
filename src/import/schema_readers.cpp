// The reader of each kind of database this build reads.
#include "import/schema_readers.h"

#include "import/access_reader.h"
#include "import/mariadb_reader.h"
#include "import/postgresql_reader.h"
#include "import/sqlite_schema_reader.h"

namespace tavik::import {

std::unique_ptr<SchemaReader> SchemaReaders::For(DatabaseFile::Kind kind) {
  switch (kind) {
    case DatabaseFile::Kind::kSqlite:
      return std::make_unique<SqliteSchemaReader>();
    case DatabaseFile::Kind::kAccess:
      return std::make_unique<AccessReader>();
    case DatabaseFile::Kind::kPostgresql:
      return std::make_unique<PostgresqlReader>();
    case DatabaseFile::Kind::kMariadb:
      return std::make_unique<MariadbReader>();
    case DatabaseFile::Kind::kNone:
      break;
  }
  return nullptr;
}

}  // namespace tavik::import
