// Writes a synthetic SQLite database for measuring the import: make_database TABLES PATH
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fmt/format.h>

namespace {

// Ten columns a table: a key, text columns, flag columns with a CHECK list, and in chains of
// three a foreign key to the table before.
std::string TableSql(int table) {
  std::string columns = "id INTEGER PRIMARY KEY";
  for (int column = 1; column <= 8; ++column) {
    columns += column % 3 != 0 ? fmt::format(", c{} VARCHAR(30)", column)
                               : fmt::format(", c{0} CHAR(1) CHECK (c{0} IN ('Y', 'N'))", column);
  }
  columns += table % 3 != 1 ? fmt::format(", parent_id INTEGER REFERENCES t{}(id)", table - 1)
                            : std::string(", note TEXT");
  return fmt::format("CREATE TABLE t{} ({});\n", table, columns);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_database TABLES PATH\n");
    return 64;
  }
  std::string script = "BEGIN;\n";
  for (int table = 1, tables = std::atoi(argv[1]); table <= tables; ++table) {
    script += TableSql(table);
  }
  script += "COMMIT;\n";
  std::remove(argv[2]);
  sqlite3* database = nullptr;
  int status = sqlite3_open(argv[2], &database);
  if (status == SQLITE_OK)
    status = sqlite3_exec(database, script.c_str(), nullptr, nullptr, nullptr);
  if (status != SQLITE_OK) std::fprintf(stderr, "make_database: %s\n", sqlite3_errmsg(database));
  sqlite3_close(database);
  return status == SQLITE_OK ? 0 : 74;
}
