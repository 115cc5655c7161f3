// The entry points of the module that draws PNG pictures, loaded only when one is asked for.
#pragma once

#include <string>
#include <string_view>

namespace tavik::preview {

// Draws an SVG document of width by height pixels into png; false with the reason in error.
using RenderPngFunction = bool(std::string_view svg, int width, int height, std::string& png,
                               std::string& error);
// The name the module exports its RenderPngFunction under.
inline constexpr const char* kRenderPngSymbol = "TavikRenderPng";

// Decodes a picture in any form the image library's loaders read (BMP, ICO, GIF, JPEG, and
// WMF where its loader is installed) into PNG in base64, with its size in pixels; false
// when none reads it.
using DecodePictureFunction = bool(std::string_view bytes, std::string& base64_png, int& width,
                                   int& height);
inline constexpr const char* kDecodePictureSymbol = "TavikDecodePicture";

}  // namespace tavik::preview
