// The catalog of a database server made into a model document by the rules every reader
// follows.
#include "import/server_schema_import.h"

#include <fmt/format.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "import/column_edit_style.h"
#include "import/server_expression.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

// The values of the first CHECK list of each column, by folded column name; a domain's
// constraints, on VALUE, under "value".
std::unordered_map<std::string, std::vector<std::string>> CheckedLists(
    const std::vector<std::string>& checks) {
  std::unordered_map<std::string, std::vector<std::string>> lists;
  for (const std::string& check : checks) {
    std::optional<ServerExpression::ValueList> list = ServerExpression::CheckedValues(check);
    if (!list) continue;
    std::vector<std::string> values;
    for (std::string& value : list->values) {
      if (std::find(values.begin(), values.end(), value) == values.end()) {
        values.push_back(std::move(value));
      }
    }
    lists.emplace(FoldedName(list->column), std::move(values));
  }
  return lists;
}

}  // namespace

SchemaReader::Outcome ServerSchemaImport::Run(const ServerCatalog& catalog) {
  for (const std::string& warning : catalog.warnings) schema_.Warn(warning);
  std::unordered_map<std::string, const ServerCatalog::Table*> by_name;
  for (const ServerCatalog::Table& table : catalog.tables) {
    by_name.emplace(FoldedName(table.name), &table);
    schema_.AddObject({table.type, table.name});
  }
  const auto refused = [&](std::string why) {
    return SchemaReader::Outcome{BR_LOAD_REFUSED, {}, where_ + ": " + why, {}};
  };
  if (std::string why = schema_.ChooseTables(options_); !why.empty()) return refused(why);
  for (ImportedSchema::Table& table : schema_.tables()) {
    ReadColumns(*by_name.at(FoldedName(table.name)), table);
    if (table.columns.empty()) {
      return refused(fmt::format("table \"{}\" has no columns that can be entered", table.name));
    }
  }
  ReadForeignKeys(catalog);
  if (std::string why = schema_.Finish(); !why.empty()) return refused(why);
  return SchemaReader::Imported(schema_);
}

void ServerSchemaImport::ReadColumns(const ServerCatalog::Table& source,
                                     ImportedSchema::Table& table) {
  auto lists = CheckedLists(source.checks);
  for (const ServerCatalog::Column& from : source.columns) {
    if (from.generated) {
      schema_.Warn(fmt::format(
          "table \"{}\", column \"{}\" is left out: the database computes it (a generated column)",
          source.name, from.name));
      continue;
    }
    ImportedSchema::Column column;
    column.name = from.name;
    column.type = from.type;
    column.tag = from.tag;
    const auto key = std::find(source.primary_key.begin(), source.primary_key.end(), from.name);
    if (key != source.primary_key.end()) {
      column.key_position = static_cast<int>(key - source.primary_key.begin()) + 1;
    }
    column.unique = std::find(source.unique_columns.begin(), source.unique_columns.end(),
                              from.name) != source.unique_columns.end();
    column.required = from.not_null || column.key_position > 0;
    // The database numbers a new row itself.
    column.filled_by_database = from.numbered;
    if (from.numbered) column.required = false;
    // A column of a domain with no default of its own has the domain's.
    if (column.required && from.default_sql) {
      schema_.TakeDefault(column,
                          fmt::format("table \"{}\", column \"{}\"", source.name, from.name),
                          *from.default_sql, ServerExpression::Default(*from.default_sql));
    }
    // An enumerated type's values, else the column's CHECK list, else its domain's.
    std::vector<std::string> values = from.values;
    if (const auto found = lists.find(FoldedName(from.name));
        values.empty() && found != lists.end()) {
      values = found->second;
    }
    if (values.empty()) {
      auto domain_lists = CheckedLists(from.checks);
      if (const auto found = domain_lists.find("value"); found != domain_lists.end()) {
        values = std::move(found->second);
      }
    }
    ColumnEditStyle::Choose(column, values.empty() ? nullptr : &values, from.edit_type);
    table.columns.push_back(std::move(column));
  }
}

void ServerSchemaImport::ReadForeignKeys(const ServerCatalog& catalog) {
  std::unordered_map<std::size_t, std::unordered_set<std::size_t>> masters_of_detail;
  for (const ServerCatalog::ForeignKey& key : catalog.foreign_keys) {
    const auto detail = schema_.FindTable(key.detail);
    if (!detail) continue;  // a table left out of the import
    std::vector<std::string> from_names;
    for (const auto& [from, to] : key.columns) from_names.push_back(from);
    ImportedSchema::Link link{schema_.FindTable(key.master).value_or(0), *detail, {}, {}};
    std::string why = schema_.LinkProblem(*detail, key.master);
    if (why.empty()) why = ResolveKeyColumns(link, key);
    if (why.empty()) {
      schema_.AddLink(std::move(link), from_names, masters_of_detail[*detail]);
      continue;
    }
    // A key the form cannot show as a relationship (to its own table, say) can still be a
    // lookup of the table it refers to.
    bool lookup = false;
    if (const auto master = schema_.FindTable(key.master)) {
      ImportedSchema::Link target{*master, *detail, {}, {}};
      lookup = ResolveKeyColumns(target, key).empty() && schema_.MakeLookup(target);
    }
    schema_.KeepAsPlainColumns(*detail, from_names, key.master, why, lookup);
  }
}

std::string ServerSchemaImport::ResolveKeyColumns(ImportedSchema::Link& link,
                                                  const ServerCatalog::ForeignKey& key) {
  const ImportedSchema::Table& detail = schema_.tables()[link.detail];
  const ImportedSchema::Table& master = schema_.tables()[link.master];
  for (const auto& [from, to] : key.columns) {
    const auto from_position = detail.ColumnPosition(from);
    if (!from_position) {
      return fmt::format("column \"{}\" is computed by the database and not imported", from);
    }
    const auto to_position = master.ColumnPosition(to);
    if (!to_position) return fmt::format("\"{}\" has no column \"{}\"", master.name, to);
    link.detail_columns.push_back(*from_position);
    link.master_columns.push_back(*to_position);
  }
  return {};
}

}  // namespace tavik::import
