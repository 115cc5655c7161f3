// A project made from a database: the connection its forms open, and its tables read and
// handed to the project writer with the record features asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "import/schema_import_options.h"
#include "project/project_writer.h"
#include "project/record_features.h"
#include "project/start_form.h"

namespace tavik::project {

class DatabaseProject {
 public:
  // The forms open the database they were made from, unless `database` names another; all
  // of them, and the start-up form that tries it first, with one connect string. Fills in
  // `database` and `connect` with what the forms will use.
  static StartForm::Database Connection(const std::string& input_path, std::uint16_t version,
                                        std::optional<std::string>& database,
                                        std::optional<std::string>& connect);

  // Reads the chosen tables, gives them the features and writes their forms. 0, or the exit
  // status with its message shown: 64 a table or column the features name that the chosen
  // tables lack, 65 and 66 a database refused or unreadable; else the writer's status.
  [[nodiscard]] static int Write(ProjectWriter& writer, const std::string& input_path,
                                 const import::SchemaImportOptions& tables, std::uint16_t version,
                                 RecordFeatures& features);
};

}  // namespace tavik::project
