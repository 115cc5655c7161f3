// Renders an SVG document to PNG, and decodes pictures, through the PNG module, loaded on
// first use.
#include "preview/png_renderer.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "preview/png_module.h"
#include "preview/scene.h"

namespace tavik::preview {

namespace {

// The module lies in the library folder beside the program's folder, as the build lays
// them out: bin/tavikfw and lib/tavikfw_png.so.
std::filesystem::path ModulePath() {
  std::error_code ignored;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
  return program.parent_path().parent_path() / "lib" / TAVIK_PNG_MODULE;
}

// The module, or nothing with the reason in error. Loaded once per process and kept to its
// end: unloading librsvg's threads and type registrations is not safe.
void* LoadModule(std::string& error) {
  static std::string load_error;
  static void* const module = []() -> void* {
    void* loaded = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (loaded == nullptr) {
      load_error = "the PNG module could not be loaded: " + std::string(dlerror());
    }
    return loaded;
  }();
  if (module == nullptr) error = load_error;
  return module;
}

template <typename Function>
Function* EntryPoint(const char* symbol, std::string& error) {
  void* module = LoadModule(error);
  if (module == nullptr) return nullptr;
  void* entry = dlsym(module, symbol);
  if (entry == nullptr) error = "the PNG module " + ModulePath().string() + " has no " + symbol;
  return reinterpret_cast<Function*>(entry);
}

}  // namespace

std::optional<std::string> PngRenderer::Render(std::string_view svg, int width, int height,
                                               std::string& error) {
  RenderPngFunction* render = EntryPoint<RenderPngFunction>(kRenderPngSymbol, error);
  if (render == nullptr) return std::nullopt;
  std::string png;
  if (!render(svg, width, height, png, error)) return std::nullopt;
  return png;
}

std::shared_ptr<const PictureData> PngRenderer::Decode(std::string_view bytes) {
  std::string error;
  DecodePictureFunction* decode = EntryPoint<DecodePictureFunction>(kDecodePictureSymbol, error);
  auto picture = std::make_shared<PictureData>();
  if (decode == nullptr || !decode(bytes, picture->base64_png, picture->width, picture->height)) {
    return nullptr;
  }
  return picture;
}

}  // namespace tavik::preview
