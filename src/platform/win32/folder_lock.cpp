// A folder's lock on Windows: the profile functions take turns by themselves.
#include "platform/folder_lock.h"

namespace tavik {

FolderLock::FolderLock(const std::string& /*folder*/) {}

FolderLock::~FolderLock() = default;

}  // namespace tavik
