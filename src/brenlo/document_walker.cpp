// Reads model text with simdjson, through the JSON module, and hands its values to a
// ModelParser as the JSON events.
#include "brenlo/document_walker.h"

#include <dlfcn.h>

#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "brenlo/json_module.h"
#include "brenlo/model_parser.h"

namespace tavik::brenlo {
namespace {

// The module's calls, passed on to the parser.
class ParserEvents final : public DocumentEvents {
 public:
  explicit ParserEvents(ModelParser& parser) : parser_(parser) {}

  bool Null() override { return parser_.null(); }
  bool Boolean(bool value) override { return parser_.boolean(value); }
  bool Integer(std::int64_t value) override { return parser_.number_integer(value); }
  bool Unsigned(std::uint64_t value) override { return parser_.number_unsigned(value); }
  bool Fraction(double /*value*/, std::string_view literal) override {
    return parser_.OnNumberLiteral(literal);
  }
  bool String(std::string_view text) override { return parser_.OnString(text); }
  bool Key(std::string_view name) override { return parser_.OnKey(name); }
  bool KeyString(std::string_view name, std::string_view text) override {
    return parser_.OnKeyString(name, text);
  }
  bool KeyInteger(std::string_view name, std::int64_t value) override {
    return parser_.OnKeyInteger(name, value);
  }
  bool StartObject() override { return parser_.OnOpen(true); }
  bool EndObject() override { return parser_.OnClose(); }
  bool StartArray() override { return parser_.OnOpen(false); }
  bool EndArray() override { return parser_.OnClose(); }

 private:
  ModelParser& parser_;
};

// The module lies beside the code that loads it, or in the library folder beside the
// program's folder, as the build lays them out: lib/libbrenlo.so, bin/tavikfw and
// lib/tavikfw_json.so. The code's file is named as it was loaded, and the program's own as
// it was started: a bare name found on the PATH names no folder, and a name relative to the
// folder it started in or a link names the wrong one, which left large models to the
// reference reader, three times as slow. So both names are resolved, and the running
// program, as the system knows it, is looked beside too.
void* OpenModule() {
  std::vector<std::filesystem::path> files;
  Dl_info here{};
  if (dladdr(reinterpret_cast<void*>(&OpenModule), &here) != 0 && here.dli_fname != nullptr &&
      std::strchr(here.dli_fname, '/') != nullptr) {
    files.emplace_back(here.dli_fname);
  }
  files.emplace_back("/proc/self/exe");
  for (const std::filesystem::path& file : files) {
    std::error_code unresolved;
    const std::filesystem::path folder = std::filesystem::canonical(file, unresolved).parent_path();
    if (unresolved) continue;
    for (const auto& path :
         {folder / TAVIK_JSON_MODULE, folder.parent_path() / "lib" / TAVIK_JSON_MODULE}) {
      if (void* module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL)) return module;
    }
  }
  return nullptr;
}

// Loaded once and kept to the end of the process. Its calls, and those of the shared C++
// library it brings, are bound as they are first made: binding them all at once took a
// million instructions more than the few the walk makes.
WalkDocumentFunction* LoadModule() {
  static WalkDocumentFunction* const walk = []() -> WalkDocumentFunction* {
    void* module = OpenModule();
    if (module == nullptr) return nullptr;
    return reinterpret_cast<WalkDocumentFunction*>(dlsym(module, kWalkDocumentSymbol));
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
