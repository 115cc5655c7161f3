// A shared library opened on the first call into it.
#include "cli/lazy_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "base/exit_status.h"

namespace tavik::cli {

void* LazyLibrary::Address(const char* symbol) {
  std::call_once(opened_, [this] {
    // Kept to the process's end: the libraries keep caches and threads that are not safe
    // to unload.
    handle_ = dlopen(file_name_, RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
      std::fprintf(stderr, "tavikfw: %s could not be loaded: %s\n", file_name_, dlerror());
      std::exit(kExitSoftware);
    }
  });
  void* address = dlsym(handle_, symbol);
  if (address == nullptr) {
    std::fprintf(stderr, "tavikfw: %s has no %s\n", file_name_, symbol);
    std::exit(kExitSoftware);
  }
  return address;
}

}  // namespace tavik::cli
