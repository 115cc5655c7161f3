// What Smart RE collects for a running form: record sources followed through the code, the
// tables a statement reads, and the fields bound to each data control.
#include "environment/data_source_collector.h"

#include <gtest/gtest.h>

#include "formfile/form_file_reader.h"

namespace tavik::environment {
namespace {

using Table = DataSourceCollector::Table;

TEST(DataSourceCollector, TablesOfStatementsAndNames) {
  using Tables = std::vector<Table>;
  EXPECT_EQ(DataSourceCollector::TablesOf("SELECT ORDER_ID,CITY FROM ORDERS WHERE "),
            (Tables{{"ORDERS", ""}}));
  EXPECT_EQ(DataSourceCollector::TablesOf(
                "select o.ORDER_ID, c.NAME from ORDERS o inner join [Customer List] as c "
                "on o.CUST_ID = c.CUST_ID, PRODUCT order by 1"),
            (Tables{{"ORDERS", "o"}, {"Customer List", "c"}, {"PRODUCT", ""}}));
  EXPECT_EQ(DataSourceCollector::TablesOf("[Order Details]"), (Tables{{"Order Details", ""}}));
  EXPECT_EQ(DataSourceCollector::TablesOf("  "), Tables{});
}

TEST(DataSourceCollector, FieldsTakeTheTableThatQualifiesThem) {
  const std::string sql =
      "SELECT o.ORDER_ID, c.NAME AS CUSTOMER_NAME, CITY, Sum(x) FROM ORDERS o, CUSTOMER c";
  auto tables = DataSourceCollector::TablesOf(sql);
  EXPECT_EQ(DataSourceCollector::TableOfField(sql, tables, "order_id"), "ORDERS");
  EXPECT_EQ(DataSourceCollector::TableOfField(sql, tables, "CUSTOMER_NAME"), "CUSTOMER");
  EXPECT_EQ(DataSourceCollector::TableOfField(sql, tables, "CITY"), "ORDERS") << "the first";
  EXPECT_EQ(DataSourceCollector::TableOfField("", {}, "CITY"), "");
  EXPECT_EQ(DataSourceCollector::ColumnsOf(sql),
            (std::vector<std::string>{"ORDER_ID", "CUSTOMER_NAME", "CITY", "Sum"}));
  EXPECT_TRUE(DataSourceCollector::ColumnsOf("SELECT * FROM T").empty());
}

// Record sources set in the code, as generated forms do, and as a property.
constexpr std::string_view kForm =
    "VERSION 2.00\r\n"
    "Begin Form F\r\n"
    "\tBegin Data dsORDERS\r\n\tEnd\r\n"
    "\tBegin Data dsLINES\r\n\tEnd\r\n"
    "\tBegin VB.Data datPRODUCT\r\n\t\tRecordSource = \"PRODUCT\"\r\n\tEnd\r\n"
    "\tBegin TextBox tbxID\r\n\t\tDataSource = \"dsORDERS\"\r\n\t\tDataField = \"ORDER_ID\"\r\n"
    "\tEnd\r\n"
    "\tBegin Frame fraMore\r\n"
    "\t\tBegin TextBox tbxDATE\r\n\t\t\tDataSource = \"DSORDERS\"\r\n"
    "\t\t\tDataField = \"ORDER_DATE\"\r\n\t\tEnd\r\n"
    "\t\tBegin Label lblID\r\n\t\t\tDataSource = \"dsORDERS\"\r\n"
    "\t\t\tDataField = \"order_id\"\r\n\t\tEnd\r\n"
    "\tEnd\r\n"
    "\tBegin MSDBGrid.DBGrid grdLINES\r\n\t\tDataSource = \"dsLINES\"\r\n\tEnd\r\n"
    "End\r\n"
    "Sub Form_Load()\r\n"
    "\tsORDERS_Select = \"SELECT ORDER_ID, ORDER_DATE FROM ORDERS WHERE \"\r\n"
    "\tsBase = \"SELECT LINE_NO, \"\"QTY\"\" \"\r\n"
    "\tsLINES_Select = sBase & \"FROM LINES\"\r\n"
    "\tdsORDERS.RecordSource = sORDERS_Select & \" 1=2 \" & tk_SQLValue(dsX, \"A\")\r\n"
    "\tdsLINES.RecordSource = sLINES_Select\r\n"
    "End Sub\r\n";

TEST(DataSourceCollector, EachDataControlGetsItsBoundFieldsAndTables) {
  auto form = formfile::FormFileReader::Read(kForm).form;
  ASSERT_TRUE(form);
  EXPECT_EQ(DataSourceCollector::RecordSourceOf(*form, *form->FindControl("dsORDERS")),
            "SELECT ORDER_ID, ORDER_DATE FROM ORDERS WHERE  1=2 ");
  EXPECT_EQ(DataSourceCollector::RecordSourceOf(*form, *form->FindControl("dsLINES")),
            "SELECT LINE_NO, \"QTY\" FROM LINES");

  auto sources = DataSourceCollector::Collect(*form);
  ASSERT_EQ(sources.size(), 3u);
  EXPECT_EQ(sources[0].data_control, "dsORDERS");
  ASSERT_EQ(sources[0].fields.size(), 2u) << "a field bound twice is listed once";
  EXPECT_EQ(sources[0].fields[0].field, "ORDER_ID");
  EXPECT_EQ(sources[0].fields[1].field, "ORDER_DATE");
  EXPECT_EQ(sources[0].fields[1].table, "ORDERS");
  // The grid shows what its data control selects.
  ASSERT_EQ(sources[1].fields.size(), 1u);
  EXPECT_EQ(sources[1].fields[0].field, "LINE_NO");
  EXPECT_EQ(sources[1].fields[0].table, "LINES");
  // A data control with nothing bound still gets its (empty) source.
  EXPECT_EQ(sources[2].record_source, "PRODUCT");
  EXPECT_TRUE(sources[2].fields.empty());
}

}  // namespace
}  // namespace tavik::environment
