// Finding the module of this code from the address of an object inside it.
#include "platform/win32/this_module.h"

namespace tavik {

namespace {
const char kInsideThisModule = 0;
}  // namespace

HINSTANCE ThisModule() {
  static const HINSTANCE module = [] {
    HMODULE found = nullptr;
    ::GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        &kInsideThisModule, &found);
    return found;
  }();
  return module;
}

}  // namespace tavik
