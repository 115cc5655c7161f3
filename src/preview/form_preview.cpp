// Draws a form and writes its picture to a file, as SVG or PNG by the file's extension.
#include "preview/form_preview.h"

#include "formfile/form_property.h"
#include "platform/file_output.h"
#include "platform/platform.h"
#include "preview/form_painter.h"
#include "preview/frx_pictures.h"
#include "preview/png_renderer.h"
#include "preview/svg_writer.h"
#include "preview/text_metrics.h"

namespace tavik::preview {

namespace {

bool EndsWith(std::string_view path, std::string_view extension) {
  return path.size() > extension.size() &&
         formfile::SameName(path.substr(path.size() - extension.size()), extension);
}

Scene Draw(const formfile::RunningForm& form, const std::filesystem::path& form_folder) {
  const TextMetrics metrics(CurrentPlatform().text_measurer);
  FrxPictures pictures(form_folder);
  return FormPainter(metrics, &pictures).Paint(form);
}

}  // namespace

std::optional<PictureFormat> FormPreview::FormatOf(std::string_view path) {
  if (EndsWith(path, ".svg")) return PictureFormat::kSvg;
  if (EndsWith(path, ".png")) return PictureFormat::kPng;
  return std::nullopt;
}

std::string FormPreview::Svg(const formfile::RunningForm& form, const text::CodePage& page,
                             const std::filesystem::path& form_folder) {
  return SvgWriter::Write(Draw(form, form_folder), page);
}

int FormPreview::Write(const formfile::RunningForm& form, const text::CodePage& page,
                       const std::string& path, PictureFormat format, std::string& error,
                       const std::filesystem::path& form_folder) {
  const Scene scene = Draw(form, form_folder);
  std::string content = SvgWriter::Write(scene, page);
  if (format == PictureFormat::kPng) {
    std::optional<std::string> png =
        PngRenderer::Render(content, scene.Width(), scene.Height(), error);
    if (!png) return kRenderFailed;
    content = std::move(*png);
  }
  return static_cast<int>(WriteFileAtomically(path, content));
}

}  // namespace tavik::preview
