// What a reader of a database server finds in its catalog: the tables and views, their
// columns, keys and constraints, and the foreign keys between them.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavik::import {

struct ServerCatalog {
  struct Column {
    std::string name;
    std::string type;       // as the database names it (a domain by its own name)
    std::string edit_type;  // the type the edit style follows, in SQL's usual words
    bool not_null = false;
    bool numbered = false;   // identity, serial or AUTO_INCREMENT: the database fills it
    bool generated = false;  // computed by the database from other columns
    std::optional<std::string> default_sql;  // its own, else its domain's
    std::vector<std::string> values;         // an enumerated type's values, in their order
    std::vector<std::string> checks;         // its domains' CHECK constraints, on VALUE
    std::string tag;                         // what the control's Tag tells the user
  };
  struct Table {
    std::string name;
    std::string type;  // "table", "view", or what else the reader calls it
    std::vector<Column> columns;
    std::vector<std::string> primary_key;     // column names, in key order
    std::vector<std::string> unique_columns;  // each alone held to distinct values
    std::vector<std::string> checks;          // CHECK constraints as the server gives them
  };
  struct ForeignKey {
    std::string detail;  // the table that refers
    std::string master;  // the table referred to
    // Detail column and master column, in the key's order.
    std::vector<std::pair<std::string, std::string>> columns;
  };

  std::vector<Table> tables;  // in the order the import shows them
  std::vector<ForeignKey> foreign_keys;
  std::vector<std::string> warnings;  // what the reader alone knows the model lacks
};

}  // namespace tavik::import
