// The tables, columns and links a reader found, made into a model document by the rules
// every reader follows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "import/schema_import_options.h"

namespace tavik::brenlo {
class ModelParser;
}  // namespace tavik::brenlo

namespace tavik::import {

// Edit styles of the attributes an import makes.
inline constexpr int kCheckBoxStyle = 0;
inline constexpr int kListBoxStyle = 1;
inline constexpr int kComboBoxStyle = 2;
inline constexpr int kTextBoxStyle = 4;
inline constexpr int kMaskedEditStyle = 5;
inline constexpr int kPictureStyle = 8;
inline constexpr int kLookupStyle = 11;

// Database names are compared without regard to the case of ASCII letters.
std::string FoldedName(std::string_view name);
bool SameName(std::string_view a, std::string_view b);

class ImportedSchema {
 public:
  using ValuePairs = std::vector<std::pair<std::string, std::string>>;  // shown, stored

  struct Column {
    std::string name;
    std::string type;     // as the database names it, perhaps empty
    std::string caption;  // the label, when the database gives one
    bool required = false;
    bool filled_by_database = false;  // numbered by the database: shown read-only
    bool unique = false;              // no two rows hold the same value (the key aside)
    int key_position = 0;             // in the primary key, from 1; 0 when not part of it
    int edit_style = kTextBoxStyle;
    ValuePairs flags;  // a check box's checked and unchecked values
    // The checked value says only yes ("1", "Y"): the check box reads as the column's label.
    bool flag_shows_label = false;
    // The default of a NOT NULL column, which the form writes itself: the database fills a
    // default only into a column an insert leaves out. The value, or CURRENT_DATE,
    // CURRENT_TIME or CURRENT_TIMESTAMP.
    std::optional<std::string> default_value;
    // A NOT NULL column whose default the database computes (a clock, a function): the form
    // cannot write it, so a new record leaves an empty box out of its insert.
    bool default_by_database = false;
    ValuePairs values;          // a list's values
    bool values_limit = false;  // values outside the list are refused
    std::string mask;           // a masked edit's input mask
    std::string format;         // a text box's or masked edit's display format
    std::string tag;            // the control's Tag
    std::string rule;           // a rule the value keeps, checked before a record is saved
    std::string rule_message;   // what the user is told when the value breaks it
    // A foreign key of this one column that is no relationship: the table it refers to and
    // the column there. A text box of it becomes a lookup of that table's rows. A column
    // the database shows by a lookup of its own has the lookup's edit style and names the
    // column shown too.
    std::string lookup_table;
    std::string lookup_key;
    std::string lookup_display;
    // Filled in by Finish.
    std::string display_name;
    std::string base_name;
    std::size_t id = 0;
    std::vector<std::size_t> relations;
    std::string list_name;  // of the flags or values, unique in the model
  };

  struct Table {
    std::string name;
    bool grid = false;
    std::vector<Column> columns;
    std::string display_column;  // the column that names its rows, when the user named one

    std::optional<std::size_t> ColumnPosition(std::string_view column_name) const;
  };

  // A link between tables as a master/detail relationship.
  struct Link {
    std::size_t master = 0;  // table positions
    std::size_t detail = 0;
    std::vector<std::size_t> detail_columns;  // positions in the detail's columns, in key order
    std::vector<std::size_t> master_columns;  // the columns they refer to, in the same order
  };

  // An object of the database a link or an option may name: "table", "view", or what
  // else the reader calls it ("internal" for the database's own).
  struct SchemaObject {
    std::string type;
    std::string name;
  };

  explicit ImportedSchema(std::string path) : path_(std::move(path)) {}

  void AddObject(SchemaObject object);
  const SchemaObject* FindObject(std::string_view name) const;
  // Takes the tables the options ask for (every table when they name none), in the order
  // of the objects; why it cannot, or empty.
  std::string ChooseTables(const SchemaImportOptions& options);
  std::optional<std::size_t> FindTable(std::string_view name) const;
  std::vector<Table>& tables() { return tables_; }

  // Why a link from the detail to the named table cannot be a relationship, judged by the
  // tables; empty when it can.
  std::string LinkProblem(std::size_t detail, const std::string& master_name) const;
  // Keeps the link, unless its detail has one to that master already: a form shows a
  // detail once under its master. masters holds the masters of the detail's links so far.
  void AddLink(Link link, const std::vector<std::string>& detail_columns,
               std::unordered_set<std::size_t>& masters);
  // A link the form cannot show as a master/detail relationship stays a plain column (or a
  // lookup), and the user is told which and why.
  void KeepAsPlainColumns(std::size_t detail, const std::vector<std::string>& columns,
                          std::string_view master, std::string_view why, bool lookup = false);
  // A link of one column that is no relationship becomes a lookup of the table it refers
  // to; false for a link of several columns, which a list of names cannot show.
  bool MakeLookup(const Link& link);
  void Warn(std::string warning) { warnings_.push_back(path_ + ": " + warning); }
  // The column's default as a reader found it (written as the database holds it) and its
  // value when the form can write one: the column then starts a new record with it and is
  // no longer required, since an empty box stores it. A default without a value is told.
  void TakeDefault(Column& column, std::string_view place, std::string_view written,
                   std::optional<std::string> value);

  // Leaves out the links that close cycles, names and numbers the columns and checks every
  // text; why the schema cannot be a model, or empty.
  std::string Finish();
  nlohmann::ordered_json Document() const;
  // Writes the text of the model file Document() gives into text, without building the
  // document, and hands reader each member as it is written, as the event reading the text
  // gives; false when the reader stopped reading. The text is written whole either way.
  bool WriteModelText(std::string& text, brenlo::ModelParser& reader) const;

  // Names the column that names the table's rows (an option TABLE=COLUMN); why it cannot
  // (no such table or column, the message opening with the option), or empty.
  std::string SetDisplayColumn(std::string_view option, std::string_view table_name,
                               std::string_view column_name);
  // Lookups that name no column to show get their table's display column: the one named,
  // else the first that names_rows takes, else none.
  void NameLookups(const std::function<bool(const Column&)>& names_rows);
  std::vector<std::string> TakeWarnings() { return std::move(warnings_); }

 private:
  void NameColumns(Table& table);
  void LeaveOutCycles();
  void LinkKeyColumns();
  std::string CheckTexts() const;
  std::string AssignIds();
  // Hands every member of the model document to out, a DocumentBuilder or a
  // ModelTextWriter, in the document's order.
  template <class Out>
  void Put(Out& out) const;

  std::string path_;
  std::vector<SchemaObject> objects_;  // in the order of the schema
  std::vector<Table> tables_;          // the tables imported; entity i + 1 is tables_[i]
  // Positions in the vectors above by folded name.
  std::unordered_map<std::string, std::size_t> object_index_;
  std::unordered_map<std::string, std::size_t> table_index_;
  std::vector<Link> links_;
  std::vector<std::string> warnings_;
};

}  // namespace tavik::import
