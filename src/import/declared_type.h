// What a column's declared type says about the values it holds and how they are edited.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavik::import {

// A declared type is read as SQLite reads it: the type affinity follows from the words it
// contains, in SQLite's order of precedence, so "BLOB SUB_TYPE TEXT" holds text and
// "POINT" (it contains INT) holds integers.
class DeclaredType {
 public:
  enum class Affinity : std::uint8_t { kInteger, kText, kBlob, kReal, kNumeric };

  explicit DeclaredType(std::string_view declared);

  Affinity affinity() const { return affinity_; }
  bool IsBoolean() const;
  // Pictures are stored as blobs: a BLOB column, or one declared IMAGE or PICTURE.
  bool IsPicture() const;
  // The input mask of a date or time column, whose values SQLite's date and time functions
  // write as ISO 8601 text ("2024-05-31", "13:45:00", "2024-05-31 13:45:00"); nothing for
  // other columns, and for dates kept as numbers.
  std::optional<std::string> DateTimeMask() const;

 private:
  std::string upper_;  // the declared type in capitals
  Affinity affinity_;
};

}  // namespace tavik::import
