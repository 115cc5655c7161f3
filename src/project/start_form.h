// The start-up form of a project made from a database: one button per form, which opens it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavik::formfile {
struct FormTally;
}

namespace tavik::project {

class StartForm {
 public:
  struct Entry {
    std::string form_name;  // the Visual Basic name of the form the button opens
    std::string caption;    // the button's caption (Windows-1252)
  };

  // The ODBC driver the database is read through when the connect is ODBC: a file's
  // (which one unknown), SQLite's, or a server's.
  enum class Driver : std::uint8_t { kFiles, kSqlite, kPostgresql, kMariadb };

  // The database the forms open (Windows-1252), which the start-up form tries first.
  struct Database {
    std::string name;  // as given; a relative name is in the application's folder
    std::string connect;
    Driver driver = Driver::kFiles;
  };

  // Buttons shown at once; more forms than this are shown a page at a time, with
  // buttons that turn the pages.
  static constexpr std::size_t kPageSize = 15;

  // The form file in the text format of Visual Basic 3 or 4; tally, when given, gets what
  // the limit checks read, counted as the form was printed.
  static std::string Text(std::uint16_t version, const std::string& name,
                          const std::string& caption, const std::vector<Entry>& entries,
                          const Database& database, formfile::FormTally* tally = nullptr);
};

}  // namespace tavik::project
