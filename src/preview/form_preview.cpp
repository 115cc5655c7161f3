// Draws a form and writes its picture to a file, as SVG or PNG by the file's extension.
#include "preview/form_preview.h"

#include "environment/form_property.h"
#include "platform/file_output.h"
#include "platform/platform.h"
#include "preview/form_painter.h"
#include "preview/png_renderer.h"
#include "preview/svg_writer.h"
#include "preview/text_metrics.h"

namespace tavik::preview {

namespace {

bool EndsWith(std::string_view path, std::string_view extension) {
  return path.size() > extension.size() &&
         environment::SameName(path.substr(path.size() - extension.size()), extension);
}

Scene Draw(const environment::RunningForm& form) {
  const TextMetrics metrics(CurrentPlatform().text_measurer);
  return FormPainter(metrics).Paint(form);
}

}  // namespace

std::optional<PictureFormat> FormPreview::FormatOf(std::string_view path) {
  if (EndsWith(path, ".svg")) return PictureFormat::kSvg;
  if (EndsWith(path, ".png")) return PictureFormat::kPng;
  return std::nullopt;
}

std::string FormPreview::Svg(const environment::RunningForm& form, const text::CodePage& page) {
  return SvgWriter::Write(Draw(form), page);
}

int FormPreview::Write(const environment::RunningForm& form, const text::CodePage& page,
                       const std::string& path, PictureFormat format, std::string& error) {
  const Scene scene = Draw(form);
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
