// What each data control of a running form reads: the fields bound to it and their tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formfile/running_form.h"

namespace tavik::environment {

class DataSourceCollector {
 public:
  struct Field {
    std::string field;
    std::string table;
  };
  struct DataSource {
    std::string data_control;
    std::string record_source;  // as far as it could be worked out; may be empty
    std::vector<Field> fields;
  };
  struct Table {
    std::string name;
    std::string alias;  // empty when the statement gives none

    bool operator==(const Table&) const = default;
  };

  // One entry per data control of the form, in the order of the form block. Its fields are
  // the DataField of every control whose DataSource names it, each once, in the order of the
  // form block; a control bound without a DataField (a grid) shows every column that the
  // record source selects. Each field's table is the one its record source reads it from.
  // resource_folder is where the form's ".frx" files are, for grids bound by a binding block.
  static std::vector<DataSource> Collect(const formfile::RunningForm& form,
                                         const std::string& resource_folder = {});

  // Is the class that of a data control ("Data", "VB.Data", the ADO data control
  // "MSAdodcLib.Adodc", the remote data control "MSRDC.MSRDC")?
  static bool IsDataControl(std::string_view class_name);

  // The data control a control is bound to: its "DataSource", else the one whose name its
  // "Bindings" block (kept in the ".frx" file) holds, else, when the form has a single data
  // control, that one; empty when bound to none.
  static std::string BoundDataSource(const formfile::RunningForm& form,
                                     const formfile::RunningControl& control,
                                     const std::string& resource_folder);

  // The record source of a data control: its "RecordSource" (or a remote data control's
  // "SQL") property, else what the form's code first assigns to it
  // ("dsX.RecordSource = sX_Select & ...", inside "With" blocks and over continued lines),
  // following string variables assigned from literals in the same code, as far as the text
  // is known.
  static std::string RecordSourceOf(const formfile::RunningForm& form,
                                    const formfile::RunningControl& data_control);

  // The tables a record source reads: those after FROM (with JOIN and commas) in a SELECT
  // statement, or the record source itself when it names a table or query.
  static std::vector<Table> TablesOf(std::string_view record_source);

  // The names of the columns a SELECT statement lists (not "*"); none for any other text.
  static std::vector<std::string> ColumnsOf(std::string_view record_source);

  // The table a field of that record source comes from: the table or alias that qualifies
  // the field in the select list, else the first table.
  static std::string TableOfField(std::string_view record_source, const std::vector<Table>& tables,
                                  std::string_view field);
};

}  // namespace tavik::environment
