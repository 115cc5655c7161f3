// The PNG module: renders an SVG document to PNG with librsvg and cairo, and decodes the
// pictures drawn in it with the image library librsvg reads them with.
#include "preview/png_module.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <librsvg/rsvg.h>
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

// The outline editions of the raster faces the text measurer reads, shipped for Wine.
constexpr const char* kWindowsFontFolder = "/usr/share/wine/fonts";
constexpr double kPixelsPerInch = 96.0;

struct GObjectDeleter {
  void operator()(gpointer object) const { g_object_unref(object); }
};
struct ErrorDeleter {
  void operator()(GError* error) const { g_error_free(error); }
};
struct SurfaceDeleter {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
  void operator()(cairo_t* context) const { cairo_destroy(context); }
};

void AddWindowsFonts() {
  static const bool added = [] {
    return FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(kWindowsFontFolder)) ==
           FcTrue;
  }();
  (void)added;
}

void AppendPng(png_structp writer, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(writer))
      ->append(reinterpret_cast<const char*>(data), length);
}

void IgnoreFlush(png_structp /*writer*/) {}

// The opaque surface as an RGB PNG file. Compressed quickly: at the usual level, zlib took
// more time over a large window's pixels than drawing them.
bool EncodePng(cairo_surface_t* surface, std::string& png) {
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  // Made before libpng may jump back on an error, so that nothing is skipped unfreed.
  std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = writer != nullptr ? png_create_info_struct(writer) : nullptr;
  if (info == nullptr || setjmp(png_jmpbuf(writer)) != 0) {
    png_destroy_write_struct(&writer, &info);
    return false;
  }
  png_set_write_fn(writer, &png, AppendPng, IgnoreFlush);
  png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(writer, 1);
  png_set_filter(writer, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_write_info(writer, info);
  for (int y = 0; y < height; ++y) {
    const unsigned char* pixels = data + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, pixels + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
      row[3 * x] = static_cast<png_byte>(pixel >> 16);
      row[3 * x + 1] = static_cast<png_byte>(pixel >> 8);
      row[3 * x + 2] = static_cast<png_byte>(pixel);
    }
    png_write_row(writer, row.data());
  }
  png_write_end(writer, info);
  png_destroy_write_struct(&writer, &info);
  return true;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool TavikRenderPng(std::string_view svg,
                                                                      int width, int height,
                                                                      std::string& png,
                                                                      std::string& error) {
  AddWindowsFonts();
  GError* raw_error = nullptr;
  std::unique_ptr<RsvgHandle, GObjectDeleter> handle(rsvg_handle_new_from_data(
      reinterpret_cast<const guint8*>(svg.data()), svg.size(), &raw_error));
  std::unique_ptr<GError, ErrorDeleter> failure(raw_error);
  if (!handle) {
    error = failure ? failure->message : "the drawing could not be read";
    return false;
  }
  rsvg_handle_set_dpi(handle.get(), kPixelsPerInch);
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
  const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
  if (rsvg_handle_render_document(handle.get(), context.get(), &viewport, &raw_error) == FALSE) {
    failure.reset(raw_error);
    error = failure ? failure->message : "the drawing could not be rendered";
    return false;
  }
  cairo_surface_flush(surface.get());
  if (!EncodePng(surface.get(), png)) {
    error = "the picture could not be encoded";
    return false;
  }
  return true;
}

static_assert(std::is_same_v<decltype(TavikRenderPng), tavik::preview::RenderPngFunction>);

extern "C" __attribute__((visibility("default"))) bool TavikDecodePicture(std::string_view bytes,
                                                                          std::string& base64_png,
                                                                          int& width, int& height) {
  std::unique_ptr<GdkPixbufLoader, GObjectDeleter> loader(gdk_pixbuf_loader_new());
  GError* raw_error = nullptr;
  const bool read =
      gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()),
                              bytes.size(), &raw_error) != FALSE;
  std::unique_ptr<GError, ErrorDeleter> failure(raw_error);
  raw_error = nullptr;
  // Closed in any case: a loader left open complains when it is freed.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), &raw_error) != FALSE;
  failure.reset(raw_error);
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());  // owned by the loader
  if (!read || !closed || pixbuf == nullptr) return false;
  gchar* png = nullptr;
  gsize size = 0;
  if (gdk_pixbuf_save_to_buffer(pixbuf, &png, &size, "png", &raw_error, nullptr) == FALSE) {
    failure.reset(raw_error);
    return false;
  }
  gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(png), size);
  base64_png = encoded;
  g_free(encoded);
  g_free(png);
  width = gdk_pixbuf_get_width(pixbuf);
  height = gdk_pixbuf_get_height(pixbuf);
  return true;
}

static_assert(std::is_same_v<decltype(TavikDecodePicture), tavik::preview::DecodePictureFunction>);
