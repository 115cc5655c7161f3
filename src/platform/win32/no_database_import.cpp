// The Windows build of the model access library reads model files only: databases are
// recognised, and refused with a message that says so.
#include "import/schema_readers.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

class RefusingReader : public SchemaReader {
 public:
  Outcome ReadSchema(const std::string& path,
                     const SchemaImportOptions& /*options*/) const override {
    if (DatabaseFile::IsServer(DatabaseFile::KindOf(path.c_str()))) {
      return {BR_LOAD_REFUSED,
              {},
              path +
                  ": this build reads model files only; databases on PostgreSQL and MariaDB "
                  "servers are read by the Linux build",
              {}};
    }
    return {BR_LOAD_REFUSED,
            {},
            path +
                ": this build reads model files only; SQLite databases and Access files "
                "(.mdb, .accdb) are read by the Linux build",
            {}};
  }
};

}  // namespace

std::unique_ptr<SchemaReader> SchemaReaders::For(DatabaseFile::Kind kind) {
  if (kind == DatabaseFile::Kind::kNone) return nullptr;
  return std::make_unique<RefusingReader>();
}

}  // namespace tavik::import
