// Renders an SVG document to PNG through the PNG module, loaded on first use.
#include "preview/png_renderer.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "preview/png_module.h"

namespace tavik::preview {

namespace {

// The module lies in the library folder beside the program's folder, as the build lays
// them out: bin/tavikfw and lib/tavikfw_png.so.
std::filesystem::path ModulePath() {
  std::error_code ignored;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
  return program.parent_path().parent_path() / "lib" / TAVIK_PNG_MODULE;
}

// The module's entry point, or nothing with the reason in error. Loaded once per process
// and kept to its end: unloading librsvg's threads and type registrations is not safe.
RenderPngFunction* LoadRenderer(std::string& error) {
  static std::string load_error;
  static RenderPngFunction* const render = []() -> RenderPngFunction* {
    const std::filesystem::path path = ModulePath();
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      load_error = "the PNG module could not be loaded: " + std::string(dlerror());
      return nullptr;
    }
    void* entry = dlsym(module, kRenderPngSymbol);
    if (entry == nullptr) load_error = "the PNG module " + path.string() + " has no renderer";
    return reinterpret_cast<RenderPngFunction*>(entry);
  }();
  if (render == nullptr) error = load_error;
  return render;
}

}  // namespace

std::optional<std::string> PngRenderer::Render(std::string_view svg, int width, int height,
                                               std::string& error) {
  RenderPngFunction* render = LoadRenderer(error);
  if (render == nullptr) return std::nullopt;
  std::string png;
  if (!render(svg, width, height, png, error)) return std::nullopt;
  return png;
}

}  // namespace tavik::preview
