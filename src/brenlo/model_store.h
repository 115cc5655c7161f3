// The loaded models, known to hosts by small nonzero host values.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

#include "brenlo/model.h"
#include "brenlo/model_parser.h"

namespace tavik::brenlo {

// A file is read as a model file, or as a database when it begins like one.
// Loads return the statuses of the C interface (BR_LOAD_OK, _REFUSED, _UNREADABLE).
// Models are shared with a running session, so that unloading one mid-session does not
// pull it from under the strings already handed out.
class ModelStore {
 public:
  // The store of the process, which the BR_ functions serve: the host talks to the library
  // through plain functions, one call at a time.
  static ModelStore& Shared();

  std::int32_t LoadFile(const char* path, std::uint32_t* host_value);
  std::int32_t LoadText(std::string_view text, std::uint32_t* host_value);
  // A model document already in memory (a database's forms, one at a time), loaded as its
  // text (dump(2)) would be, without writing and reading that text: the same model, the
  // same warnings; a document refused is read from its text, for the same message.
  std::int32_t LoadDocument(const nlohmann::ordered_json& document, std::uint32_t* host_value);
  // A document the caller walks itself (ModelParser::ParseWalked), loaded as LoadDocument
  // loads it; a document refused is read from text_of's text, for the same message.
  std::int32_t LoadWalked(const std::function<bool(ModelParser&)>& walk,
                          const std::function<std::string()>& text_of, std::uint32_t* host_value);
  void Unload(std::uint32_t host_value);
  std::shared_ptr<const Model> Find(std::uint32_t host_value) const;

  // Why the last load failed; empty after a load that succeeded.
  const char* last_error() const;
  // What the last load that succeeded warns of, a line each; empty when nothing.
  const char* last_warnings() const { return last_warnings_.c_str(); }
  // For a load that ran out of memory: needs none itself.
  void NoteOutOfMemory() noexcept;

 private:
  std::int32_t LoadDatabase(const char* path, std::uint32_t* host_value);
  // readable: as ModelParser::Parse takes it.
  std::int32_t Parse(std::string_view text, std::string_view source_name, std::uint32_t* host_value,
                     std::size_t readable = 0);
  std::int32_t Keep(ModelParser::Outcome outcome, std::uint32_t* host_value);
  std::int32_t Fail(std::int32_t status, std::string message);
  std::uint32_t NextHostValue();

  std::map<std::uint32_t, std::shared_ptr<const Model>> models_;
  std::uint32_t next_host_value_ = 1;
  std::string last_error_;
  std::string last_warnings_;
  bool out_of_memory_ = false;
};

}  // namespace tavik::brenlo
