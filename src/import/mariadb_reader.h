// Reads the schema of a MariaDB (or MySQL) database, on a server, into a model document.
#pragma once

#include <string>

#include "import/schema_reader.h"

namespace tavik::import {

// The catalog is read through information_schema in one read-only transaction. The path is
// the database's address (mariadb://user@host:port/database); the client library takes
// the password from MYSQL_PWD or the [client] group of the option files (~/.my.cnf).
class MariadbReader : public SchemaReader {
 public:
  Outcome ReadSchema(const std::string& path, const SchemaImportOptions& options) const override;
};

}  // namespace tavik::import
