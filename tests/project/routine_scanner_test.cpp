// The support modules against every golden form: each name a form uses and does not define
// is the module's, with a parameter list that takes the call.
#include "project/routine_scanner.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/cli_run.h"
#include "formfile/form_file_reader.h"
#include "project/support_module.h"

namespace tavik::project {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;

std::string Joined(const std::vector<std::string>& faults) {
  std::string text;
  for (const std::string& fault : faults) text += fault + "\n";
  return text;
}

RoutineScanner::Definitions ModuleDefinitions(std::uint16_t version) {
  return RoutineScanner::Defined(RoutineScanner::ModuleCode(SupportModule::Text(version)));
}

TEST(RoutineScanner, EveryGoldenFormCallsOnlyWhatItsModuleDefines) {
  const fs::path root = fs::path(TAVIK_SOURCE_DIR) / "tests" / "golden";
  int forms = 0;
  for (const auto& entry : fs::directory_iterator(root)) {
    fs::path form = entry.path() / "expected.FRM";
    // Forms regenerated from Visual Basic's own files call what their authors wrote.
    if (!fs::exists(form) || fs::exists(entry.path() / "command")) continue;
    std::uint16_t version =
        ReadWholeFile(entry.path() / "options").find("--vb\n3") != std::string::npos ? 3 : 4;
    auto read = formfile::FormFileReader::ReadFile(form.string());
    ASSERT_TRUE(read.form) << form << ": " << read.fault.message;
    const RoutineScanner::Code code = RoutineScanner::FormCode(*read.form);
    EXPECT_FALSE(RoutineScanner::ExternalUses(code, version).empty()) << form;
    EXPECT_EQ(Joined(RoutineScanner::Check(code, ModuleDefinitions(version), version)), "") << form;
    ++forms;
  }
  EXPECT_GE(forms, 15);
}

TEST(RoutineScanner, ModulesUseOnlyTheLanguageAndThemselves) {
  for (std::uint16_t version : {std::uint16_t{3}, std::uint16_t{4}}) {
    for (const RoutineScanner::Use& use : RoutineScanner::ExternalUses(
             RoutineScanner::ModuleCode(SupportModule::Text(version)), version)) {
      ADD_FAILURE() << "version " << version << " line " << use.line << ": " << use.name;
    }
  }
}

TEST(RoutineScanner, RefusesUnknownNamesWrongArgumentsAndSubsAsValues) {
  const std::string text =
      "VERSION 2.00\r\nBegin Form F\r\n\tBegin Data dsA\r\n\tEnd\r\nEnd\r\n"
      "Sub Form_Load ()\r\n"
      "\ttk_SetEditMode dsA, 1\r\n"        // one argument too many
      "\tIf tk_SetEditMode(dsA) Then\r\n"  // a Sub as a value
      "\ttk_Missing dsA\r\n"               // not defined
      "\tx = vbYes + dbEditAdd: tk_DisplayError(Err)\r\n"
      "\tIf dsA.EditMode Then tk_SetEditMode dsA Else Call tk_SetEditMode(dsA, 2)\r\n"
      "End Sub\r\n";
  auto read = formfile::FormFileReader::Read(text);
  ASSERT_TRUE(read.form) << read.fault.message;
  const RoutineScanner::Code form = RoutineScanner::FormCode(*read.form);
  EXPECT_EQ(Joined(RoutineScanner::Check(form, ModuleDefinitions(3), 3)),
            "line 7: tk_SetEditMode called with 2 arguments, takes 1 to 1\n"
            "line 8: tk_SetEditMode is a Sub, used as a value\n"
            "line 9: tk_Missing is not defined\n"
            "line 10: x is not defined\n"
            "line 11: tk_SetEditMode called with 2 arguments, takes 1 to 1\n");
  // Version 4 has vbYes and dbEditAdd built in; its module leaves them out.
  EXPECT_EQ(Joined(RoutineScanner::Check(form, ModuleDefinitions(4), 4)),
            "line 7: tk_SetEditMode called with 2 arguments, takes 1 to 1\n"
            "line 8: tk_SetEditMode is a Sub, used as a value\n"
            "line 9: tk_Missing is not defined\n"
            "line 10: x is not defined\n"
            "line 11: tk_SetEditMode called with 2 arguments, takes 1 to 1\n");
}

}  // namespace
}  // namespace tavik::project
