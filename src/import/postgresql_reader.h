// Reads the schema of a PostgreSQL database, on a server, into a model document.
#pragma once

#include <string>

#include "import/schema_reader.h"

namespace tavik::import {

// The catalog is read through pg_catalog, which shows every constraint to a role that owns
// none of the tables (information_schema hides them), in one read-only transaction.
// The path is the database's address (postgresql://user@host:port/database?schema=name);
// libpq takes the password from PGPASSWORD or ~/.pgpass.
class PostgresqlReader : public SchemaReader {
 public:
  Outcome ReadSchema(const std::string& path, const SchemaImportOptions& options) const override;
};

}  // namespace tavik::import
