// A file's bytes mapped into memory on a POSIX system.
#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavik {

std::unique_ptr<MappedFile> MappedFile::Map(const std::string& path, std::size_t limit) {
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return nullptr;
  struct stat status {};
  const bool mappable = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode) &&
                        status.st_size > 0 && static_cast<std::size_t>(status.st_size) <= limit;
  const auto size = static_cast<std::size_t>(status.st_size);
  // Populated at once: the file is read from its start to its end straight away.
  void* address =
      mappable ? ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file, 0) : MAP_FAILED;
  ::close(file);  // the mapping keeps the file
  if (address == MAP_FAILED) return nullptr;
  return std::make_unique<MappedFile>(address, size);
}

MappedFile::~MappedFile() {
  ::munmap(const_cast<void*>(address_), size_);
}

}  // namespace tavik
