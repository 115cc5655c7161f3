// Which kind of database a file holds, known by its first bytes, and the reading of its schema.
#include "import/database_file.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string_view>
#include <system_error>

#include "import/schema_readers.h"
#include "import/server_url.h"
#include "tavikfw/brenlo.h"

namespace tavik::import {
namespace {

// "SQLite format 3" and its terminating zero begin every SQLite database.
constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};
constexpr std::string_view kNotADatabase =
    "the file is not a database (it begins neither as a SQLite database nor as an Access file)";
// An Access file names its engine at the fifth byte; the format byte follows.
constexpr std::size_t kAccessNameAt = 4;
constexpr std::string_view kJetName{"Standard Jet DB\0", 16};
constexpr std::string_view kAceName{"Standard ACE DB\0", 16};
constexpr std::size_t kAccessFormatAt = 0x14;
constexpr std::size_t kStartLength = kAccessFormatAt + 1;

// The first bytes of the file, as many as it has of them.
std::string Start(const char* path) {
  if (path == nullptr) return {};
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), std::fclose);
  if (!file) return {};
  std::array<char, kStartLength> start{};
  const std::size_t got = std::fread(start.data(), 1, start.size(), file.get());
  return std::string(start.data(), got);
}

// The Visual Basic editions that open each Access format, by the format byte.
std::string FormatName(int format) {
  if (format == 0) return "the Jet 3 format (Access 95 and 97)";
  if (format == 1) return "the Jet 4 format (Access 2000 to 2003)";
  return "the ACE format (Access 2007 and later)";
}

}  // namespace

DatabaseFile::Kind DatabaseFile::KindOf(const char* path) {
  if (path == nullptr) return Kind::kNone;
  if (const auto server = ServerUrl::ServerOf(path)) {
    return *server == ServerUrl::Server::kPostgresql ? Kind::kPostgresql : Kind::kMariadb;
  }
  const std::string start = Start(path);
  if (start.starts_with(kSqliteHeader)) return Kind::kSqlite;
  const std::string_view name =
      std::string_view(start).substr(std::min(start.size(), kAccessNameAt), kJetName.size());
  if (name == kJetName || name == kAceName) return Kind::kAccess;
  return Kind::kNone;
}

std::string DatabaseFile::VisualBasicWarning(const std::string& path, int vb_version) {
  const std::string start = Start(path.c_str());
  if (KindOf(path.c_str()) != Kind::kAccess || start.size() < kStartLength) return {};
  const int format = static_cast<unsigned char>(start[kAccessFormatAt]);
  const std::string file = fmt::format("{} is in {}, which", path, FormatName(format));
  if (format == 0 && vb_version == 3) {
    return fmt::format(
        "{} Visual Basic 3 (Jet 1.1 and 2.0) cannot open; 32-bit Visual Basic 4 opens it", file);
  }
  if (format == 0) {
    return fmt::format(
        "{} 16-bit Visual Basic 4 (Jet 2.5) cannot open; 32-bit Visual Basic 4 opens it", file);
  }
  return fmt::format(
      "{} Visual Basic {} cannot open (\"Unrecognized database format\"); a copy saved as "
      "Access 97 opens in 32-bit Visual Basic 4",
      file, vb_version);
}

SchemaReader::Outcome DatabaseFile::Read(const std::string& path,
                                         const SchemaImportOptions& options) {
  return SchemaReader::WithDocument(ReadSchema(path, options));
}

SchemaReader::Outcome DatabaseFile::ReadSchema(const std::string& path,
                                               const SchemaImportOptions& options) {
  if (std::unique_ptr<SchemaReader> reader = SchemaReaders::For(KindOf(path.c_str()))) {
    return reader->ReadSchema(path, options);
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
