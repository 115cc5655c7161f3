// Files the system writes: form files written whole or not at all, and temporary files.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/status.h"
#include "platform/disk.h"
#include "platform/text_sink.h"

namespace tavik {

// What write_text throws when text it was to hand on cannot be had (a scratch file that
// failed): the new file goes and the failure is shown as a failed write, with the reason.
class WriteFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Lets write_text write to a new file beside the path, reads it back and renames it over the
// path, so an existing file is replaced whole or kept as it was. 0, or 73 when the file
// cannot be created (a folder by that name, a rename refused), 74 when writing fails (a full
// disk, or text read back that differs from the text written); a failure is shown to the
// user, naming the kind of file.
// The new file may be one begun already (a scratch file that became it): it is written on,
// then read back and renamed or removed as one made here.
Status WriteFileAtomically(const std::string& path,
                           const std::function<void(TextSink& file)>& write_text,
                           std::unique_ptr<DiskFile> begun = nullptr);
// Why a file was not put in place when reading it back found other text than was written.
inline constexpr std::string_view kReadBackDiffers =
    "reading it back gave other text than was written";
// Text held whole is compared with what is read back as it stands, with no fingerprint.
Status WriteFileAtomically(const std::string& path, std::string_view text);

// What a file is to the user, by its extension: "form file", "picture", "model file", ...
std::string OutputKind(const std::string& path);

// A new file in the temporary folder whose name starts with prefix, holding text.
std::optional<std::string> WriteTemporaryFile(std::string_view prefix, std::string_view text);

void RemoveFile(const std::string& path);

}  // namespace tavik
