// The command line's own client: it writes form files and cannot build live forms.
#pragma once

#include <string>

#include "host/client_base.h"

namespace tavik::cli {

class FileClient : public ClientBase {
 public:
  explicit FileClient(std::uint16_t client_version)
      : ClientBase(client_version, /*generates_live=*/false, /*writes_files=*/true,
                   /*writes_to_virtual_space=*/false) {}

  int32_t FormFileWritten(const char* path) override {
    written_path_ = path;
    return kDone;
  }
  const std::string& WrittenPath() const { return written_path_; }

 private:
  std::string written_path_;
};

}  // namespace tavik::cli
