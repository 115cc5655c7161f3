// The tables, columns and links a reader found, made into a model document by the rules
// every reader follows.
#include "import/imported_schema.h"

#include <fmt/format.h>

#include <algorithm>
#include <set>

#include "brenlo/model_parser.h"
#include "import/master_detail_graph.h"
#include "import/model_event_writer.h"
#include "text/ascii_case.h"
#include "text/windows1252.h"

namespace tavik::import {

using nlohmann::ordered_json;

namespace {

// Attribute ids are served in 16 bits; "entity times 100 plus column" reads well and is
// used whenever it fits.
constexpr std::size_t kLargestId = 0xFFFF;
constexpr std::size_t kColumnsPerEntityId = 100;

// "CUST_NAME" and "custName" read "Cust Name".
std::string ReadableName(std::string_view name) {
  std::string out;
  bool word_start = true;
  char previous = '\0';
  for (char c : name) {
    if (c == '_' || c == ' ' || c == '-') {
      word_start = true;
      previous = c;
      continue;
    }
    if (previous >= 'a' && previous <= 'z' && c >= 'A' && c <= 'Z') word_start = true;
    if (word_start) {
      if (!out.empty()) out += ' ';
      out += text::AsciiUpper(c);
      word_start = false;
    } else {
      out += text::AsciiLower(c);
    }
    previous = c;
  }
  return out.empty() ? std::string(name) : out;
}

std::string NameFault(std::string_view name) {
  std::string fault = text::FormTextFault(name);
  return fault.empty() ? brenlo::ModelParser::SqlNameFault(name) : fault;
}

// Builds the document from the members handed to it, as ModelTextWriter writes them.
class DocumentBuilder {
 public:
  // An object with room for its members: the members of an ordered object are a vector,
  // which copies every name each time it grows.
  void Open(std::string_view name, std::size_t members = 0) {
    ordered_json object = ordered_json::object();
    object.get_ref<ordered_json::object_t&>().reserve(members);
    open_.emplace_back(std::string(name), std::move(object));
  }
  void OpenList(std::string_view name, std::size_t elements = 0) {
    ordered_json list = ordered_json::array();
    list.get_ref<ordered_json::array_t&>().reserve(elements);
    open_.emplace_back(std::string(name), std::move(list));
  }
  void Close() {
    auto [name, value] = std::move(open_.back());
    open_.pop_back();
    Add(std::move(name), std::move(value));
  }
  void CloseList() { Close(); }
  template <class Value>
  void Member(std::string_view name, const Value& value) {
    Add(std::string(name), ordered_json(value));
  }
  ordered_json Take() { return std::move(document_); }

 private:
  // Appends without the search for a member of that name that assignment by name makes:
  // each name is given once.
  void Add(std::string name, ordered_json value) {
    if (open_.empty()) {
      document_ = std::move(value);
    } else if (ordered_json& parent = open_.back().second; parent.is_array()) {
      parent.get_ref<ordered_json::array_t&>().push_back(std::move(value));
    } else {
      parent.get_ref<ordered_json::object_t&>().emplace_back(std::move(name), std::move(value));
    }
  }

  std::vector<std::pair<std::string, ordered_json>> open_;
  ordered_json document_;
};

template <class Out>
void PutPairList(Out& out, std::string_view name, const ImportedSchema::ValuePairs& pairs) {
  out.OpenList(name, pairs.size());
  for (const auto& [display, data] : pairs) {
    out.OpenList({}, 2);
    out.Member({}, display);
    out.Member({}, data);
    out.CloseList();
  }
  out.CloseList();
}

// A list of values the column keeps, as opposed to a check box's two flags.
bool HasColumnList(const ImportedSchema::Column& column) {
  return column.flags.empty() && !column.values.empty();
}

// Whether the column is shown as a lookup of another table's rows: without a display
// column of the database's, a lookup is named once every table is known.
bool IsLookup(const ImportedSchema::Column& column) {
  return (column.edit_style == kTextBoxStyle || column.edit_style == kLookupStyle) &&
         !column.lookup_table.empty();
}

template <class Out>
void PutAttributeInfo(Out& out, const ImportedSchema::Column& column) {
  out.Open("ATTRIB_INFO", 7 + column.relations.size());
  out.Member("ID", column.id);
  out.Member("PHYSICAL_NAME", column.name);
  out.Member("DISPLAY_NAME", column.display_name);
  out.Member("BASE_NAME", column.base_name.empty() ? column.display_name : column.base_name);
  out.Member("ROLE_NAME", column.display_name);
  out.Member("REL_COUNT", column.relations.size());
  out.Member("REQUIRED", column.required ? 1 : 0);
  for (std::size_t i = 0; i < column.relations.size(); ++i) {
    out.Member(fmt::format("REL{}_ID", i), column.relations[i]);
  }
  out.Close();
}

template <class Out>
void PutColumnProperties(Out& out, const ImportedSchema::Column& column) {
  out.Open("COL_PROP", 13);
  out.Member("CD_TYP", column.type);
  out.Member("CD_NAM", column.name);
  out.Member("CD_PLB", column.display_name);
  if (column.required) out.Member("CD_REQ", "Y");
  if (column.filled_by_database) out.Member("CD_RO", "Y");
  if (column.unique) out.Member("CD_UNQ", "Y");
  if (column.default_value) out.Member("CD_DEF", *column.default_value);
  if (column.default_by_database) out.Member("CD_DBD", "Y");
  if (!column.tag.empty()) out.Member("CD_TAG", column.tag);
  if (!column.rule.empty()) out.Member("CD_VLR", column.rule);
  if (!column.rule_message.empty()) out.Member("CD_VLT", column.rule_message);
  // CD_PTR is what makes generation read the column's list: a list the database does not
  // enforce (an Access value list open to other entries) is still the combo box's list.
  if (column.values_limit || HasColumnList(column)) out.Member("CD_PTR", 1);
  out.Close();
}

template <class Out>
void PutEditStyle(Out& out, const ImportedSchema::Column& column) {
  const bool lookup = IsLookup(column);
  out.Open("CP_EST", 8);
  out.Member("ES_TYP", lookup ? kLookupStyle : column.edit_style);
  if (!column.flags.empty()) out.Member("ES_VLD", 1);
  // Values outside the list would be refused by the database anyway.
  if (column.values_limit) out.Member("ESLVAL", 1);
  if (!column.mask.empty()) out.Member("ESMMSK", column.mask);
  if (!column.format.empty()) {
    out.Member(column.edit_style == kMaskedEditStyle ? "ESMDFM" : "ESEFMT", column.format);
  }
  if (lookup) {
    out.Member("ESKTBL", column.lookup_table);
    out.Member("ESKKEY", column.lookup_key);
    if (!column.lookup_display.empty()) out.Member("ESKDSP", column.lookup_display);
  }
  out.Close();
}

template <class Out>
void PutAttribute(Out& out, const ImportedSchema::Column& column) {
  out.Open({}, 6);
  PutAttributeInfo(out, column);
  out.Open("FORM_ATTRIB_INFO", 1);
  out.Member("VISIBLE", 1);
  out.Close();
  PutColumnProperties(out, column);
  PutEditStyle(out, column);
  const bool flags = !column.flags.empty();
  if (flags || HasColumnList(column)) {
    out.Open(flags ? "ES_VLD_RULE" : "COL_VLD_RULE", 1);
    out.Member("NAME", column.list_name);
    out.Close();
  }
  if (flags) {
    ImportedSchema::ValuePairs shown = column.flags;
    if (column.flag_shows_label) shown.front().first = column.display_name;
    PutPairList(out, "ES_VLD_VALUE", shown);
  } else if (HasColumnList(column)) {
    PutPairList(out, "COL_VLD_VALUE", column.values);
  }
  out.Close();
}

}  // namespace

std::string FoldedName(std::string_view name) {
  return text::AsciiLowered(name);
}

bool SameName(std::string_view a, std::string_view b) {
  return text::SameAsciiName(a, b);
}

std::optional<std::size_t> ImportedSchema::Table::ColumnPosition(
    std::string_view column_name) const {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (SameName(columns[i].name, column_name)) return i;
  }
  return std::nullopt;
}

void ImportedSchema::TakeDefault(Column& column, std::string_view place, std::string_view written,
                                 std::optional<std::string> value) {
  if (!value) {
    column.default_by_database = column.required;
    Warn(
        fmt::format("{}: its default ({}) is computed by the database, which the form cannot "
                    "show: a new record left empty there gets it from the database",
                    place, written));
    return;
  }
  column.default_value = std::move(value);
  column.required = false;
}

void ImportedSchema::AddObject(SchemaObject object) {
  object_index_.emplace(FoldedName(object.name), objects_.size());
  objects_.push_back(std::move(object));
}

const ImportedSchema::SchemaObject* ImportedSchema::FindObject(std::string_view name) const {
  const auto found = object_index_.find(FoldedName(name));
  return found == object_index_.end() ? nullptr : &objects_[found->second];
}

std::optional<std::size_t> ImportedSchema::FindTable(std::string_view name) const {
  const auto found = table_index_.find(FoldedName(name));
  return found == table_index_.end() ? std::nullopt : std::optional(found->second);
}

std::string ImportedSchema::ChooseTables(const SchemaImportOptions& options) {
  std::unordered_set<std::string> chosen;
  std::unordered_set<std::string> grids;
  for (const std::string& name : options.tables) chosen.insert(FoldedName(name));
  for (const std::string& name : options.grid_tables) grids.insert(FoldedName(name));
  for (const auto* names : {&options.tables, &options.grid_tables}) {
    for (const std::string& name : *names) {
      const SchemaObject* object = FindObject(name);
      if (!object || object->type == "internal") {
        return fmt::format("the database has no table \"{}\"", name);
      }
      if (object->type != "table") {
        return fmt::format("\"{}\" is a {}, which cannot be imported; only tables can",
                           object->name, object->type == "view" ? "view" : object->type + " table");
      }
      if (!chosen.empty() && !chosen.contains(FoldedName(name))) {
        return fmt::format("\"{}\" is to be shown as a grid but is not among the tables to import",
                           name);
      }
    }
  }
  for (const SchemaObject& object : objects_) {
    if (object.type != "table") continue;
    const std::string folded = FoldedName(object.name);
    if (!chosen.empty() && !chosen.contains(folded)) continue;
    table_index_.emplace(folded, tables_.size());
    tables_.push_back({object.name, grids.contains(folded), {}, {}});
  }
  if (tables_.empty()) return "the database has no tables to import";
  return {};
}

std::string ImportedSchema::LinkProblem(std::size_t detail, const std::string& master_name) const {
  const SchemaObject* object = FindObject(master_name);
  if (!object || object->type == "internal") {
    return fmt::format("\"{}\" is not a table of the database", master_name);
  }
  if (object->type != "table") {
    return fmt::format("\"{}\" is a {}, not a table", object->name,
                       object->type == "view" ? "view" : object->type + " table");
  }
  const auto master = FindTable(master_name);
  if (!master) return fmt::format("\"{}\" is not among the tables imported", object->name);
  if (*master == detail)
    return "it refers to its own table, which a form cannot show as its own master";
  return {};
}

void ImportedSchema::AddLink(Link link, const std::vector<std::string>& detail_columns,
                             std::unordered_set<std::size_t>& masters) {
  if (masters.insert(link.master).second) {
    links_.push_back(std::move(link));
    return;
  }
  const std::string& master = tables_[link.master].name;
  KeepAsPlainColumns(link.detail, detail_columns, master,
                     fmt::format("the table has a key to \"{}\" already, and a form shows a "
                                 "detail once under its master",
                                 master),
                     MakeLookup(link));
}

void ImportedSchema::KeepAsPlainColumns(std::size_t detail, const std::vector<std::string>& columns,
                                        std::string_view master, std::string_view why,
                                        bool lookup) {
  std::string names;
  for (const std::string& column : columns) {
    names += fmt::format("{}\"{}\"", names.empty() ? "" : ", ", column);
  }
  const char* kept = lookup                ? "a lookup, not a master and detail"
                     : columns.size() == 1 ? "a plain column"
                                           : "plain columns";
  Warn(fmt::format("table \"{}\", {} {}: the foreign key to \"{}\" is kept as {}: {}",
                   tables_[detail].name, columns.size() == 1 ? "column" : "columns", names, master,
                   kept, why));
}

bool ImportedSchema::MakeLookup(const Link& link) {
  if (link.detail_columns.size() != 1) return false;
  const Table& master = tables_[link.master];
  Column& column = tables_[link.detail].columns[link.detail_columns.front()];
  if (column.edit_style == kLookupStyle) return true;  // the database's own lookup
  if (column.edit_style != kTextBoxStyle) return false;
  column.lookup_table = master.name;
  column.lookup_key = master.columns[link.master_columns.front()].name;
  return true;
}

std::string ImportedSchema::Finish() {
  for (Table& table : tables_) NameColumns(table);
  LeaveOutCycles();
  LinkKeyColumns();
  if (std::string fault = CheckTexts(); !fault.empty()) return fault;
  return AssignIds();
}

void ImportedSchema::NameColumns(Table& table) {
  std::set<std::string> display_names;
  for (Column& column : table.columns) {
    const std::string readable =
        column.caption.empty() ? ReadableName(column.name) : column.caption;
    column.display_name = readable;
    for (int suffix = 2; !display_names.insert(column.display_name).second; ++suffix) {
      column.display_name = fmt::format("{} {}", readable, suffix);
    }
  }
}

void ImportedSchema::LeaveOutCycles() {
  std::vector<MasterDetailGraph::Link> graph_links;
  for (const Link& link : links_) graph_links.push_back({link.master, link.detail});
  std::vector<bool> closing(links_.size(), false);
  for (const auto& closed : MasterDetailGraph::CycleClosingLinks(tables_.size(), graph_links)) {
    closing[closed.link] = true;
    const Link& link = links_[closed.link];
    std::string cycle;
    for (std::size_t table : closed.cycle) cycle += fmt::format("\"{}\" -> ", tables_[table].name);
    std::vector<std::string> columns;
    for (std::size_t column : link.detail_columns) {
      columns.push_back(tables_[link.detail].columns[column].name);
    }
    KeepAsPlainColumns(link.detail, columns, tables_[link.master].name,
                       fmt::format("it closes a cycle of masters and their details ({}\"{}\"), "
                                   "which no form can show",
                                   cycle, tables_[link.detail].name),
                       MakeLookup(link));
  }
  std::vector<Link> kept;
  for (std::size_t i = 0; i < links_.size(); ++i) {
    if (!closing[i]) kept.push_back(std::move(links_[i]));
  }
  links_ = std::move(kept);
}

void ImportedSchema::LinkKeyColumns() {
  for (std::size_t k = 0; k < links_.size(); ++k) {
    const Link& link = links_[k];
    for (std::size_t i = 0; i < link.detail_columns.size(); ++i) {
      Column& from = tables_[link.detail].columns[link.detail_columns[i]];
      from.relations.push_back(k + 1);
      // A column in several keys takes its base name from the first of them, which is how
      // the master's key is found again.
      if (from.base_name.empty()) {
        from.base_name = tables_[link.master].columns[link.master_columns[i]].display_name;
      }
    }
  }
}

// Names, types, captions and listed values all end up in the form, which holds only
// Windows-1252; names end up in its SQL too.
std::string ImportedSchema::CheckTexts() const {
  for (const Table& table : tables_) {
    if (std::string fault = NameFault(table.name); !fault.empty()) {
      return fmt::format("the name of table \"{}\" cannot be used: {}", table.name, fault);
    }
    for (const Column& column : table.columns) {
      // The place is written out only for a fault: most columns have none.
      const auto place = [&] {
        return fmt::format("table \"{}\", column \"{}\"", table.name, column.name);
      };
      if (std::string fault = NameFault(column.name); !fault.empty()) {
        return fmt::format("{}: the name cannot be used: {}", place(), fault);
      }
      const std::pair<const std::string*, std::string_view> texts[] = {
          {&column.type, "the declared type"},
          {&column.display_name, "the caption"},
          {&column.mask, "the input mask"},
          {&column.format, "the format"},
          {&column.tag, "the description"},
          {&column.rule, "the validation rule"},
          {&column.rule_message, "the validation text"},
          {&column.lookup_table, "the table of its lookup"},
          {&column.lookup_display, "the column its lookup shows"}};
      for (const auto& [text, what] : texts) {
        if (text::IsPlainFormText(*text)) continue;  // nearly every text: no fault to make
        if (std::string fault = text::FormTextFault(*text); !fault.empty()) {
          return fmt::format("{}: {} cannot be used: {}", place(), what, fault);
        }
      }
      for (const auto* list : {&column.flags, &column.values}) {
        for (const auto& [shown, stored] : *list) {
          for (const std::string* value : {&shown, &stored}) {
            if (std::string fault = text::FormTextFault(*value); !fault.empty()) {
              return fmt::format("{}: the value '{}' of its list cannot be used: {}", place(),
                                 *value, fault);
            }
          }
        }
      }
    }
  }
  return {};
}

std::string ImportedSchema::AssignIds() {
  std::size_t widest = 0;
  std::size_t total = 0;
  for (const Table& table : tables_) {
    widest = std::max(widest, table.columns.size());
    total += table.columns.size();
  }
  const bool by_entity =
      widest < kColumnsPerEntityId && tables_.size() * kColumnsPerEntityId + widest <= kLargestId;
  if (!by_entity && total > kLargestId) {
    return fmt::format("the tables have {} columns together, more than the {} a model can number",
                       total, kLargestId);
  }
  std::size_t next = 1;
  for (std::size_t t = 0; t < tables_.size(); ++t) {
    for (std::size_t c = 0; c < tables_[t].columns.size(); ++c) {
      tables_[t].columns[c].id = by_entity ? (t + 1) * kColumnsPerEntityId + c + 1 : next++;
    }
  }
  // Lists are shared in a form by name, so two columns must not give the same one.
  std::unordered_set<std::string> list_names;
  for (Table& table : tables_) {
    for (Column& column : table.columns) {
      if (column.values.empty() && column.flags.empty()) continue;
      const std::string name = table.name + "_" + column.name;
      column.list_name = name;
      for (int suffix = 2; !list_names.insert(column.list_name).second; ++suffix) {
        column.list_name = fmt::format("{}_{}", name, suffix);
      }
    }
  }
  return {};
}

template <class Out>
void ImportedSchema::Put(Out& out) const {
  out.Open({}, 3);
  out.Member("tavik_model", 1);
  out.OpenList("entities", tables_.size());
  for (std::size_t i = 0; i < tables_.size(); ++i) {
    const Table& table = tables_[i];
    out.Open({}, 2);
    out.Open("properties", 6);
    out.Member("ID", i + 1);
    out.Member("PHYSICAL_NAME", table.name);
    out.Member("UNIQUE_PHYS_NAME", table.name);
    out.Member("DISPLAY_STYLE", table.grid ? "GRID" : "FIELDS");
    out.Member("VISIBLE", 1);
    if (!table.display_column.empty()) out.Member("DISPLAY_COLUMN", table.display_column);
    out.Close();
    out.OpenList("attributes", table.columns.size());
    for (const Column& column : table.columns) PutAttribute(out, column);
    out.CloseList();
    out.Close();
  }
  out.CloseList();
  out.OpenList("relationships", links_.size());
  for (std::size_t i = 0; i < links_.size(); ++i) {
    const Link& link = links_[i];
    out.Open({}, 2);
    out.Open("properties", 4);
    out.Member("RELATION_ID", i + 1);
    out.Member("PARENT_ENTITY", link.master + 1);
    out.Member("CHILD_ENTITY", link.detail + 1);
    // A row added in a detail grid gets its master's keys from the form.
    out.Member("FILL_KEYS", 1);
    out.Close();
    out.OpenList("attributes", link.detail_columns.size());
    for (std::size_t column : link.detail_columns) {
      out.Member({}, tables_[link.detail].columns[column].id);
    }
    out.CloseList();
    out.Close();
  }
  out.CloseList();
  out.Close();
}

ordered_json ImportedSchema::Document() const {
  DocumentBuilder builder;
  Put(builder);
  return builder.Take();
}

bool ImportedSchema::WriteModelText(std::string& text, brenlo::ModelParser& reader) const {
  // Room for the usual text at once (a column takes some 620 bytes), rather than growing to
  // it by doubling.
  constexpr std::size_t kBytesPerColumn = 700;
  std::size_t columns = 0;
  for (const Table& table : tables_) columns += table.columns.size();
  text.clear();
  text.reserve(columns * kBytesPerColumn);
  bool reading = false;
  {
    ModelEventWriter writer(text, reader);
    Put(writer);
    reading = writer.reading();
  }
  text += '\n';
  return reading;
}

std::string ImportedSchema::SetDisplayColumn(std::string_view option, std::string_view table_name,
                                             std::string_view column_name) {
  const auto table = FindTable(table_name);
  if (!table) {
    return fmt::format("{} {}={}: there is no table {}", option, table_name, column_name,
                       table_name);
  }
  Table& found = tables_[*table];
  const auto column = found.ColumnPosition(column_name);
  if (!column) {
    return fmt::format("{} {}={}: table {} has no column {}", option, table_name, column_name,
                       found.name, column_name);
  }
  found.display_column = found.columns[*column].name;
  return {};
}

void ImportedSchema::NameLookups(const std::function<bool(const Column&)>& names_rows) {
  // The display column of every table, by folded name; looked for only when a lookup needs
  // one, which most schemas have none of.
  std::optional<std::unordered_map<std::string, std::string>> shown;
  const auto display_columns = [&] {
    std::unordered_map<std::string, std::string> columns;
    for (const Table& table : tables_) {
      std::string column = table.display_column;
      for (std::size_t i = 0; column.empty() && i < table.columns.size(); ++i) {
        if (names_rows(table.columns[i])) column = table.columns[i].name;
      }
      if (!column.empty()) columns.emplace(FoldedName(table.name), std::move(column));
    }
    return columns;
  };
  for (Table& table : tables_) {
    for (Column& column : table.columns) {
      if (!IsLookup(column) || !column.lookup_display.empty()) continue;
      if (!shown) shown = display_columns();
      const auto found = shown->find(FoldedName(column.lookup_table));
      if (found != shown->end()) column.lookup_display = found->second;
    }
  }
}

}  // namespace tavik::import
