// The PNG module: renders an SVG document to PNG with librsvg and cairo, and decodes the
// pictures drawn in it with the image library librsvg reads them with.
#include "preview/png_module.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <librsvg/rsvg.h>

#include <memory>
#include <type_traits>

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

cairo_status_t AppendPng(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
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
  if (cairo_surface_write_to_png_stream(surface.get(), AppendPng, &png) != CAIRO_STATUS_SUCCESS) {
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
