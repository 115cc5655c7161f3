// What an Access file's first page and its lock file say before the file is opened.
#pragma once

#include <cstdint>
#include <string>

namespace tavik::import {

// Files of the first Jet versions, which the Access module cannot read, are refused by
// their version; a file another program holds open for writing is refused as locked.
class AccessFileCheck {
 public:
  struct Result {
    std::int32_t status = 0;  // BR_LOAD_OK, or why the file is not to be opened
    std::string message;      // the refusal, or a warning when the file may be read
  };

  static Result Check(const std::string& path);

 private:
  static Result CheckVersion(const std::string& path);
  static Result CheckLock(const std::string& path);
};

}  // namespace tavik::import
