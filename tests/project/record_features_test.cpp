// The record features added to a model document: which column names a table's rows, the
// properties each option adds, and the refusal of tables and columns the model lacks.
#include "project/record_features.h"

#include <gtest/gtest.h>

namespace tavik::project {
namespace {

using nlohmann::ordered_json;

ordered_json Column(const char* name, const char* type, const char* unique = nullptr) {
  ordered_json column = {{"ATTRIB_INFO", {{"PHYSICAL_NAME", name}}},
                         {"COL_PROP", {{"CD_TYP", type}}}};
  if (unique) column["COL_PROP"]["CD_UNQ"] = unique;
  return column;
}

ordered_json Table(const char* name, std::vector<ordered_json> columns) {
  return {{"properties", {{"PHYSICAL_NAME", name}}}, {"attributes", columns}};
}

TEST(RecordFeatures, DisplayColumnIsTheFirstTextColumnThatIsUniqueOrNamedLikeAName) {
  struct Case {
    const char* what;
    ordered_json table;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"a name", Table("G", {Column("ID", "INTEGER"), Column("Name", "NVARCHAR(120)")}), "Name"},
      {"*_name", Table("C", {Column("CODE", "CHAR(2)"), Column("CUST_NAME", "TEXT")}), "CUST_NAME"},
      {"a unique text before a name",
       Table("M", {Column("Code", "VARCHAR(5)", "Y"), Column("Title", "TEXT")}), "Code"},
      {"a number named like a name is no name",
       Table("T", {Column("NAME", "INTEGER"), Column("Description", "CLOB")}), "Description"},
      {"nothing that names the rows", Table("L", {Column("ID", "INTEGER"), Column("QTY", "INT")}),
       std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecordFeatures::DisplayColumn(c.table), c.expected) << c.what;
  }
  ordered_json chosen = Table("G", {Column("Name", "TEXT"), Column("Notes", "TEXT")});
  chosen["properties"]["DISPLAY_COLUMN"] = "Notes";
  EXPECT_EQ(RecordFeatures::DisplayColumn(chosen), "Notes");
}

TEST(RecordFeatures, AddsWhatIsAskedAndRefusesWhatTheModelLacks) {
  ordered_json model = {
      {"entities",
       {Table("GENRE", {Column("ID", "INTEGER"), Column("NAME", "TEXT")}),
        Table("LINE", {Column("LINE_NO", "INTEGER"), Column("QTY", "INTEGER")})}}};
  RecordFeatures features;
  features.find = features.order = features.position = true;
  features.orders = {{"line", "qty"}};
  ASSERT_EQ(features.AddTo(model), "");
  EXPECT_EQ(model["entities"][0]["properties"],
            ordered_json::parse(R"({"PHYSICAL_NAME": "GENRE", "SHOW_POSITION": 1,
                                    "FIND_COLUMN": "NAME", "ORDER_BY": "NAME"})"));
  // Without a display column the first column serves; --order names the column as the
  // model spells it.
  EXPECT_EQ(model["entities"][1]["properties"]["FIND_COLUMN"], "LINE_NO");
  EXPECT_EQ(model["entities"][1]["properties"]["ORDER_BY"], "QTY");
  EXPECT_FALSE(model["entities"][1]["properties"].contains("CANCEL_BUTTON"));

  for (const auto& [lookup, message] :
       {std::pair(std::pair<std::string, std::string>("TRACK", "NAME"),
                  "--lookup TRACK=NAME: there is no table TRACK"),
        std::pair(std::pair<std::string, std::string>("genre", "TITLE"),
                  "--lookup genre=TITLE: table GENRE has no column TITLE")}) {
    RecordFeatures refused;
    refused.lookups = {lookup};
    EXPECT_EQ(refused.AddTo(model), message);
  }
  using TableAndColumn = std::pair<std::string, std::string>;
  EXPECT_EQ(RecordFeatures::TableColumn("A=B"), TableAndColumn("A", "B"));
  EXPECT_EQ(RecordFeatures::TableColumn("A="), std::nullopt);
  EXPECT_EQ(RecordFeatures::TableColumn("=B"), std::nullopt);
}

}  // namespace
}  // namespace tavik::project
