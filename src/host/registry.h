// The registry of clients, one per process, that the library serves.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "tavikfw/client.h"

namespace tavik {

class Registry {
 public:
  // The registry of this loaded library.
  static Registry& Instance();

  // False for a null client or a version other than 3 or 4; a process that has a client
  // already keeps it and the call succeeds.
  bool RegisterClient(CClntDesc* client);
  bool UnRegisterClient(std::uintptr_t process);
  CClntDesc* FindClient(std::uintptr_t process) const;

  static std::uintptr_t CurrentProcess();

 private:
  std::unordered_map<std::uintptr_t, CClntDesc*> clients_;
};

}  // namespace tavik
