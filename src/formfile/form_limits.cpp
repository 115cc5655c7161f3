// Finding what of a printed form is beyond Visual Basic's limits.
#include "formfile/form_limits.h"

#include <fmt/format.h>

#include <utility>

namespace tavik::formfile {

FormLimits::Reading FormLimits::Judge(const FormTally& tally, std::uint16_t version,
                                      std::string_view remedy) {
  Reading reading;
  for (const FormTally::LongName& long_name : tally.long_names) {
    // Visual Basic 4 takes procedure names of any length.
    if (long_name.what == "procedure" && version != 3) continue;
    reading.warnings.push_back(
        fmt::format("the {} name {} is {} characters long, more than the {} Visual Basic {} takes",
                    long_name.what, long_name.name, long_name.name.size(), kMaxNameLength,
                    version == 3 ? 3 : 4));
  }
  reading.loads = tally.control_names.size() <= kMaxControlNames;
  if (!reading.loads) {
    reading.warnings.push_back(
        fmt::format("the form has {} control names, more than the {} Visual Basic loads; {}",
                    tally.control_names.size(), kMaxControlNames, remedy));
  }
  for (const auto& [size, how] :
       {std::pair(tally.panel_height, "tall"), std::pair(tally.panel_width, "wide")}) {
    if (size <= kMaxScrollRange) continue;
    reading.warnings.push_back(
        fmt::format("the scrolled panel is {} twips {}, more than the {} a scroll bar reaches; {}",
                    size, how, kMaxScrollRange, remedy));
  }
  for (const auto& [name, bytes] : tally.long_procedures) {
    reading.warnings.push_back(
        fmt::format("the procedure {} is {} bytes long, more than the {} Visual Basic compiles; {}",
                    name, bytes, kMaxProcedureBytes, remedy));
  }
  reading.classes = tally.classes;
  return reading;
}

}  // namespace tavik::formfile
