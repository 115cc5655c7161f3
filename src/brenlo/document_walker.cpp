// Reads model text with simdjson, through the JSON module, and hands its values to a
// ModelParser as the JSON events.
#include "brenlo/document_walker.h"

#include <dlfcn.h>

#include <exception>
#include <filesystem>

#include "brenlo/json_module.h"
#include "brenlo/model_parser.h"

namespace tavik::brenlo {
namespace {

// The module's calls, passed on to the parser.
class ParserEvents final : public JsonEvents {
 public:
  explicit ParserEvents(ModelParser& parser) : parser_(parser) {}

  bool null() override { return parser_.null(); }
  bool boolean(bool value) override { return parser_.boolean(value); }
  bool number_integer(number_integer_t value) override { return parser_.number_integer(value); }
  bool number_unsigned(number_unsigned_t value) override { return parser_.number_unsigned(value); }
  bool number_float(number_float_t value, const string_t& literal) override {
    return parser_.number_float(value, literal);
  }
  bool string(string_t& value) override { return parser_.string(value); }
  bool binary(binary_t& value) override { return parser_.binary(value); }
  bool start_object(std::size_t elements) override { return parser_.start_object(elements); }
  bool key(string_t& name) override { return parser_.key(name); }
  bool end_object() override { return parser_.end_object(); }
  bool start_array(std::size_t elements) override { return parser_.start_array(elements); }
  bool end_array() override { return parser_.end_array(); }
  bool parse_error(std::size_t position, const std::string& last_token,
                   const nlohmann::detail::exception& error) override {
    return parser_.parse_error(position, last_token, error);
  }

 private:
  ModelParser& parser_;
};

// The module lies beside the code that loads it, or in the library folder beside the
// program's folder, as the build lays them out: lib/libbrenlo.so, bin/tavikfw and
// lib/tavikfw_json.so. Loaded once and kept to the end of the process.
WalkDocumentFunction* LoadModule() {
  static WalkDocumentFunction* const walk = []() -> WalkDocumentFunction* {
    Dl_info here{};
    if (dladdr(reinterpret_cast<void*>(&LoadModule), &here) == 0 || here.dli_fname == nullptr) {
      return nullptr;
    }
    const std::filesystem::path folder = std::filesystem::path(here.dli_fname).parent_path();
    for (const auto& path :
         {folder / TAVIK_JSON_MODULE, folder.parent_path() / "lib" / TAVIK_JSON_MODULE}) {
      if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        return reinterpret_cast<WalkDocumentFunction*>(dlsym(module, kWalkDocumentSymbol));
      }
    }
    return nullptr;
  }();
  return walk;
}

}  // namespace

bool DocumentWalker::Walk(std::string_view text, std::size_t readable, ModelParser& events) {
  WalkDocumentFunction* walk = LoadModule();
  if (walk == nullptr) return false;
  ParserEvents forwarded(events);
  return walk(text, readable, forwarded);
}

bool DocumentWalker::Available() {
  return LoadModule() != nullptr;
}

}  // namespace tavik::brenlo
