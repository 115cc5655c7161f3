// The functions of the database clients and the font libraries that the program calls,
// each forwarding to the library opened on its first call. Linked into the program only
// (the tests and the shared libraries link the libraries themselves); with them the linker
// finds nothing left for the libraries to give and does not load them at start.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H
#include <libpq-fe.h>
#include <mysql.h>
#include <sqlite3.h>

#include <cstdarg>

#include "cli/lazy_library.h"

namespace {

template <typename Function>
struct ResultOf;
template <typename Result, typename... Arguments>
struct ResultOf<Result(Arguments...)> {
  using Type = Result;
};

tavik::cli::LazyLibrary sqlite("libsqlite3.so.0");
tavik::cli::LazyLibrary postgresql("libpq.so.5");
tavik::cli::LazyLibrary mariadb("libmariadb.so.3");
tavik::cli::LazyLibrary freetype("libfreetype.so.6");
tavik::cli::LazyLibrary fontconfig("libfontconfig.so.1");

}  // namespace

// Defines NAME with the parameters its header declares (a C function cannot be declared
// twice with different ones, so the compiler checks them), calling the library's own.
#define TAVIK_FORWARD(library, name, parameters, arguments)          \
  ResultOf<decltype(::name)>::Type name parameters {                 \
    static auto* const real = library.Find<decltype(::name)>(#name); \
    return real arguments;                                           \
  }

// The arguments of sqlite3_config depend on its option: the program sets only options that
// take one int (the counting of memory) or none (the threading modes).
int sqlite3_config(int option, ...) {
  static auto* const real = sqlite.Find<decltype(::sqlite3_config)>("sqlite3_config");
  if (option != SQLITE_CONFIG_MEMSTATUS) return real(option);
  std::va_list arguments;
  va_start(arguments, option);
  const int value = va_arg(arguments, int);
  va_end(arguments);
  return real(option, value);
}
TAVIK_FORWARD(sqlite, sqlite3_open, (const char* file, sqlite3** database), (file, database))
TAVIK_FORWARD(sqlite, sqlite3_open_v2,
              (const char* file, sqlite3** database, int flags, const char* vfs),
              (file, database, flags, vfs))
TAVIK_FORWARD(sqlite, sqlite3_close, (sqlite3 * database), (database))
TAVIK_FORWARD(sqlite, sqlite3_exec,
              (sqlite3 * database, const char* sql, int (*callback)(void*, int, char**, char**),
               void* context, char** error),
              (database, sql, callback, context, error))
TAVIK_FORWARD(sqlite, sqlite3_busy_timeout, (sqlite3 * database, int milliseconds),
              (database, milliseconds))
TAVIK_FORWARD(sqlite, sqlite3_errmsg, (sqlite3 * database), (database))
TAVIK_FORWARD(sqlite, sqlite3_errstr, (int code), (code))
TAVIK_FORWARD(sqlite, sqlite3_free, (void* memory), (memory))
TAVIK_FORWARD(sqlite, sqlite3_prepare_v2,
              (sqlite3 * database, const char* sql, int bytes, sqlite3_stmt** statement,
               const char** tail),
              (database, sql, bytes, statement, tail))
TAVIK_FORWARD(sqlite, sqlite3_bind_text,
              (sqlite3_stmt * statement, int index, const char* text, int bytes,
               void (*destructor)(void*)),
              (statement, index, text, bytes, destructor))
TAVIK_FORWARD(sqlite, sqlite3_step, (sqlite3_stmt * statement), (statement))
TAVIK_FORWARD(sqlite, sqlite3_column_type, (sqlite3_stmt * statement, int column),
              (statement, column))
TAVIK_FORWARD(sqlite, sqlite3_column_int, (sqlite3_stmt * statement, int column),
              (statement, column))
TAVIK_FORWARD(sqlite, sqlite3_column_text, (sqlite3_stmt * statement, int column),
              (statement, column))
TAVIK_FORWARD(sqlite, sqlite3_finalize, (sqlite3_stmt * statement), (statement))
TAVIK_FORWARD(sqlite, sqlite3_reset, (sqlite3_stmt * statement), (statement))
TAVIK_FORWARD(sqlite, sqlite3_clear_bindings, (sqlite3_stmt * statement), (statement))

TAVIK_FORWARD(postgresql, PQconnectdbParams,
              (const char* const* keywords, const char* const* values, int expand_dbname),
              (keywords, values, expand_dbname))
TAVIK_FORWARD(postgresql, PQstatus, (const PGconn* connection), (connection))
TAVIK_FORWARD(postgresql, PQconnectionNeedsPassword, (const PGconn* connection), (connection))
TAVIK_FORWARD(postgresql, PQerrorMessage, (const PGconn* connection), (connection))
TAVIK_FORWARD(postgresql, PQexecParams,
              (PGconn * connection, const char* command, int count, const Oid* types,
               const char* const* values, const int* lengths, const int* formats,
               int result_format),
              (connection, command, count, types, values, lengths, formats, result_format))
TAVIK_FORWARD(postgresql, PQresultStatus, (const PGresult* result), (result))
TAVIK_FORWARD(postgresql, PQntuples, (const PGresult* result), (result))
TAVIK_FORWARD(postgresql, PQgetvalue, (const PGresult* result, int row, int column),
              (result, row, column))
TAVIK_FORWARD(postgresql, PQgetisnull, (const PGresult* result, int row, int column),
              (result, row, column))
TAVIK_FORWARD(postgresql, PQclear, (PGresult * result), (result))
TAVIK_FORWARD(postgresql, PQfinish, (PGconn * connection), (connection))

TAVIK_FORWARD(mariadb, mysql_init, (MYSQL * connection), (connection))
TAVIK_FORWARD(mariadb, mysql_options,
              (MYSQL * connection, enum mysql_option option, const void* value),
              (connection, option, value))
TAVIK_FORWARD(mariadb, mysql_real_connect,
              (MYSQL * connection, const char* host, const char* user, const char* password,
               const char* database, unsigned int port, const char* socket, unsigned long flags),
              (connection, host, user, password, database, port, socket, flags))
TAVIK_FORWARD(mariadb, mysql_errno, (MYSQL * connection), (connection))
TAVIK_FORWARD(mariadb, mysql_error, (MYSQL * connection), (connection))
TAVIK_FORWARD(mariadb, mysql_real_query,
              (MYSQL * connection, const char* query, unsigned long length),
              (connection, query, length))
TAVIK_FORWARD(mariadb, mysql_store_result, (MYSQL * connection), (connection))
TAVIK_FORWARD(mariadb, mysql_field_count, (MYSQL * connection), (connection))
TAVIK_FORWARD(mariadb, mysql_num_fields, (MYSQL_RES * result), (result))
TAVIK_FORWARD(mariadb, mysql_fetch_row, (MYSQL_RES * result), (result))
TAVIK_FORWARD(mariadb, mysql_fetch_lengths, (MYSQL_RES * result), (result))
TAVIK_FORWARD(mariadb, mysql_free_result, (MYSQL_RES * result), (result))
TAVIK_FORWARD(mariadb, mysql_close, (MYSQL * connection), (connection))

TAVIK_FORWARD(freetype, FT_Init_FreeType, (FT_Library * library), (library))
TAVIK_FORWARD(freetype, FT_Done_FreeType, (FT_Library library), (library))
TAVIK_FORWARD(freetype, FT_New_Face,
              (FT_Library library, const char* path, FT_Long index, FT_Face* face),
              (library, path, index, face))
TAVIK_FORWARD(freetype, FT_Done_Face, (FT_Face face), (face))
TAVIK_FORWARD(freetype, FT_Select_Charmap, (FT_Face face, FT_Encoding encoding), (face, encoding))
TAVIK_FORWARD(freetype, FT_Set_Charmap, (FT_Face face, FT_CharMap map), (face, map))
TAVIK_FORWARD(freetype, FT_Select_Size, (FT_Face face, FT_Int strike), (face, strike))
TAVIK_FORWARD(freetype, FT_Set_Pixel_Sizes, (FT_Face face, FT_UInt width, FT_UInt height),
              (face, width, height))
TAVIK_FORWARD(freetype, FT_Get_Char_Index, (FT_Face face, FT_ULong code), (face, code))
TAVIK_FORWARD(freetype, FT_Load_Glyph, (FT_Face face, FT_UInt glyph, FT_Int32 flags),
              (face, glyph, flags))
TAVIK_FORWARD(freetype, FT_Get_Sfnt_Table, (FT_Face face, FT_Sfnt_Tag tag), (face, tag))
TAVIK_FORWARD(freetype, FT_Get_WinFNT_Header, (FT_Face face, FT_WinFNT_HeaderRec* header),
              (face, header))
TAVIK_FORWARD(freetype, FT_MulFix, (FT_Long a, FT_Long b), (a, b))

TAVIK_FORWARD(fontconfig, FcInitLoadConfigAndFonts, (), ())
TAVIK_FORWARD(fontconfig, FcConfigDestroy, (FcConfig * config), (config))
TAVIK_FORWARD(fontconfig, FcPatternCreate, (), ())
TAVIK_FORWARD(fontconfig, FcPatternDestroy, (FcPattern * pattern), (pattern))
TAVIK_FORWARD(fontconfig, FcPatternAddString,
              (FcPattern * pattern, const char* object, const FcChar8* text),
              (pattern, object, text))
TAVIK_FORWARD(fontconfig, FcConfigSubstitute,
              (FcConfig * config, FcPattern* pattern, FcMatchKind kind), (config, pattern, kind))
TAVIK_FORWARD(fontconfig, FcDefaultSubstitute, (FcPattern * pattern), (pattern))
TAVIK_FORWARD(fontconfig, FcFontMatch, (FcConfig * config, FcPattern* pattern, FcResult* result),
              (config, pattern, result))
TAVIK_FORWARD(fontconfig, FcPatternGetInteger,
              (const FcPattern* pattern, const char* object, int index, int* value),
              (pattern, object, index, value))
TAVIK_FORWARD(fontconfig, FcPatternGetString,
              (const FcPattern* pattern, const char* object, int index, FcChar8** value),
              (pattern, object, index, value))
