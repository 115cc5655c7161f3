// The loaded models, known to hosts by small nonzero host values.
#include "brenlo/model_store.h"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <nlohmann/json.hpp>
#include <system_error>
#include <utility>

#include "brenlo/json_module.h"
#include "brenlo/model_parser.h"
#include "brenlo/tree_walker.h"
#include "import/database_file.h"
#include "tavikfw/brenlo.h"

namespace tavik::brenlo {
namespace {

// A model of thousands of entities takes a few megabytes; past this limit a file is
// surely not a model, and reading it would only exhaust memory.
constexpr std::size_t kMaxModelBytes = std::size_t{256} << 20;
constexpr std::string_view kTooLarge = "larger than 256 MiB, which no model needs";

std::string OsReason(int error) {
  if (error == 0) return "the system gave no reason";
  return std::generic_category().message(error);
}

struct FileText {
  std::int32_t status = BR_LOAD_OK;
  std::unique_ptr<char[]> bytes;  // the text, then room to read past it
  std::size_t size = 0;
  std::size_t room = 0;  // the bytes that may be read from the start
  std::string error;     // the reason, when status is not BR_LOAD_OK

  std::string_view text() const { return {bytes.get(), size}; }
  // Room for `more` bytes past the text and the reading's padding after them, the text
  // moved when it had not that room.
  void MakeRoom(std::size_t more) {
    const std::size_t needed = size + more + kReadingPadding;
    if (needed <= room) return;
    auto grown = std::make_unique_for_overwrite<char[]>(needed);
    if (size != 0) std::memcpy(grown.get(), bytes.get(), size);
    bytes = std::move(grown);
    room = needed;
  }
};

// The file is read straight into room for the whole of it and the reading's padding: read
// through a smaller buffer, or into a text that grows, it would be copied once more.
FileText ReadWholeFile(const char* path) {
  auto close = [](std::FILE* file) { std::fclose(file); };
  errno = 0;
  std::unique_ptr<std::FILE, decltype(close)> file(std::fopen(path, "rb"), close);
  if (!file) return {BR_LOAD_UNREADABLE, {}, 0, 0, OsReason(errno)};
  FileText out;
  std::error_code unknown_size;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown_size);
  // One byte more than the size known, so that the end is seen in one read.
  std::size_t more = !unknown_size && size <= kMaxModelBytes ? size + 1 : std::size_t{1} << 16;
  for (;;) {
    out.MakeRoom(more);
    const std::size_t got = std::fread(out.bytes.get() + out.size, 1, more, file.get());
    out.size += got;
    if (out.size > kMaxModelBytes) return {BR_LOAD_REFUSED, {}, 0, 0, {}};
    if (got < more) {
      if (std::ferror(file.get()) != 0) return {BR_LOAD_UNREADABLE, {}, 0, 0, OsReason(errno)};
      // The padding is read too (simdjson looks at the byte after the text's end).
      std::memset(out.bytes.get() + out.size, 0, kReadingPadding);
      return out;
    }
    // Twice the room, up to one byte past the largest model, which refuses the file.
    more = std::min(std::max(out.size, std::size_t{1} << 16), kMaxModelBytes + 1 - out.size);
  }
}

}  // namespace

namespace {

// A model file is JSON text: after a byte-order mark and blanks, an object begins. Anything
// else (a form file, a picture, a zip) is told as what it is not, not as a syntax error.
bool LooksLikeJson(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && text[first] == '{';
}

}  // namespace

ModelStore& ModelStore::Shared() {
  static ModelStore store;
  return store;
}

std::int32_t ModelStore::LoadFile(const char* path, std::uint32_t* host_value) {
  if (path == nullptr) return Fail(BR_LOAD_UNREADABLE, "no model file was named");
  // A database is known by its first bytes, whatever its file is called.
  if (import::DatabaseFile::IsDatabase(path)) return LoadDatabase(path, host_value);
  FileText file = ReadWholeFile(path);
  if (file.status == BR_LOAD_UNREADABLE) {
    return Fail(file.status, fmt::format("{}: cannot read the file: {}", path, file.error));
  }
  if (file.status == BR_LOAD_REFUSED) {
    return Fail(file.status, fmt::format("{}: the file is {}", path, kTooLarge));
  }
  if (!LooksLikeJson(file.text())) {
    return Fail(BR_LOAD_REFUSED,
                fmt::format("{}: the file is neither a model file (JSON text that begins with "
                            "{{) nor a SQLite database",
                            path));
  }
  return Parse(file.text(), path, host_value, file.room);
}

// The database's schema is read as the text of its model file would be, so that a model
// served from a database is the one its imported model file gives: the document is walked in
// memory, and made into text only when the walk refuses it, for the message.
std::int32_t ModelStore::LoadDatabase(const char* path, std::uint32_t* host_value) {
  import::SchemaReader::Outcome outcome = import::DatabaseFile::Read(path);
  if (outcome.status != BR_LOAD_OK) return Fail(outcome.status, std::move(outcome.error));
  if (host_value != nullptr) {
    ModelParser::Outcome walked = ModelParser::ParseDocument(outcome.model, path);
    if (walked.model) return Keep(std::move(walked), host_value);
  }
  return Parse(import::SchemaReader::ModelText(outcome.model), path, host_value);
}

std::int32_t ModelStore::LoadText(std::string_view text, std::uint32_t* host_value) {
  if (text.size() > kMaxModelBytes) {
    return Fail(BR_LOAD_REFUSED, fmt::format("the model text is {}", kTooLarge));
  }
  return Parse(text, {}, host_value);
}

void ModelStore::Unload(std::uint32_t host_value) {
  models_.erase(host_value);
}

std::shared_ptr<const Model> ModelStore::Find(std::uint32_t host_value) const {
  const auto found = models_.find(host_value);
  return found == models_.end() ? nullptr : found->second;
}

const char* ModelStore::last_error() const {
  return out_of_memory_ ? "there is not enough memory to load the model" : last_error_.c_str();
}

void ModelStore::NoteOutOfMemory() noexcept {
  last_error_.clear();
  out_of_memory_ = true;
}

std::int32_t ModelStore::LoadDocument(const nlohmann::ordered_json& document,
                                      std::uint32_t* host_value) {
  return LoadWalked([&document](ModelParser& events) { return TreeWalker::Walk(document, events); },
                    [&document] { return document.dump(2); }, host_value);
}

std::int32_t ModelStore::LoadWalked(const std::function<bool(ModelParser&)>& walk,
                                    const std::function<std::string()>& text_of,
                                    std::uint32_t* host_value) {
  try {
    if (host_value == nullptr) {
      return Fail(BR_LOAD_REFUSED, "no place was given for the host value");
    }
    ModelParser::Outcome outcome = ModelParser::ParseWalked(walk, {});
    if (!outcome.model) return LoadText(text_of(), host_value);
    return Keep(std::move(outcome), host_value);
  } catch (const std::bad_alloc&) {
    NoteOutOfMemory();
    return BR_LOAD_REFUSED;
  }
}

std::int32_t ModelStore::Parse(std::string_view text, std::string_view source_name,
                               std::uint32_t* host_value, std::size_t readable) {
  if (host_value == nullptr) return Fail(BR_LOAD_REFUSED, "no place was given for the host value");
  return Keep(ModelParser::Parse(text, source_name, readable), host_value);
}

std::int32_t ModelStore::Keep(ModelParser::Outcome outcome, std::uint32_t* host_value) {
  last_warnings_.clear();
  if (!outcome.model) return Fail(BR_LOAD_REFUSED, std::move(outcome.error));
  for (const std::string& warning : outcome.warnings) last_warnings_ += warning + "\n";
  const std::uint32_t value = NextHostValue();
  models_.emplace(value, std::move(outcome.model));
  last_error_.clear();
  out_of_memory_ = false;
  *host_value = value;
  return BR_LOAD_OK;
}

std::int32_t ModelStore::Fail(std::int32_t status, std::string message) {
  last_error_ = std::move(message);
  out_of_memory_ = false;
  return status;
}

// Values count up and are not reused soon, so a stale value rarely names another model.
std::uint32_t ModelStore::NextHostValue() {
  std::uint32_t value = 0;
  while (value == 0 || models_.contains(value)) value = next_host_value_++;
  return value;
}

}  // namespace tavik::brenlo
