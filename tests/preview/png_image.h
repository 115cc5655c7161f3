// Reads a PNG file's pixels, for tests that look at pictures.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace tavik::testing {

class PngImage {
 public:
  explicit PngImage(const std::string& path)
      : surface_(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy) {}

  bool Loaded() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
  int Width() const { return cairo_image_surface_get_width(surface_.get()); }
  int Height() const { return cairo_image_surface_get_height(surface_.get()); }
  // The pixel as 0xRRGGBB (the pictures are opaque).
  std::uint32_t At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface_.get()) +
        static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface_.get());
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
    return pixel & 0xFFFFFFu;
  }

 private:
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface_;
};

}  // namespace tavik::testing
