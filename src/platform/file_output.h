// Files the system writes: form files written whole or not at all, and temporary files.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/status.h"

namespace tavik {

// Writes the text to a temporary file beside the path and renames it over the path, so an
// existing file is replaced whole or kept as it was. 0, or 73 when the file cannot be
// created, 74 when writing fails; a failure is shown to the user.
Status WriteFileAtomically(const std::string& path, std::span<const std::string_view> pieces);
// The pieces are written one after the other, so a large text need not be joined first.
inline Status WriteFileAtomically(const std::string& path, std::string_view text) {
  return WriteFileAtomically(path, std::span<const std::string_view>(&text, 1));
}

// A new file in the temporary folder whose name starts with prefix, holding text.
std::optional<std::string> WriteTemporaryFile(std::string_view prefix, std::string_view text);

void RemoveFile(const std::string& path);

}  // namespace tavik
