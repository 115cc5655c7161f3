// Which kind of database a file holds, known by its first bytes, and the reading of its schema.
#include "import/database_file.h"

#include <fmt/format.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string_view>
#include <system_error>

#include "import/schema_readers.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

// "SQLite format 3" and its terminating zero begin every SQLite database.
constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};
constexpr std::string_view kNotADatabase =
    "the file is not a SQLite database (it does not begin with the SQLite header)";

}  // namespace

DatabaseFile::Kind DatabaseFile::KindOf(const char* path) {
  if (path == nullptr) return Kind::kNone;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), std::fclose);
  if (!file) return Kind::kNone;
  std::array<char, kSqliteHeader.size()> start{};
  const std::size_t got = std::fread(start.data(), 1, start.size(), file.get());
  const std::string_view first(start.data(), got);
  if (first == kSqliteHeader) return Kind::kSqlite;
  return Kind::kNone;
}

SchemaReader::Outcome DatabaseFile::Read(const std::string& path,
                                         const SchemaImportOptions& options) {
  if (std::unique_ptr<SchemaReader> reader = SchemaReaders::For(KindOf(path.c_str()))) {
    return reader->Read(path, options);
  }
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  char first = 0;
  if (!file || (std::fread(&first, 1, 1, file.get()) == 0 && std::ferror(file.get()) != 0)) {
    const std::string reason =
        errno == 0 ? "the system gave no reason" : std::generic_category().message(errno);
    return {BR_LOAD_UNREADABLE, {}, fmt::format("{}: cannot read the file: {}", path, reason), {}};
  }
  return {BR_LOAD_REFUSED, {}, fmt::format("{}: {}", path, kNotADatabase), {}};
}

}  // namespace tavik::import
