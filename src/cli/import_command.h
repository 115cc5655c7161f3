// `tavikfw import`: a model file from the schema of a database (a file, or on a server).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "import/schema_import_options.h"

namespace tavik::cli {

struct ImportOptions {
  std::string database_path;
  std::string output;
  bool force = false;  // the model file may replace one that is there (never a read-only one)
  import::SchemaImportOptions schema;
  // TABLE=COLUMN as given to --lookup: the column that names the table's rows.
  std::vector<std::string> lookups;
};

class ImportCommand {
 public:
  explicit ImportCommand(ImportOptions options) : options_(std::move(options)) {}
  // 0; 64 when the output would replace the database; 65 for a schema the import cannot
  // express, 66 for a database that cannot be read; 73 when the model file is there (without
  // --force), read-only or a symbolic link, or cannot be created; 74 when writing it fails.
  int Run();

 private:
  ImportOptions options_;
};

}  // namespace tavik::cli
