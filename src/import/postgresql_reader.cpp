// Reads the schema of a PostgreSQL database, on a server, into a model document.
#include "import/postgresql_reader.h"

#include <fmt/format.h>
#include <libpq-fe.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "import/server_catalog.h"
#include "import/server_schema_import.h"
#include "import/server_url.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

// Seconds a connection may take before the import gives up, and milliseconds a query may.
constexpr const char* kConnectTimeoutSeconds = "6";
constexpr const char* kStatementTimeout = "SET LOCAL statement_timeout = 6000";

struct FinishConnection {
  void operator()(PGconn* connection) const { PQfinish(connection); }
};
struct ClearResult {
  void operator()(PGresult* result) const { PQclear(result); }
};
using Connection = std::unique_ptr<PGconn, FinishConnection>;
using Result = std::unique_ptr<PGresult, ClearResult>;

// The relations a form may be made of, or that a key may refer to.
constexpr const char* kRelationKinds = "('r', 'p', 'v', 'm', 'f')";

// libpq's message on one line.
std::string OneLine(const char* message) {
  std::string line;
  for (const char* c = message; c != nullptr && *c != '\0'; ++c) {
    if (*c == '\n' || *c == '\t') {
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += *c;
    }
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string TypeOfRelation(char kind) {
  switch (kind) {
    case 'r':
    case 'p':
      return "table";
    case 'v':
    case 'm':
      return "view";
    default:
      return "foreign";
  }
}

// "{1,3}" as its numbers.
std::vector<int> Numbers(const std::string& array) {
  std::vector<int> numbers;
  const char* at = array.c_str();
  while (*at != '\0') {
    if (*at >= '0' && *at <= '9') {
      char* end = nullptr;
      numbers.push_back(static_cast<int>(std::strtol(at, &end, 10)));
      at = end;
    } else {
      ++at;
    }
  }
  return numbers;
}

// The reading of one database's catalog; every step returns false once it failed.
class PostgresqlImport {
 public:
  PostgresqlImport(std::string where, const ServerUrl& url) : where_(std::move(where)), url_(url) {}

  SchemaReader::Outcome Run(const SchemaImportOptions& options) {
    if (!Connect() || !Query("BEGIN TRANSACTION READ ONLY", {}, nullptr) ||
        !Query(kStatementTimeout, {}, nullptr) || !FindSchema() || !ReadRelations() ||
        !ReadColumns() || !ReadConstraints() || !ReadUniqueIndexes()) {
      return {status_, {}, error_, {}};
    }
    Query("ROLLBACK", {}, nullptr);
    return ServerSchemaImport(where_, options).Run(catalog_);
  }

 private:
  using OnRow = std::function<void(const PGresult*, int)>;

  bool Fail(std::string message) {
    status_ = BR_LOAD_UNREADABLE;
    error_ = fmt::format("{}: {}", where_, message);
    return false;
  }

  bool Connect() {
    std::vector<const char*> keys = {"dbname", "connect_timeout", "application_name",
                                     "client_encoding"};
    std::vector<const char*> values = {url_.database().c_str(), kConnectTimeoutSeconds, "tavikfw",
                                       "UTF8"};
    for (const auto& [key, value] :
         {std::pair("host", &url_.host()), std::pair("port", &url_.port()),
          std::pair("user", &url_.user())}) {
      if (value->empty()) continue;
      keys.push_back(key);
      values.push_back(value->c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    connection_.reset(PQconnectdbParams(keys.data(), values.data(), 0));
    if (!connection_) throw std::bad_alloc();
    if (PQstatus(connection_.get()) == CONNECTION_OK) return true;
    if (PQconnectionNeedsPassword(connection_.get()) != 0) {
      return Fail("the server asks for a password: give it by PGPASSWORD or ~/.pgpass");
    }
    return Fail("cannot connect to the PostgreSQL server: " +
                OneLine(PQerrorMessage(connection_.get())));
  }

  // Runs a query with text parameters; each row goes to on_row.
  bool Query(const char* sql, const std::vector<std::string>& parameters, const OnRow& on_row) {
    std::vector<const char*> texts;
    for (const std::string& parameter : parameters) texts.push_back(parameter.c_str());
    Result result(PQexecParams(connection_.get(), sql, static_cast<int>(texts.size()), nullptr,
                               texts.data(), nullptr, nullptr, 0));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
      return Fail("cannot read the database's catalog: " +
                  OneLine(PQerrorMessage(connection_.get())));
    }
    for (int row = 0; on_row && row < PQntuples(result.get()); ++row) on_row(result.get(), row);
    return true;
  }

  static std::string Text(const PGresult* result, int row, int column) {
    return PQgetvalue(result, row, column);
  }
  static bool IsNull(const PGresult* result, int row, int column) {
    return PQgetisnull(result, row, column) != 0;
  }

  bool FindSchema() {
    if (!Query("SELECT oid FROM pg_namespace WHERE nspname = $1", {url_.schema()},
               [&](const PGresult* result, int row) { namespace_ = Text(result, row, 0); })) {
      return false;
    }
    if (namespace_.empty()) {
      return Fail(fmt::format("the database has no schema \"{}\"", url_.schema()));
    }
    return true;
  }

  bool ReadRelations() {
    const std::string sql = fmt::format(
        "SELECT oid, relname, relkind FROM pg_class WHERE relnamespace = $1::oid "
        "AND relkind IN {} ORDER BY oid",
        kRelationKinds);
    return Query(sql.c_str(), {namespace_}, [&](const PGresult* result, int row) {
      tables_.emplace(Text(result, row, 0), catalog_.tables.size());
      catalog_.tables.push_back(
          {Text(result, row, 1), TypeOfRelation(Text(result, row, 2)[0]), {}, {}, {}, {}});
    });
  }

  // A domain: what its columns take of it, beside what they declare themselves.
  struct Domain {
    std::string base;       // the oid of the type it is made over, perhaps another domain
    std::string base_type;  // that type's name, with its length or precision
    bool not_null = false;
    std::optional<std::string> default_sql;  // a domain over a domain was given its default
    std::vector<std::string> checks;
  };

  bool ReadEnumsAndDomains() {
    return Query("SELECT enumtypid, enumlabel FROM pg_enum ORDER BY enumtypid, enumsortorder", {},
                 [&](const PGresult* result, int row) {
                   enums_[Text(result, row, 0)].push_back(Text(result, row, 1));
                 }) &&
           Query(
               "SELECT oid, typbasetype, format_type(typbasetype, typtypmod), typnotnull, "
               "pg_get_expr(typdefaultbin, 0) FROM pg_type WHERE typtype = 'd'",
               {},
               [&](const PGresult* result, int row) {
                 Domain& domain = domains_[Text(result, row, 0)];
                 domain.base = Text(result, row, 1);
                 domain.base_type = Text(result, row, 2);
                 domain.not_null = Text(result, row, 3) == "t";
                 if (!IsNull(result, row, 4)) domain.default_sql = Text(result, row, 4);
               }) &&
           Query(
               "SELECT contypid, pg_get_constraintdef(oid) FROM pg_constraint "
               "WHERE contypid <> 0 AND contype = 'c' ORDER BY oid",
               {}, [&](const PGresult* result, int row) {
                 const auto domain = domains_.find(Text(result, row, 0));
                 if (domain != domains_.end())
                   domain->second.checks.push_back(Text(result, row, 1));
               });
  }

  // What a column takes of its type: a domain's NOT NULL and CHECKs, and those of the domains
  // it is made over; its default, unless the column has one; the type beneath them all, and
  // an enumerated type's values.
  void TakeType(std::string type, ServerCatalog::Column& column) const {
    bool outermost = true;
    // Domains cannot be made over themselves; the bound only guards against a catalog
    // changed while it is read.
    for (std::size_t depth = 0; depth <= domains_.size(); ++depth) {
      const auto domain = domains_.find(type);
      if (domain == domains_.end()) break;
      const Domain& made = domain->second;
      column.not_null = column.not_null || made.not_null;
      column.checks.insert(column.checks.end(), made.checks.begin(), made.checks.end());
      if (outermost && !column.default_sql) column.default_sql = made.default_sql;
      outermost = false;
      column.edit_type = made.base_type;
      type = made.base;
    }
    if (const auto found = enums_.find(type); found != enums_.end()) {
      column.values = found->second;
      column.edit_type = "text";
    }
  }

  bool ReadColumns() {
    if (!ReadEnumsAndDomains()) return false;
    const std::string sql = fmt::format(
        "SELECT a.attrelid, a.attnum, a.attname, format_type(a.atttypid, a.atttypmod), "
        "a.attnotnull, a.attidentity, a.attgenerated, pg_get_expr(d.adbin, d.adrelid), "
        "a.atttypid FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
        "LEFT JOIN pg_attrdef d ON d.adrelid = a.attrelid AND d.adnum = a.attnum "
        "WHERE c.relnamespace = $1::oid AND c.relkind IN {} AND a.attnum > 0 "
        "AND NOT a.attisdropped ORDER BY a.attrelid, a.attnum",
        kRelationKinds);
    return Query(sql.c_str(), {namespace_}, [&](const PGresult* result, int row) {
      ServerCatalog::Table* table = FindTable(Text(result, row, 0));
      if (table == nullptr) return;
      ServerCatalog::Column column;
      column.name = Text(result, row, 2);
      column.type = Text(result, row, 3);
      column.edit_type = column.type;
      column.not_null = Text(result, row, 4) == "t";
      const std::string identity = Text(result, row, 5);
      column.generated = !Text(result, row, 6).empty();
      if (!IsNull(result, row, 7)) column.default_sql = Text(result, row, 7);
      TakeType(Text(result, row, 8), column);
      // Identity and serial columns are numbered by the database.
      column.numbered =
          !identity.empty() || (column.default_sql && column.default_sql->starts_with("nextval("));
      if (column.edit_type == "bytea") column.edit_type = "blob";
      attribute_names_[Text(result, row, 0) + '.' + Text(result, row, 1)] = column.name;
      table->columns.push_back(std::move(column));
    });
  }

  // The table or view of that oid, or none when it is no relation of the import.
  ServerCatalog::Table* FindTable(const std::string& relation) {
    const auto found = tables_.find(relation);
    return found == tables_.end() ? nullptr : &catalog_.tables[found->second];
  }

  // The names of a key's columns, by their numbers in the table.
  std::vector<std::string> ColumnNames(const std::string& relation, const std::string& numbers) {
    std::vector<std::string> names;
    for (const int number : Numbers(numbers)) {
      const auto found = attribute_names_.find(relation + '.' + std::to_string(number));
      names.push_back(found == attribute_names_.end() ? std::to_string(number) : found->second);
    }
    return names;
  }

  bool ReadConstraints() {
    // A key to a table of another schema names that schema: it is no table of this import.
    return Query(
        "SELECT con.conrelid, con.contype, con.conkey, con.confrelid, con.confkey, "
        "pg_get_constraintdef(con.oid), "
        "CASE WHEN f.relnamespace = $1::oid THEN f.relname ELSE n.nspname || '.' || f.relname END "
        "FROM pg_constraint con JOIN pg_class c ON c.oid = con.conrelid "
        "LEFT JOIN pg_class f ON f.oid = con.confrelid "
        "LEFT JOIN pg_namespace n ON n.oid = f.relnamespace "
        "WHERE c.relnamespace = $1::oid AND con.contype IN ('p', 'f', 'c') ORDER BY con.oid",
        {namespace_}, [&](const PGresult* result, int row) {
          const std::string relation = Text(result, row, 0);
          ServerCatalog::Table* owner = FindTable(relation);
          if (owner == nullptr) return;
          const std::vector<std::string> columns = ColumnNames(relation, Text(result, row, 2));
          switch (Text(result, row, 1)[0]) {
            case 'p':
              owner->primary_key = columns;
              break;
            case 'c':
              owner->checks.push_back(Text(result, row, 5));
              break;
            default:
              AddForeignKey(owner->name, columns, Text(result, row, 6),
                            ColumnNames(Text(result, row, 3), Text(result, row, 4)));
          }
        });
  }

  // A unique index of one column alone, whether a UNIQUE constraint made it or CREATE UNIQUE
  // INDEX did, holds the column to distinct values; a partial index holds only some rows, an
  // index of an expression no column, and an index not yet valid may still hold duplicates.
  // The primary key's own index does not count: a key is seldom what a user calls a row by.
  bool ReadUniqueIndexes() {
    return Query(
        "SELECT i.indrelid, i.indkey[0] FROM pg_index i JOIN pg_class c ON c.oid = i.indrelid "
        "WHERE c.relnamespace = $1::oid AND i.indisunique AND NOT i.indisprimary "
        "AND i.indisvalid AND i.indnkeyatts = 1 AND i.indkey[0] <> 0 AND i.indpred IS NULL "
        "ORDER BY i.indexrelid",
        {namespace_}, [&](const PGresult* result, int row) {
          const std::string relation = Text(result, row, 0);
          if (ServerCatalog::Table* table = FindTable(relation)) {
            table->unique_columns.push_back(ColumnNames(relation, Text(result, row, 1)).front());
          }
        });
  }

  void AddForeignKey(const std::string& detail, const std::vector<std::string>& from,
                     const std::string& master, const std::vector<std::string>& to) {
    ServerCatalog::ForeignKey key{detail, master, {}};
    for (std::size_t i = 0; i < from.size() && i < to.size(); ++i) {
      key.columns.emplace_back(from[i], to[i]);
    }
    catalog_.foreign_keys.push_back(std::move(key));
  }

  std::string where_;
  const ServerUrl& url_;
  Connection connection_;
  std::string namespace_;  // the schema's oid
  ServerCatalog catalog_;
  std::unordered_map<std::string, std::size_t> tables_;              // catalog positions by oid
  std::unordered_map<std::string, std::vector<std::string>> enums_;  // values by type oid
  std::unordered_map<std::string, Domain> domains_;                  // by type oid
  // Column names by "relation oid.column number".
  std::unordered_map<std::string, std::string> attribute_names_;
  std::int32_t status_ = BR_LOAD_OK;
  std::string error_;
};

}  // namespace

SchemaReader::Outcome PostgresqlReader::ReadSchema(const std::string& path,
                                                   const SchemaImportOptions& options) const {
  std::string error;
  const std::optional<ServerUrl> url = ServerUrl::Parse(path, error);
  if (!url) return {BR_LOAD_REFUSED, {}, path + ": " + error, {}};
  return PostgresqlImport(path, *url).Run(options);
}

}  // namespace tavik::import
