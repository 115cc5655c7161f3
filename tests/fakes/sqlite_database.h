// A SQLite database made afresh from SQL text, for tests of the schema import.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavik::testing {

inline void MakeDatabase(const std::filesystem::path& path, std::string_view sql) {
  std::filesystem::remove(path);
  sqlite3* database = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(database, std::string(sql).c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(database);
}

}  // namespace tavik::testing
