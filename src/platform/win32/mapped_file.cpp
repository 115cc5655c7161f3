// Files are not mapped on Windows: every caller reads its file as a stream.
#include "platform/mapped_file.h"

namespace tavik {

std::unique_ptr<MappedFile> MappedFile::Map(const std::string& /*path*/, std::size_t /*limit*/) {
  return nullptr;
}

MappedFile::~MappedFile() = default;

}  // namespace tavik
