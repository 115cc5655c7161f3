// Fuzzes the nesting of form blocks: each input byte opens or closes a control or a property
// group, so a short input nests thousands deep. Whatever is read writes out again and is
// drawn, and the written text grows no faster than the input: nesting has its bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "environment/form_file_writer.h"
#include "formfile/form_file_reader.h"
#include "preview/form_preview.h"

namespace {

std::string FormOf(const std::uint8_t* data, std::size_t size) {
  std::string text = "VERSION 4.00\nBegin VB.Form F\n";
  for (std::size_t i = 0; i < size; ++i) {
    switch (data[i] % 5) {
      case 0:
        text += "Begin VB.PictureBox p" + std::to_string(i) + "\n";
        break;
      case 1:
        text += "End\n";
        break;
      case 2:
        text += "BeginProperty Font\n";
        break;
      case 3:
        text += "EndProperty\n";
        break;
      default:
        text += "Width = " + std::to_string(data[i]) + "\n";
        break;
    }
  }
  return text + "End\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = FormOf(data, size);
  auto outcome = tavik::formfile::FormFileReader::Read(text);
  if (!outcome.form) return 0;
  const std::string written = tavik::environment::FormFileWriter::Text(*outcome.form);
  // A line written costs its indent and its groups' names ("Font.Font."), each bounded by
  // the deepest nesting, and its own few words: never the square of the depth.
  const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  const std::size_t per_line = 8 * tavik::formfile::FormFileReader::kDeepestNesting + 64;
  if (written.size() > per_line * lines) __builtin_trap();
  (void)tavik::preview::FormPreview::Svg(*outcome.form);
  return 0;
}
