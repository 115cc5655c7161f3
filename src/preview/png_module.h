// The entry point of the module that draws PNG pictures, loaded only when one is asked for.
#pragma once

#include <string>
#include <string_view>

namespace tavik::preview {

// Draws an SVG document of width by height pixels into png; false with the reason in error.
using RenderPngFunction = bool(std::string_view svg, int width, int height, std::string& png,
                               std::string& error);
// The name the module exports its RenderPngFunction under.
inline constexpr const char* kRenderPngSymbol = "TavikRenderPng";

}  // namespace tavik::preview
