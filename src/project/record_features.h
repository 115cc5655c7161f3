// The entity properties that ask a form for lookups, the record's position, Find, Cancel and
// an order of the records, added to a model document.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavik::project {

struct RecordFeatures {
  bool position = false;
  bool find = false;
  bool cancel = false;
  // Every entity's records in the order of its display column, else its first column.
  bool order = false;
  // TABLE=COLUMN: the column that names the table's rows (--lookup), and the one that
  // orders them (--order).
  std::vector<std::pair<std::string, std::string>> lookups;
  std::vector<std::pair<std::string, std::string>> orders;

  bool Any() const { return position || find || cancel || order || !orders.empty(); }
  // Position, Find, Cancel and order, as a database's forms get them.
  static RecordFeatures All() {
    RecordFeatures features;
    features.position = features.find = features.cancel = features.order = true;
    return features;
  }

  // Splits "TABLE=COLUMN"; nothing when either side is empty.
  static std::optional<std::pair<std::string, std::string>> TableColumn(const std::string& text);
  // Takes the option's "TABLE=COLUMN" texts for --lookup and --order; the fault, or empty.
  std::string TakeTableColumns(const std::vector<std::string>& lookup_texts,
                               const std::vector<std::string>& order_texts);

  // The column that names an entity's rows: its DISPLAY_COLUMN, else the first text column
  // that is unique or named like a name ("name", "title", "description", "*_name", ...),
  // else none.
  static std::optional<std::string> DisplayColumn(const nlohmann::ordered_json& entity);
  // Whether a column of that declared type can name its table's rows: it holds text and is
  // unique or named like a name.
  static bool NamesRows(const std::string& type, bool unique, const std::string& column);

  // The edit style of a lookup attribute ("ES_TYP").
  static constexpr int kLookupStyle = 11;

  // Lookup attributes that name no display column ("ESKDSP") get their table's.
  static void NameLookups(nlohmann::ordered_json& model);

  // Marks the display columns the lookups name (DISPLAY_COLUMN) and adds the asked-for
  // properties to every entity, then names the lookups' display columns. A table or column that the
  // model does not hold is refused: the message says which; empty when all went well.
  std::string AddTo(nlohmann::ordered_json& model) const;
};

}  // namespace tavik::project
