// A file's bytes read in place: mapped into memory where the system can, rather than copied.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tavik {

// A large input read whole (a form file of tens of megabytes) would otherwise cost fresh
// pages as large as the file, and a copy into them; mapped, the pages the system holds for
// the file are read where they are. Only a regular file of a known size is mapped; any other
// (a device, a pipe, a file past the limit) is for the caller to read as a stream.
class MappedFile {
 public:
  // The file at path mapped whole, or nothing when it is not a regular file of 1 to limit
  // bytes that can be mapped (the caller then reads it itself, for its message too).
  static std::unique_ptr<MappedFile> Map(const std::string& path, std::size_t limit);

  MappedFile(const void* address, std::size_t size) : address_(address), size_(size) {}
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  std::string_view text() const { return {static_cast<const char*>(address_), size_}; }

 private:
  const void* address_;
  std::size_t size_;
};

}  // namespace tavik
