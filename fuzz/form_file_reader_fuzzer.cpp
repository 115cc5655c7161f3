// Fuzzes the form file reader: any bytes are read as a form or refused with a line number,
// and a form that was read writes out again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "environment/form_file_writer.h"
#include "formfile/form_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto outcome = tavik::formfile::FormFileReader::Read(text);
  if (outcome.form) (void)tavik::environment::FormFileWriter::Text(*outcome.form);
  return 0;
}
