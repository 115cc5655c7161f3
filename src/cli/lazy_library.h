// A shared library opened on the first call into it, for the command line's forwarders.
#pragma once

#include <mutex>

namespace tavik::cli {

// The database clients and the font libraries bring thirty libraries with them, whose loading
// and relocation cost a run that uses none of them more than the run itself: the program
// reaches them through forwarders that open the library here when first called. A library
// that cannot be opened ends the run with a message, as a missing one would at start.
class LazyLibrary {
 public:
  explicit LazyLibrary(const char* file_name) : file_name_(file_name) {}

  template <typename Function>
  Function* Find(const char* symbol) {
    return reinterpret_cast<Function*>(Address(symbol));
  }

 private:
  void* Address(const char* symbol);

  const char* file_name_;
  std::once_flag opened_;
  void* handle_ = nullptr;
};

}  // namespace tavik::cli
