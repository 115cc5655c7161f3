// Reads the schema of an Access file (Jet 3, Jet 4 or ACE) into a model document.
#include "import/access_reader.h"

#include <dlfcn.h>
#include <fmt/format.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "import/access_catalog.h"
#include "import/access_file_check.h"
#include "import/access_input_mask.h"
#include "import/access_lookup_query.h"
#include "import/imported_schema.h"
#include "tavikfw/brenlo.h"
#include "text/expression_tokens.h"
#include "text/value_rule.h"

namespace tavik::import {
namespace {

using Column = ImportedSchema::Column;
using Properties = std::map<std::string, std::string>;

// Access's DisplayControl values.
constexpr int kShowCheckBox = 106;
constexpr int kShowListBox = 110;
constexpr int kShowComboBox = 111;

// The module lies beside the code that loads it, or in the library folder beside the
// program's folder, as the build lays them out: lib/libbrenlo.so, bin/tavikfw and
// lib/tavikfw_access.so.
ReadAccessCatalogFunction* LoadModule(std::string& error) {
  static std::string load_error;
  static ReadAccessCatalogFunction* const read = []() -> ReadAccessCatalogFunction* {
    Dl_info here{};
    if (dladdr(reinterpret_cast<void*>(&LoadModule), &here) == 0 || here.dli_fname == nullptr) {
      load_error = "the Access module could not be found";
      return nullptr;
    }
    const std::filesystem::path folder = std::filesystem::path(here.dli_fname).parent_path();
    void* module = nullptr;
    for (const auto& path :
         {folder / TAVIK_ACCESS_MODULE, folder.parent_path() / "lib" / TAVIK_ACCESS_MODULE}) {
      module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (module != nullptr) break;
      load_error = "the Access module could not be loaded: " + std::string(dlerror());
    }
    if (module == nullptr) return nullptr;
    void* entry = dlsym(module, kReadAccessCatalogSymbol);
    if (entry == nullptr) load_error = "the Access module has no reader";
    return reinterpret_cast<ReadAccessCatalogFunction*>(entry);
  }();
  if (read == nullptr) error = load_error;
  return read;
}

std::string Property(const Properties& properties, const std::string& name) {
  const auto found = properties.find(name);
  return found == properties.end() ? std::string() : found->second;
}

bool IsYes(const std::string& value) {
  return SameName(value, "yes") || SameName(value, "true") || value == "-1" || value == "1";
}

// The type as Access names it in the table's design.
std::string TypeName(const AccessCatalog::Column& column, int jet_version,
                     const Properties& properties) {
  switch (column.type) {
    case kJetBoolean:
      return "Yes/No";
    case kJetByte:
      return "Byte";
    case kJetInteger:
      return "Integer";
    case kJetLong:
      return column.auto_number ? "AutoNumber" : "Long Integer";
    case kJetCurrency:
      return "Currency";
    case kJetSingle:
      return "Single";
    case kJetDouble:
      return "Double";
    case kJetDateTime:
      return "Date/Time";
    case kJetBinary:
      return fmt::format("Binary({})", column.size);
    case kJetText:  // Jet 4 and ACE keep text in two bytes a character
      return fmt::format("Text({})", jet_version == 0 ? column.size : column.size / 2);
    case kJetOle:
      return "OLE Object";
    case kJetMemo:
      return IsYes(Property(properties, "IsHyperlink")) ? "Hyperlink" : "Memo";
    case kJetGuid:
      return "Replication ID";
    case kJetDecimal:
      return "Decimal";
    case kJetComplex:
      return "Attachment";
    default:
      return fmt::format("Type {}", column.type);
  }
}

// "Dr.;Mr.;Mrs." as value pairs: with two columns, shown and stored by BoundColumn.
ImportedSchema::ValuePairs ValueList(std::string_view row_source, int columns, int bound) {
  std::vector<std::string> items;
  std::string item;
  bool quoted = false;
  for (char c : row_source) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ';' && !quoted) {
      items.push_back(std::move(item));
      item.clear();
    } else {
      item += c;
    }
  }
  if (!item.empty()) items.push_back(std::move(item));
  ImportedSchema::ValuePairs pairs;
  const std::size_t width = columns < 1 ? 1 : static_cast<std::size_t>(columns);
  const std::size_t stored = bound < 1 || bound > columns ? 0 : static_cast<std::size_t>(bound - 1);
  const std::size_t shown = width > 1 && stored == 0 ? 1 : 0;
  for (std::size_t row = 0; row + width <= items.size(); row += width) {
    pairs.emplace_back(items[row + shown], items[row + stored]);
  }
  return pairs;
}

// The catalog's tables and their columns by name, case ignored.
class CatalogIndex {
 public:
  explicit CatalogIndex(const AccessCatalog& catalog) {
    for (const AccessCatalog::Table& table : catalog.tables) {
      tables_.emplace(FoldedName(table.name), &table);
      for (const AccessCatalog::Column& column : table.columns) {
        columns_.emplace(ColumnKey(table.name, column.name), &column);
      }
    }
  }

  const AccessCatalog::Table* FindTable(std::string_view name) const {
    const auto found = tables_.find(FoldedName(name));
    return found == tables_.end() ? nullptr : found->second;
  }
  const AccessCatalog::Column* FindColumn(const AccessCatalog::Table& table,
                                          std::string_view name) const {
    const auto found = columns_.find(ColumnKey(table.name, name));
    return found == columns_.end() ? nullptr : found->second;
  }

 private:
  static std::string ColumnKey(std::string_view table, std::string_view column) {
    return FoldedName(table) + '\n' + FoldedName(column);
  }

  std::unordered_map<std::string, const AccessCatalog::Table*> tables_;
  std::unordered_map<std::string, const AccessCatalog::Column*> columns_;
};

// Access's DefaultValue as the value a new record's box starts with: a number or a text as
// it is, Yes and No as Jet's True and False, Date() and Now() as the moment of the new
// record; nothing for any other expression.
std::optional<std::string> DefaultOf(std::string_view expression) {
  std::vector<text::ExpressionTokens::Token> tokens;
  if (!text::ExpressionTokens::Split(expression, tokens)) return std::nullopt;
  if (!tokens.empty() && text::ExpressionTokens::Is(tokens.front(), "=")) {
    tokens.erase(tokens.begin());
  }
  using Kind = text::ExpressionTokens::Kind;
  const auto is = [&](std::size_t at, std::string_view word) {
    return at < tokens.size() && text::ExpressionTokens::Is(tokens[at], word);
  };
  if (tokens.size() == 3 && is(1, "(") && is(2, ")")) {
    if (is(0, "Date")) return "CURRENT_DATE";
    if (is(0, "Now")) return "CURRENT_TIMESTAMP";
    if (is(0, "Time")) return "CURRENT_TIME";
  }
  if (tokens.size() == 2 && is(0, "-") && tokens[1].kind == Kind::kNumber) {
    return "-" + tokens[1].text;
  }
  if (tokens.size() != 1) return std::nullopt;
  const auto& token = tokens.front();
  if (token.kind == Kind::kNumber || token.kind == Kind::kString) return token.text;
  if (is(0, "Yes") || is(0, "True") || is(0, "On")) return "-1";
  if (is(0, "No") || is(0, "False") || is(0, "Off")) return "0";
  return std::nullopt;
}

// Reads one column's Access properties into the attribute; what the form cannot carry goes
// to warn.
class ColumnProperties {
 public:
  ColumnProperties(const CatalogIndex& index, const AccessCatalog::Column& source, Column& column,
                   ImportedSchema& schema, std::string place)
      : index_(index),
        source_(source),
        column_(column),
        schema_(schema),
        place_(std::move(place)) {}

  void Apply() {
    column_.caption = Property(source_.properties, "Caption");
    column_.tag = Property(source_.properties, "Description");
    if (IsYes(Property(source_.properties, "Required"))) column_.required = true;
    ChooseEditStyle();
    ApplyInputMask();
    ApplyFormat();
    ApplyValidationRule();
    ApplyDefault();
  }

 private:
  void NotCarried(std::string_view name, std::string_view value, std::string_view why = {}) {
    schema_.Warn(fmt::format("{}: its {} ({}) is not carried into the form{}{}", place_, name,
                             value, why.empty() ? "" : ": ", why));
  }

  void ChooseEditStyle() {
    const int display = std::atoi(Property(source_.properties, "DisplayControl").c_str());
    if (source_.type == kJetBoolean) {
      column_.edit_style = kCheckBoxStyle;
      column_.flags = {{"Yes", "-1"}, {"No", "0"}};  // Jet's True and False
      return;
    }
    if (source_.type == kJetOle) {
      column_.edit_style = kPictureStyle;
      return;
    }
    if (display == kShowCheckBox) {
      NotCarried("DisplayControl", "check box", "the column is not Yes/No");
    }
    if (display != kShowListBox && display != kShowComboBox) return;
    const int style_before = column_.edit_style;
    column_.edit_style = display == kShowListBox ? kListBoxStyle : kComboBoxStyle;
    const std::string kind = Property(source_.properties, "RowSourceType");
    const std::string source = Property(source_.properties, "RowSource");
    if (SameName(kind, "Value List")) {
      column_.values =
          ValueList(source, std::atoi(Property(source_.properties, "ColumnCount").c_str()),
                    std::atoi(Property(source_.properties, "BoundColumn").c_str()));
      column_.values_limit = IsYes(Property(source_.properties, "LimitToList"));
    } else if (!source.empty() && !MakeLookup(source, display == kShowListBox)) {
      // A list with nothing in it could neither show nor keep the field's value: the column
      // stays what it was, so the value can still be read and typed.
      column_.edit_style = style_before;
      NotCarried("RowSource", source,
                 "only a query of one table's columns becomes a lookup; the form shows the "
                 "stored value instead");
    }
  }

  // A query of the key and the column shown, with BoundColumn naming the key: the lookup
  // edit style, which fills its list from that table.
  bool MakeLookup(const std::string& row_source, bool list_box) {
    const auto query = AccessLookupQuery::Parse(row_source);
    const AccessCatalog::Table* table = query ? index_.FindTable(query->table()) : nullptr;
    if (table == nullptr) return false;
    std::vector<std::string> columns = query->columns();
    if (columns.empty()) {
      for (const auto& column : table->columns) columns.push_back(column.name);
    }
    const int count = std::atoi(Property(source_.properties, "ColumnCount").c_str());
    const int bound = std::atoi(Property(source_.properties, "BoundColumn").c_str());
    const std::size_t width = std::clamp<std::size_t>(count < 1 ? 1 : count, 1, columns.size());
    const std::size_t key = bound < 1 ? 0 : static_cast<std::size_t>(bound - 1);
    if (key >= columns.size()) return false;
    std::size_t shown = key;  // the first other column the list shows, else the key
    for (std::size_t i = 0; i < width && shown == key; ++i) {
      if (i != key) shown = i;
    }
    const auto* key_column = index_.FindColumn(*table, columns[key]);
    const auto* shown_column = index_.FindColumn(*table, columns[shown]);
    if (key_column == nullptr || shown_column == nullptr) return false;
    column_.edit_style = kLookupStyle;
    column_.values_limit = false;
    column_.lookup_table = table->name;
    column_.lookup_key = key_column->name;
    column_.lookup_display = shown_column->name;
    if (list_box) NotCarried("DisplayControl", "list box", "the lookup is a drop-down list");
    return true;
  }

  void ApplyInputMask() {
    const std::string access_mask = Property(source_.properties, "InputMask");
    if (access_mask.empty()) return;
    if (column_.edit_style != kTextBoxStyle) {
      NotCarried("InputMask", access_mask, "the column is not shown in a text box");
      return;
    }
    const auto translated = AccessInputMask::Translate(access_mask);
    if (!translated) {
      NotCarried("InputMask", access_mask, "the masked edit has no password mask");
      return;
    }
    if (!translated->lost.empty()) {
      NotCarried(
          "InputMask", access_mask,
          fmt::format("it is kept without {}, which the masked edit cannot do", translated->lost));
    }
    column_.edit_style = kMaskedEditStyle;
    column_.mask = translated->mask;
  }

  // Text boxes and masked edits check the rule before the record is saved; a rule they
  // cannot check stays in the form's code as a comment.
  void ApplyValidationRule() {
    const std::string rule = Property(source_.properties, "ValidationRule");
    if (rule.empty()) return;
    if (column_.edit_style != kTextBoxStyle && column_.edit_style != kMaskedEditStyle) {
      NotCarried("ValidationRule", rule, "only text boxes and masked edits check a rule");
      return;
    }
    column_.rule = rule;
    column_.rule_message = Property(source_.properties, "ValidationText");
    if (!text::ValueRule::BreakingCondition(rule, "x")) {
      NotCarried("ValidationRule", rule,
                 "the form cannot check it and keeps it as a comment in its code");
    }
  }

  // A new record starts with the default the form can write; a lookup or a picture cannot
  // show one.
  void ApplyDefault() {
    const std::string expression = Property(source_.properties, "DefaultValue");
    if (expression.empty()) return;
    if (column_.edit_style == kLookupStyle || column_.edit_style == kPictureStyle) {
      NotCarried("DefaultValue", expression, "a lookup or a picture starts a new record empty");
      return;
    }
    schema_.TakeDefault(column_, place_, expression, DefaultOf(expression));
  }

  void ApplyFormat() {
    const std::string format = Property(source_.properties, "Format");
    if (format.empty()) return;
    if (column_.edit_style == kMaskedEditStyle || column_.edit_style == kTextBoxStyle) {
      column_.format = format;
    } else if (column_.edit_style != kCheckBoxStyle) {
      NotCarried("Format", format, "a list shows its entries as they are");
    }
  }

  const CatalogIndex& index_;
  const AccessCatalog::Column& source_;
  Column& column_;
  ImportedSchema& schema_;
  std::string place_;
};

// The reading of one Access file; every step returns false once the import failed.
class AccessImport {
 public:
  AccessImport(std::string path, const SchemaImportOptions& options)
      : path_(std::move(path)), options_(options), schema_(path_) {}

  SchemaReader::Outcome Run(ReadAccessCatalogFunction* read_catalog) {
    std::string error;
    if (std::int32_t status = read_catalog(path_, catalog_, error); status != BR_LOAD_OK) {
      return Failed(status, error);
    }
    index_ = std::make_unique<CatalogIndex>(catalog_);
    for (const AccessCatalog::Table& table : catalog_.tables)
      schema_.AddObject({"table", table.name});
    if (std::string why = schema_.ChooseTables(options_); !why.empty()) {
      return Failed(BR_LOAD_REFUSED, why);
    }
    for (const AccessCatalog::Table& table : catalog_.tables) {
      if (auto position = schema_.FindTable(table.name)) ReadColumns(table, *position);
    }
    ReadRelationships();
    if (std::string why = schema_.Finish(); !why.empty()) return Failed(BR_LOAD_REFUSED, why);
    return SchemaReader::Imported(schema_);
  }

 private:
  SchemaReader::Outcome Failed(std::int32_t status, std::string_view why) const {
    return {status, {}, fmt::format("{}: {}", path_, why), {}};
  }

  void ReadColumns(const AccessCatalog::Table& source, std::size_t position) {
    ImportedSchema::Table& table = schema_.tables()[position];
    std::vector<bool> unique(source.columns.size(), false);
    for (std::size_t column : source.unique_columns) unique[column] = true;
    for (std::size_t i = 0; i < source.columns.size(); ++i) {
      const AccessCatalog::Column& from = source.columns[i];
      Column column;
      column.name = from.name;
      column.type = TypeName(from, catalog_.jet_version, from.properties);
      for (std::size_t k = 0; k < source.primary_key.size(); ++k) {
        if (source.primary_key[k] == i) column.key_position = static_cast<int>(k + 1);
      }
      column.required = column.key_position > 0;
      column.unique = unique[i];
      ColumnProperties(*index_, from, column, schema_,
                       fmt::format("table \"{}\", column \"{}\"", source.name, from.name))
          .Apply();
      // The database numbers a new row itself.
      if (from.auto_number) {
        column.filled_by_database = true;
        column.required = false;
      }
      table.columns.push_back(std::move(column));
    }
  }

  void ReadRelationships() {
    std::map<std::size_t, std::unordered_set<std::size_t>> masters_of_detail;
    for (const AccessCatalog::Relationship& relationship : catalog_.relationships) {
      const auto detail = schema_.FindTable(relationship.detail);
      if (!detail) continue;  // a table left out of the import
      std::vector<std::string> from_names;
      for (const auto& [from, to] : relationship.columns) from_names.push_back(from);
      ImportedSchema::Link link{
          schema_.FindTable(relationship.master).value_or(0), *detail, {}, {}};
      std::string why = schema_.LinkProblem(*detail, relationship.master);
      for (const auto& [from, to] : relationship.columns) {
        if (!why.empty()) break;
        const auto from_position = schema_.tables()[link.detail].ColumnPosition(from);
        const auto to_position = schema_.tables()[link.master].ColumnPosition(to);
        if (!from_position || !to_position) {
          why = fmt::format("the relationship names a column that \"{}\" or \"{}\" does not have",
                            relationship.detail, relationship.master);
          break;
        }
        link.detail_columns.push_back(*from_position);
        link.master_columns.push_back(*to_position);
      }
      if (why.empty()) {
        schema_.AddLink(std::move(link), from_names, masters_of_detail[*detail]);
      } else {
        schema_.KeepAsPlainColumns(*detail, from_names, relationship.master, why);
      }
    }
  }

  std::string path_;
  const SchemaImportOptions& options_;
  AccessCatalog catalog_;
  std::unique_ptr<CatalogIndex> index_;
  ImportedSchema schema_;
};

}  // namespace

SchemaReader::Outcome AccessReader::ReadSchema(const std::string& path,
                                               const SchemaImportOptions& options) const {
  const AccessFileCheck::Result check = AccessFileCheck::Check(path);
  if (check.status != BR_LOAD_OK) return {check.status, {}, path + ": " + check.message, {}};
  std::string error;
  ReadAccessCatalogFunction* read_catalog = LoadModule(error);
  if (read_catalog == nullptr) return {BR_LOAD_UNREADABLE, {}, path + ": " + error, {}};
  Outcome outcome = AccessImport(path, options).Run(read_catalog);
  if (!check.message.empty())
    outcome.warnings.insert(outcome.warnings.begin(), path + ": " + check.message);
  return outcome;
}

}  // namespace tavik::import
