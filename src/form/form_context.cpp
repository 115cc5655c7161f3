// The names every generator gives the procedures it shares, and Visual Basic's name rule.
#include "form/form_context.h"

#include "form/vb_name_maker.h"

namespace tavik {

std::string FormContext::SetToScreenName(std::string_view entity) {
  return std::string(entity) + "_SetToScreen";
}

std::string FormContext::SetDefaultsName(std::string_view entity) {
  return std::string(entity) + "_SetDefaults";
}

std::string FormContext::ResetName(std::string_view entity) {
  return std::string(entity) + "_Reset";
}

void FormContext::ValidateString(std::string& text) {
  VbNameMaker::CleanCharsInPlace(text);
}

}  // namespace tavik
