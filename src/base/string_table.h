// The texts of the library's string table, by their ids.
#pragma once

#include <string_view>

namespace tavik {

class StringTable {
 public:
  static constexpr int kFormInfoPromptWithFile = 51041;
  static constexpr int kFormInfoPromptLive = 51042;
  static constexpr int kAttributeProblem = 51050;
  static constexpr int kAttributeErrorCaption = 51051;
  static constexpr int kEntityProblem = 51052;
  static constexpr int kEntityAbortCaption = 51053;
  static constexpr int kNoEntitiesGenerated = 51054;
  static constexpr int kFormGenerationAbortCaption = 51055;
  static constexpr int kSaveFormTitle = 51057;
  static constexpr int kNoFormNameDialogProc = 51058;
  static constexpr int kParameterErrorCaption = 51059;
  static constexpr int kNoFormName = 51060;
  static constexpr int kFormNameStartsWithDigit = 51061;
  static constexpr int kFormTooWide = 51062;
  static constexpr int kFormTooHigh = 51063;

  // The text of an id; empty for an id the table does not hold.
  static std::string_view Text(int id);
};

}  // namespace tavik
