// A folder's lock on a POSIX system: flock on the open folder.
#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace tavik {

FolderLock::FolderLock(const std::string& folder)
    : descriptor_(
          ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (descriptor_ < 0) return;  // a folder that cannot be opened cannot be written either
  while (::flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

FolderLock::~FolderLock() {
  if (descriptor_ >= 0) ::close(descriptor_);  // closing gives the lock up
}

}  // namespace tavik
