// Clients by process.
#include "host/registry.h"

#include <unistd.h>

#include "visualizers/visualizer_allocators.h"

namespace tavik {

Registry& Registry::Instance() {
  static Registry registry;
  return registry;
}

bool Registry::RegisterClient(CClntDesc* client) {
  if (!client) return false;
  // Version-3 clients register too: everything downstream serves both versions.
  if (client->version == 3) {
    client->allocator = AllocateVB3Visualizer;
  } else if (client->version == 4) {
    client->allocator = AllocateVB4Visualizer;
  } else {
    return false;
  }
  clients_.try_emplace(client->process, client);
  return true;
}

bool Registry::UnRegisterClient(std::uintptr_t process) {
  auto found = clients_.find(process);
  if (found == clients_.end()) return false;
  bool had_client = found->second != nullptr;
  clients_.erase(found);
  return had_client;
}

CClntDesc* Registry::FindClient(std::uintptr_t process) const {
  auto found = clients_.find(process);
  return found == clients_.end() ? nullptr : found->second;
}

std::uintptr_t Registry::CurrentProcess() {
  return static_cast<std::uintptr_t>(::getpid());
}

}  // namespace tavik
