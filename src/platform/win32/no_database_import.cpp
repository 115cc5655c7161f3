// The Windows build of the model access library reads model files only: databases are
// recognised, and refused with a message that says so.
#include <array>
#include <fstream>
#include <string_view>

#include "brenlo/sqlite_schema_reader.h"
#include "tavikfw/brenlo.h"

namespace tavik::brenlo {

bool SqliteSchemaReader::HasSqliteHeader(const char* path) {
  // "SQLite format 3" and its terminating zero.
  static constexpr std::string_view kHeader{"SQLite format 3", 16};
  if (path == nullptr) return false;
  std::ifstream in(path, std::ios::binary);
  std::array<char, kHeader.size()> start{};
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  return std::string_view(start.data(), static_cast<std::size_t>(in.gcount())) == kHeader;
}

SqliteSchemaReader::Outcome SqliteSchemaReader::Read(const std::string& path,
                                                     const SchemaImportOptions& /*options*/) {
  Outcome outcome;
  outcome.status = BR_LOAD_REFUSED;
  outcome.error = path + ": this build reads model files only, not databases";
  return outcome;
}

std::string SqliteSchemaReader::ModelText(const nlohmann::ordered_json& model) {
  return model.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace tavik::brenlo
