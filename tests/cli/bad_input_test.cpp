// Bad models: each gets its message and exit status, no form, and an existing form survives.
#include <gtest/gtest.h>

#include <string>

#include "fakes/cli_run.h"

namespace tavik {
namespace {

using testing::CliResult;
using testing::ReadWholeFile;
using testing::RunTavikfw;
using testing::ScratchFolder;
using testing::WriteWholeFile;

struct BadModel {
  const char* name;
  std::string model;
  int status;
  const char* message;  // a part of what standard error must say
};

std::string Entity(const std::string& properties, const std::string& attributes = "") {
  return R"({"tavik_model": 1, "entities": [{"properties": {)" + properties +
         R"(}, "attributes": [)" + attributes + "]}]}";
}

const std::string kEntity = R"("ID": 1, "PHYSICAL_NAME": "T", "UNIQUE_PHYS_NAME": "T",
                                "DISPLAY_STYLE": "FIELDS", "VISIBLE": 1)";

std::string Attribute(const std::string& info, const std::string& groups = "") {
  return R"({"ATTRIB_INFO": {)" + info + R"(}, "FORM_ATTRIB_INFO": {"VISIBLE": 1},
          "COL_PROP": {"CD_TYP": "INTEGER", "CD_NAM": "A", "CD_PLB": "A"})" +
         groups + "}";
}

const std::string kInfo = R"("ID": 1, "PHYSICAL_NAME": "A", "DISPLAY_NAME": "A",
                              "BASE_NAME": "A", "ROLE_NAME": "A", "REQUIRED": 0)";

// Each message is pinned where it is made (the model loader's and the model reading tests);
// here one refusal of each exit status. A syntax error is the refused_bad_json golden.
std::vector<BadModel> Catalogue() {
  return {
      {"wrong version", R"({"tavik_model": 2})", 65, "\"tavik_model\" is 2"},
      {"entity without its unique name",
       Entity(R"("ID": 1, "PHYSICAL_NAME": "T", "DISPLAY_STYLE": "FIELDS", "VISIBLE": 1)"), 5,
       "Failure to read Tavik entities"},
      {"entity without its id",
       Entity(R"("PHYSICAL_NAME": "T", "UNIQUE_PHYS_NAME": "T", "VISIBLE": 1)"), 9,
       "Failure to read Tavik entities"},
      {"attribute without its relation count", Entity(kEntity, Attribute(kInfo)), 7,
       "Failed to build attribute relation id list"},
      {"relationship without attributes",
       R"({"tavik_model": 1, "relationships": [{"properties": {"RELATION_ID": 1},
           "attributes": []}]})",
       6, "Failure to read Tavik relations"},
  };
}

TEST(BadInput, EveryBadModelIsRefusedWithItsMessageAndStatusAndLeavesTheFormAlone) {
  ScratchFolder folder;
  WriteWholeFile(folder.path() / "F.FRM", "the form from before");
  for (const BadModel& bad : Catalogue()) {
    WriteWholeFile(folder.path() / "model.json", bad.model);
    // Even when the user lets it replace the form, a bad model leaves it as it was.
    CliResult result =
        RunTavikfw(folder.path(), "generate model.json --name A -o F.FRM --force --settings T.INI");
    EXPECT_EQ(result.status, bad.status) << bad.name << "\n" << result.err;
    EXPECT_NE(result.err.find(bad.message), std::string::npos) << bad.name << "\n" << result.err;
    EXPECT_EQ(result.out, "") << bad.name;
    EXPECT_EQ(ReadWholeFile(folder.path() / "F.FRM"), "the form from before") << bad.name;
  }
}

// Its suite name puts it under the "slow" label, which the inner loop skips.
TEST(SlowBadInput, AHundredMegabyteModelIsReadAndRefusedAsAnyOther) {
  ScratchFolder folder;
  std::string huge = Entity(R"("ID": 1, "PHYSICAL_NAME": ")" + std::string(100 << 20, 'x') +
                            R"(", "UNIQUE_PHYS_NAME": "T")");
  WriteWholeFile(folder.path() / "model.json", huge);
  CliResult result =
      RunTavikfw(folder.path(), "generate model.json --name A -o F.FRM --settings T.INI");
  EXPECT_EQ(result.status, 65);
  EXPECT_NE(result.err.find("104857600 characters long"), std::string::npos) << result.err;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "F.FRM"));
}

}  // namespace
}  // namespace tavik
