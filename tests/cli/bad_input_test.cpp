// Bad models: each gets its message and exit status, no form, and an existing form survives.
#include <gtest/gtest.h>

#include <fmt/format.h>

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

// Two entities, the second on a line of its own; the model is left open for relationships.
std::string Two(const std::string& first, const std::string& second) {
  return R"({"tavik_model": 1, "entities": [{"properties": {)" + first +
         "}},\n {\"properties\": {" + second + "}}]";
}

const std::string kSecond = R"("ID": 2, "PHYSICAL_NAME": "U", "UNIQUE_PHYS_NAME": "U")";

const std::string kInfo = R"("ID": 1, "PHYSICAL_NAME": "A", "DISPLAY_NAME": "A",
                              "BASE_NAME": "A", "ROLE_NAME": "A", "REQUIRED": 0)";

std::string EditStyle(const std::string& style) {
  return Attribute(kInfo + R"(, "REL_COUNT": 0)", R"(, "CP_EST": {)" + style + "}");
}

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
      // Models that read well but would give a broken form: each named with its line.
      {"relationship without attributes",
       R"({"tavik_model": 1, "relationships": [{"properties": {"RELATION_ID": 1},
           "attributes": []}]})",
       65, "line 1: relationship 1 (RELATION_ID 1): it has no attributes"},
      {"relationship to a missing entity", Two(kEntity, kSecond) + R"(, "relationships": [
           {"properties": {"RELATION_ID": 4, "PARENT_ENTITY": 1, "CHILD_ENTITY": 9},
            "attributes": [1]}]})",
       65, "line 4: relationship 1 (RELATION_ID 4): the CHILD_ENTITY 9 is no entity's ID"},
      {"two entities of one id",
       Two(kEntity, R"("ID": 65537, "PHYSICAL_NAME": "U",
           "UNIQUE_PHYS_NAME": "U")") +
           "}",
       65, "line 3: entity 2 (U): the ID 65537 is also entity 1's (T)"},
      {"two entities of one name, in other cases", Two(kEntity, R"("ID": 2, "PHYSICAL_NAME": "U",
           "UNIQUE_PHYS_NAME": "t")") + "}",
       65, "entity 2 (U): the UNIQUE_PHYS_NAME is also entity 1's"},
      {"empty physical name of an entity",
       Entity(R"("ID": 1, "PHYSICAL_NAME": "", "UNIQUE_PHYS_NAME": "T")"), 65,
       "line 1: entity 1 (ID 1): the PHYSICAL_NAME is empty"},
      {"empty physical name of an attribute",
       Entity(kEntity, Attribute(R"("ID": 1, "PHYSICAL_NAME": "", "REL_COUNT": 0)")), 65,
       "entity 1 (T), attribute 1 (ID 1): the PHYSICAL_NAME is empty"},
      {"edit style outside the table", Entity(kEntity, EditStyle(R"("ES_TYP": 42)")), 65,
       "attribute 1 (A): the edit style ES_TYP 42 is none of the edit styles 0 to 11"},
      {"edit style that is no number", Entity(kEntity, EditStyle(R"("ES_TYP": "grid")")), 65,
       "the edit style ES_TYP grid is none"},
      {"negative width", Entity(kEntity, EditStyle(R"("ES_TYP": 4, "ES_WDT": "-5")")), 65,
       "the size ES_WDT -5 is not a size in twips from 0 to 32767"},
      {"absurd height", Entity(kEntity, EditStyle(R"("ES_TYP": 4, "ES_HGT": 9999999)")), 65,
       "the size ES_HGT 9999999 is not"},
  };
}

TEST(BadInput, MastersAndDetailsInACycleAreWarnedOfByName) {
  ScratchFolder folder;
  auto link = [](int id, int master, int detail) {
    return fmt::format(R"({{"properties": {{"RELATION_ID": {}, "PARENT_ENTITY": {},
                          "CHILD_ENTITY": {}}}, "attributes": [1]}})",
                       id, master, detail);
  };
  WriteWholeFile(folder.path() / "model.json", Two(kEntity, kSecond) + R"(, "relationships": [)" +
                                                   link(1, 1, 2) + ",\n" + link(2, 2, 1) + "]}");
  CliResult result = RunTavikfw(folder.path(), "generate model.json -o F.FRM --settings T.INI");
  EXPECT_NE(result.err.find("tavikfw generate: warning: model.json: line 5: relationship 2 "
                            "(RELATION_ID 2): the masters and details go round in a cycle: "
                            "T -> U -> T"),
            std::string::npos)
      << result.err;
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

// Frames in frames, depth deep, with a font group nested groups deep in the innermost.
std::string NestedForm(int depth, int groups = 1) {
  std::string text = "VERSION 4.00\nBegin VB.Form F\n";
  for (int i = 0; i < depth; ++i) text += fmt::format("Begin VB.Frame f{}\n", i);
  for (int i = 0; i < groups; ++i) text += "BeginProperty Font\n";
  for (int i = 0; i < groups; ++i) text += "EndProperty\n";
  for (int i = 0; i < depth; ++i) text += "End\n";
  return text + "End\n";
}

struct BadForm {
  const char* name;
  std::string form;
  int status;
  const char* message;
};

// Every command that reads forms, on forms nested past what Visual Basic takes: refused with
// the line where the nesting goes too deep, quickly and without a crash, nothing written.
TEST(BadInput, FormsNestedTooDeepAreRefusedByEveryReaderWithTheLine) {
  const std::vector<BadForm> forms = {
      {"a hundred levels, the most taken", NestedForm(99), 0, ""},
      {"a hundred and one levels of controls", NestedForm(101), 65,
       "F.FRM, line 103: blocks nested more than 100 levels deep"},
      {"thirty thousand levels", NestedForm(30000), 65, "F.FRM, line 103: blocks nested"},
      {"groups in groups", NestedForm(1, 200), 65, "F.FRM, line 103: blocks nested"},
  };
  ScratchFolder folder;
  std::filesystem::create_directories(folder.path() / "again");
  for (const BadForm& bad : forms) {
    WriteWholeFile(folder.path() / "F.FRM", bad.form);
    for (const char* command : {"inspect F.FRM --generate again", "preview F.FRM -o F.svg"}) {
      CliResult result = RunTavikfw(folder.path(), command);
      EXPECT_EQ(result.status, bad.status) << bad.name << ": " << command << "\n" << result.err;
      EXPECT_NE(result.err.find(bad.message), std::string::npos) << bad.name << result.err;
      const bool written = std::filesystem::exists(folder.path() / "F.svg") ||
                           !std::filesystem::is_empty(folder.path() / "again");
      EXPECT_EQ(written, bad.status == 0) << bad.name << ": " << command;
      std::filesystem::remove(folder.path() / "F.svg");
      std::filesystem::remove_all(folder.path() / "again" / "F.FRM");
    }
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

// A device that never ends is read up to the size no form needs, then refused.
TEST(SlowBadInput, EndlessFormInputIsRefusedAtTheSizeCap) {
  ScratchFolder folder;
  for (const char* command : {"inspect /dev/zero", "preview /dev/zero -o F.svg"}) {
    CliResult result = RunTavikfw(folder.path(), command);
    EXPECT_EQ(result.status, 65) << command;
    EXPECT_NE(result.err.find("/dev/zero is larger than 256 MiB"), std::string::npos) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "F.svg"));
}

}  // namespace
}  // namespace tavik
