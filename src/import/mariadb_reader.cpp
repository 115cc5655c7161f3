// Reads the schema of a MariaDB (or MySQL) database, on a server, into a model document.
#include "import/mariadb_reader.h"

#include <errmsg.h>
#include <fmt/format.h>
#include <mysql.h>
#include <mysqld_error.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "import/imported_schema.h"
#include "import/server_catalog.h"
#include "import/server_expression.h"
#include "import/server_schema_import.h"
#include "import/server_url.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

// Seconds a connection, and each answer of the server, may take before the import gives up.
constexpr unsigned kTimeoutSeconds = 6;

struct CloseConnection {
  void operator()(MYSQL* connection) const { mysql_close(connection); }
};
struct FreeResult {
  void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};
using Connection = std::unique_ptr<MYSQL, CloseConnection>;
using Result = std::unique_ptr<MYSQL_RES, FreeResult>;

// A row's fields as texts; NULL as nothing.
using Row = std::vector<std::optional<std::string>>;

std::string TypeOfTable(const std::string& table_type) {
  if (table_type == "VIEW") return "view";
  if (table_type == "SEQUENCE") return "sequence";
  return "table";
}

// The quoted values of "enum('a','b')" or "set('a','b')".
std::vector<std::string> ListedValues(const std::string& column_type) {
  const std::size_t open = column_type.find('(');
  const std::string list = column_type.substr(open + 1, column_type.rfind(')') - open - 1);
  std::optional<ServerExpression::ValueList> values =
      ServerExpression::CheckedValues("v IN (" + list + ")");
  return values ? std::move(values->values) : std::vector<std::string>();
}

// What a failed connection means to the user, by the client library's error number.
std::string ConnectionProblem(unsigned error) {
  switch (error) {
    case CR_CONNECTION_ERROR:
    case CR_CONN_HOST_ERROR:
    case CR_UNKNOWN_HOST:
      return "nothing answers at that address; is the server running?";
    case ER_ACCESS_DENIED_ERROR:
      return "the server refused the user or the password (the password is taken from "
             "MYSQL_PWD or the [client] group of ~/.my.cnf)";
    case ER_DBACCESS_DENIED_ERROR:
    case ER_BAD_DB_ERROR:
      return "the database does not exist, or the user may not open it";
    case CR_SERVER_LOST:
    case CR_SERVER_GONE_ERROR:
      return "the server did not answer in time";
    default:
      return "the server could not be reached";
  }
}

// The reading of one database's catalog; every step returns false once it failed.
class MariadbImport {
 public:
  MariadbImport(std::string where, const ServerUrl& url) : where_(std::move(where)), url_(url) {}

  SchemaReader::Outcome Run(const SchemaImportOptions& options) {
    if (!Connect() || !Query("SET SESSION TRANSACTION READ ONLY", nullptr) ||
        !Query("START TRANSACTION READ ONLY", nullptr) || !ReadTables() || !ReadColumns() ||
        !ReadKeys() || !ReadChecks()) {
      return {BR_LOAD_UNREADABLE, {}, error_, {}};
    }
    Query("ROLLBACK", nullptr);
    return ServerSchemaImport(where_, options).Run(catalog_);
  }

 private:
  bool Fail(std::string message) {
    error_ = fmt::format("{}: {}", where_, message);
    return false;
  }

  bool Connect() {
    connection_.reset(mysql_init(nullptr));
    if (!connection_) throw std::bad_alloc();
    MYSQL* mysql = connection_.get();
    mysql_options(mysql, MYSQL_READ_DEFAULT_GROUP, "client");
    mysql_options(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &kTimeoutSeconds);
    mysql_options(mysql, MYSQL_OPT_READ_TIMEOUT, &kTimeoutSeconds);
    mysql_options(mysql, MYSQL_OPT_WRITE_TIMEOUT, &kTimeoutSeconds);
    mysql_options(mysql, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const auto text = [](const std::string& value) {
      return value.empty() ? nullptr : value.c_str();
    };
    const unsigned port = static_cast<unsigned>(std::strtoul(url_.port().c_str(), nullptr, 10));
    // No password here: the library takes MYSQL_PWD, or the option files' password.
    if (mysql_real_connect(mysql, text(url_.host()), text(url_.user()), nullptr,
                           url_.database().c_str(), port, nullptr, 0) == nullptr) {
      return Fail(fmt::format("cannot connect to the MariaDB server: {} ({})",
                              ConnectionProblem(mysql_errno(mysql)), mysql_error(mysql)));
    }
    return true;
  }

  // Runs a query; each row goes to on_row.
  bool Query(const std::string& sql, const std::function<void(const Row&)>& on_row) {
    MYSQL* mysql = connection_.get();
    if (mysql_real_query(mysql, sql.data(), sql.size()) != 0) {
      return Fail(fmt::format("cannot read the database's catalog: {}", mysql_error(mysql)));
    }
    Result result(mysql_store_result(mysql));
    if (!result) {
      if (mysql_field_count(mysql) == 0) return true;
      return Fail(fmt::format("cannot read the database's catalog: {}", mysql_error(mysql)));
    }
    const unsigned fields = mysql_num_fields(result.get());
    Row row(fields);
    while (MYSQL_ROW values = mysql_fetch_row(result.get())) {
      const unsigned long* lengths = mysql_fetch_lengths(result.get());
      for (unsigned i = 0; i < fields; ++i) {
        row[i] = values[i] ? std::optional<std::string>(std::in_place, values[i], lengths[i])
                           : std::nullopt;
      }
      if (on_row) on_row(row);
    }
    return true;
  }

  ServerCatalog::Table* FindTable(const std::optional<std::string>& name) {
    const auto found = tables_.find(name.value_or(""));
    return found == tables_.end() ? nullptr : &catalog_.tables[found->second];
  }

  bool ReadTables() {
    return Query(
        "SELECT TABLE_NAME, TABLE_TYPE, ENGINE FROM information_schema.TABLES "
        "WHERE TABLE_SCHEMA = DATABASE() ORDER BY TABLE_NAME",
        [&](const Row& row) {
          const std::string name = row[0].value_or("");
          const std::string type = TypeOfTable(row[1].value_or(""));
          const std::string engine = row[2].value_or("");
          // Only InnoDB keeps foreign keys: another engine takes them and forgets them.
          if (type == "table" && !engine.empty() && !SameName(engine, "InnoDB")) {
            catalog_.warnings.push_back(fmt::format(
                "table \"{}\" is a {} table, whose foreign keys the database does not keep: "
                "its links to other tables are not known",
                name, engine));
          }
          tables_.emplace(name, catalog_.tables.size());
          catalog_.tables.push_back({name, type, {}, {}, {}, {}});
        });
  }

  bool ReadColumns() {
    return Query(
        "SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, DATA_TYPE, IS_NULLABLE, COLUMN_DEFAULT, "
        "EXTRA, IS_GENERATED FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
        "ORDER BY TABLE_NAME, ORDINAL_POSITION",
        [&](const Row& row) {
          ServerCatalog::Table* table = FindTable(row[0]);
          if (table == nullptr) return;
          ServerCatalog::Column column;
          column.name = row[1].value_or("");
          column.type = row[2].value_or("");
          const std::string data_type = row[3].value_or("");
          column.edit_type = column.type;
          column.not_null = row[4] == "NO";
          // A default of NULL, written as the word, is none.
          if (row[5] && !SameName(*row[5], "NULL")) column.default_sql = row[5];
          const std::string extra = FoldedName(row[6].value_or(""));
          column.numbered = extra.find("auto_increment") != std::string::npos;
          column.generated = row[7] == "ALWAYS";
          if (SameName(column.type, "tinyint(1)")) column.edit_type = "boolean";
          if (data_type == "enum") {
            column.values = ListedValues(column.type);
            column.edit_type = "text";
          } else if (data_type == "set") {
            // Several values at once: a text box, its values named in the Tag.
            std::string names;
            for (const std::string& value : ListedValues(column.type)) {
              names += (names.empty() ? "" : ", ") + value;
            }
            column.tag = "Any of: " + names + " (separated by commas)";
            column.edit_type = "text";
          }
          table->columns.push_back(std::move(column));
        });
  }

  // KEY_COLUMN_USAGE alone: TABLE_CONSTRAINTS shows nothing to a role that only reads.
  bool ReadKeys() {
    std::string last_key;
    return Query(
               "SELECT TABLE_NAME, CONSTRAINT_NAME, COLUMN_NAME, "
               "CASE WHEN REFERENCED_TABLE_SCHEMA = DATABASE() THEN REFERENCED_TABLE_NAME "
               "ELSE CONCAT(REFERENCED_TABLE_SCHEMA, '.', REFERENCED_TABLE_NAME) END, "
               "REFERENCED_COLUMN_NAME FROM information_schema.KEY_COLUMN_USAGE "
               "WHERE TABLE_SCHEMA = DATABASE() "
               "ORDER BY TABLE_NAME, CONSTRAINT_NAME, ORDINAL_POSITION",
               [&](const Row& row) {
                 ServerCatalog::Table* table = FindTable(row[0]);
                 if (table == nullptr) return;
                 const std::string name = row[1].value_or("");
                 const std::string column = row[2].value_or("");
                 if (name == "PRIMARY") {
                   table->primary_key.push_back(column);
                 } else if (!row[3]) {
                   unique_parts_[table->name + '\n' + name].push_back(column);
                 } else {
                   const std::string key = table->name + '\n' + name;
                   if (key != last_key) {
                     catalog_.foreign_keys.push_back({table->name, *row[3], {}});
                     last_key = key;
                   }
                   catalog_.foreign_keys.back().columns.emplace_back(column, row[4].value_or(""));
                 }
               }) &&
           MarkUnique();
  }

  // A UNIQUE constraint of one column alone holds it to distinct values.
  bool MarkUnique() {
    for (const auto& [key, columns] : unique_parts_) {
      ServerCatalog::Table* table = FindTable(key.substr(0, key.find('\n')));
      if (table != nullptr && columns.size() == 1) table->unique_columns.push_back(columns[0]);
    }
    return true;
  }

  bool ReadChecks() {
    return Query(
        "SELECT TABLE_NAME, CHECK_CLAUSE FROM information_schema.CHECK_CONSTRAINTS "
        "WHERE CONSTRAINT_SCHEMA = DATABASE() ORDER BY TABLE_NAME, CONSTRAINT_NAME",
        [&](const Row& row) {
          if (ServerCatalog::Table* table = FindTable(row[0])) {
            table->checks.push_back(row[1].value_or(""));
          }
        });
  }

  std::string where_;
  const ServerUrl& url_;
  Connection connection_;
  ServerCatalog catalog_;
  std::unordered_map<std::string, std::size_t> tables_;  // catalog positions by name
  std::unordered_map<std::string, std::vector<std::string>> unique_parts_;
  std::string error_;
};

}  // namespace

SchemaReader::Outcome MariadbReader::ReadSchema(const std::string& path,
                                                const SchemaImportOptions& options) const {
  std::string error;
  const std::optional<ServerUrl> url = ServerUrl::Parse(path, error);
  if (!url) return {BR_LOAD_REFUSED, {}, path + ": " + error, {}};
  return MariadbImport(path, *url).Run(options);
}

}  // namespace tavik::import
