// The string table.
#include "base/string_table.h"

#include <array>
#include <utility>

namespace tavik {

std::string_view StringTable::Text(int id) {
  static constexpr std::array<std::pair<int, std::string_view>, 15> kTexts = {{
      {kAttributeProblem, "There was a problem generating attribute: "},
      {kAttributeErrorCaption, "Attribute Generation Error"},
      {kFormInfoPromptWithFile,
       "Please specify a database, form name, caption and filespec for the new form."},
      {kFormInfoPromptLive, "Please specify a database, form name and caption for the new form."},
      {kEntityProblem,
       "There was a problem generating entity: %1 ; entity will not be generated.\n Do you wish "
       "to continue generating form? (Relationships may not function correctly if entity is "
       "missing)"},
      {kEntityAbortCaption, "Entity Abort!"},
      {kNoEntitiesGenerated, "No entities successfully generated; form generation will abort"},
      {kFormGenerationAbortCaption, "Form Generation Abort"},
      {kSaveFormTitle, "Save Tavik-Generated Form File As"},
      {kNoFormNameDialogProc, "You must enter a form name to generate a form!"},
      {kParameterErrorCaption, "Tavik for Visual Basic Parameter Entry Error"},
      {kNoFormName, "You must enter a form name to generate a form!"},
      {kFormNameStartsWithDigit, "Your form name must not begin with a numeric digit!"},
      {kFormTooWide,
       "Your form has exceeded the allowable width!  Not all fields will be reachable.\n"},
      {kFormTooHigh,
       "Your form has exceeded the allowable height!  Not all fields will be reachable.\n"},
  }};
  for (const auto& [text_id, text] : kTexts) {
    if (text_id == id) return text;
  }
  return {};
}

}  // namespace tavik
