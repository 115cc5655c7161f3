// The reader of each kind of database this build reads.
#pragma once

#include <memory>

#include "import/database_file.h"
#include "import/schema_reader.h"

namespace tavik::import {

class SchemaReaders {
 public:
  // A build without database import gives a reader that refuses every database.
  static std::unique_ptr<SchemaReader> For(DatabaseFile::Kind kind);
};

}  // namespace tavik::import
