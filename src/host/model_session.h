// The model access library's session, closed however a run ends.
#pragma once

#include "tavikfw/brenlo.h"

namespace tavik {

// Held for the length of a run: the library is closed once, by Close or when the run ends,
// so no way out of the run leaves it open.
class ModelSession {
 public:
  ModelSession() = default;
  ~ModelSession() { Close(); }
  ModelSession(const ModelSession&) = delete;
  ModelSession& operator=(const ModelSession&) = delete;

  // Closes the library now; later closes do nothing.
  void Close() {
    if (!open_) return;
    open_ = false;
    BR_Done();
  }

 private:
  bool open_ = true;
};

}  // namespace tavik
