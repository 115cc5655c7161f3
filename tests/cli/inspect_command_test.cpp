// `tavikfw inspect` and `tavikfw generate --live` as a user runs them: form files run in the
// environment, read back through the reverse-engineering dialog, regenerated and saved live.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/cli_run.h"
#include "model_generator.h"

namespace fs = std::filesystem;

namespace {

using tavik::testing::CliResult;
using tavik::testing::ReadWholeFile;
using tavik::testing::WriteWholeFile;

std::string Golden(const std::string& name) {
  return (fs::path(TAVIK_SOURCE_DIR) / "tests/golden" / name / "expected.FRM").string();
}

// The control blocks of a form file: everything from the first control to the form's End.
std::string ControlBlocks(const std::string& text) {
  auto first = text.find("\r\n\tBegin ");
  auto end = text.find("\r\nEnd\r\n");
  return text.substr(first, end - first);
}

class InspectCommandTest : public tavik::testing::CliTest {
 protected:
  nlohmann::json RunJson(const std::string& arguments) {
    CliResult result = Run(arguments + " --json");
    EXPECT_EQ(result.status, 0) << result.err;
    return nlohmann::json::parse(result.out);
  }
};

// That every control and property is read is pinned by regenerating the goldens below; here
// the shape of the JSON: a container's children under it, property values as text.
TEST_F(InspectCommandTest, JsonShowsEachControlWithItsClassPropertiesAndChildren) {
  nlohmann::json shown = RunJson("inspect " + Golden("option_group"));
  auto frame = std::find_if(shown.at("controls").begin(), shown.at("controls").end(),
                            [](const auto& c) { return c.at("name") == "opgE1COLOUR"; });
  ASSERT_NE(frame, shown.at("controls").end());
  EXPECT_EQ(frame->at("class"), "Frame");
  const nlohmann::json& button = frame->at("children").at(1);
  EXPECT_EQ(button.at("name"), "obE1COLOUR2");
  EXPECT_EQ(button.at("class"), "OptionButton");
  EXPECT_EQ(button.at("properties").at("Caption"), "Green");
  EXPECT_EQ(button.at("children"), nlohmann::json::array());
}

TEST_F(InspectCommandTest, TextShowsTheFormsTheChosenFormAndNestedControls) {
  CliResult result =
      Run("inspect " + Golden("one_entity") + " " + Golden("option_group") + " --form shirts");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.rfind("Forms:\n  Orders\n* Shirts\n\nControls of Shirts:\n", 0), 0u)
      << result.out;
  EXPECT_NE(result.out.find("opgE1COLOUR (Frame)\n"), std::string::npos);
  EXPECT_NE(result.out.find("\n  obE1COLOUR2 (OptionButton)\n"
                            "    BackColor            12632256\n"
                            "    Caption              Green\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("\n  DatabaseName\n"), std::string::npos) << "an empty value";

  CliResult unknown = Run("inspect " + Golden("one_entity") + " --form Nobody");
  EXPECT_EQ(unknown.status, 64);
  EXPECT_EQ(unknown.err, "tavikfw inspect: no running form is named Nobody\n");
  EXPECT_EQ(unknown.out, "");
}

TEST_F(InspectCommandTest, SmartReNamesTheTableAndFieldsOfEachDataControl) {
  std::string forms = Golden("example_order_entry") + " " + Golden("grid_parent_vb4");
  auto data_fields = [](const nlohmann::json& shown, const std::string& control) {
    for (const auto& entry : shown.at("controls")) {
      if (entry.at("name") == control) return entry.at("data_fields");
    }
    return nlohmann::json();
  };
  // Without Smart RE nothing has been collected.
  EXPECT_EQ(data_fields(RunJson("inspect " + forms), "dsCUSTOMER"), nlohmann::json::array());

  nlohmann::json shown = RunJson("inspect " + forms + " --smart-re --form OrderEntry");
  EXPECT_EQ(shown.at("forms"), nlohmann::json::parse(R"(["GridParent", "OrderEntry"])"));
  EXPECT_EQ(data_fields(shown, "dsCUSTOMER"), nlohmann::json::parse(R"([
    {"field": "CITY", "table": "CUSTOMER"}, {"field": "CUST_ID", "table": "CUSTOMER"},
    {"field": "CUST_NAME", "table": "CUSTOMER"}])"));
  // The grid shows every column its data control selects.
  nlohmann::json lines = data_fields(shown, "dsORDER_LINE");
  ASSERT_FALSE(lines.empty());
  for (const auto& line : lines) EXPECT_EQ(line.at("table"), "ORDER_LINE") << line;
  // Each data control is shown once, in its place.
  EXPECT_EQ(std::count_if(shown.at("controls").begin(), shown.at("controls").end(),
                          [](const auto& c) { return c.at("name") == "dsORDERS"; }),
            1);

  // The second form was marked and collected as well.
  nlohmann::json other = RunJson("inspect " + forms + " --smart-re");
  EXPECT_EQ(other.at("form"), "GridParent");
  EXPECT_FALSE(data_fields(other, "dsCUSTOMER").empty());

  CliResult text = Run("inspect " + forms + " --smart-re --form OrderEntry");
  EXPECT_NE(text.out.find("  Data Fields:\n"
                          "    Field                Table\n"
                          "    CITY                 CUSTOMER\n"),
            std::string::npos)
      << text.out;
}

TEST_F(InspectCommandTest, GenerateGivesBackTheSameControlsAndProperties) {
  // A frame with option buttons, a grid, and a scroll panel that holds every other control.
  for (const char* name :
       {"example_order_entry", "option_group", "grid_parent_vb4", "small_screen_scrolls"}) {
    SCOPED_TRACE(name);
    fs::path out = dir_ / name;
    CliResult result = Run("inspect " + Golden(name) + " --generate " + out.string());
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
    fs::path saved = fs::directory_iterator(out)->path();
    EXPECT_NE(result.out.find("\nGenerated: " + saved.string() + "\n"), std::string::npos);
    std::string regenerated = ReadWholeFile(saved);
    // The form is named after the one it was read from; its controls come back in order.
    EXPECT_EQ(regenerated.rfind("VERSION 2.00\r\nBegin Form ", 0), 0u);
    EXPECT_EQ(ControlBlocks(regenerated), ControlBlocks(ReadWholeFile(Golden(name))));
  }
}

TEST_F(InspectCommandTest, GenerateNeverReplacesAnInspectedForm) {
  std::string original = ReadWholeFile(Golden("one_entity"));
  Write("Orders.FRM", original);
  CliResult result = Run("inspect Orders.FRM --generate .");
  EXPECT_EQ(result.status, 64);
  EXPECT_NE(result.err.find("would replace Orders.FRM"), std::string::npos) << result.err;
  EXPECT_EQ(ReadWholeFile(dir_ / "Orders.FRM"), original);
}

// Each kind of bad file, with its line, is the form-file reader's table; here the report's
// form and the rest of the files being inspected.
TEST_F(InspectCommandTest, BadFilesAreReportedWithTheirLineAndTheRestIsInspected) {
  std::string good = ReadWholeFile(Golden("one_entity"));
  Write("CUT.FRM", good.substr(0, 600));
  CliResult result = Run("inspect CUT.FRM NONE.FRM " + Golden("one_entity"));
  EXPECT_EQ(result.status, 65);
  std::istringstream messages(result.err);
  std::string line;
  std::getline(messages, line);
  EXPECT_EQ(line.rfind("tavikfw inspect: CUT.FRM, line 21: ", 0), 0u) << line;
  EXPECT_NE(line.find("cut short"), std::string::npos) << line;
  std::getline(messages, line);
  EXPECT_EQ(line.rfind("tavikfw inspect: NONE.FRM cannot be read", 0), 0u) << line;
  // The good form is inspected as if it had come alone.
  EXPECT_EQ(result.out, Run("inspect " + Golden("one_entity")).out);

  EXPECT_EQ(Run("inspect NONE.FRM").status, 66);
  EXPECT_EQ(Run("inspect").status, 64);
}

class LiveGenerationTest : public InspectCommandTest {
 protected:
  // Generates the case's model to a file and live; both texts.
  std::pair<std::string, std::string> FileAndLive(const std::string& model,
                                                  const std::string& options) {
    std::string run = "generate '" + model + "' --force --settings T.INI " + options;
    CliResult file = Run(run + " -o FILE.FRM");
    EXPECT_EQ(file.status, 0) << file.err;
    CliResult live = Run(run + " --live live");
    EXPECT_EQ(live.status, 0) << live.err;
    std::string saved = live.out.substr(0, live.out.find('\n'));
    // The same messages, the warnings naming the file each wrote.
    std::string live_err = live.err;
    for (auto at = live_err.find(saved); at != std::string::npos; at = live_err.find(saved, at)) {
      live_err.replace(at, saved.size(), "FILE.FRM");
    }
    EXPECT_EQ(live_err, file.err);
    EXPECT_EQ(saved.rfind("live/", 0), 0u) << live.out;
    return {ReadWholeFile(dir_ / "FILE.FRM"), ReadWholeFile(dir_ / saved)};
  }
};

TEST_F(LiveGenerationTest, TheEnvironmentSavesTheSameFormAsTheFileOutput) {
  std::string root = TAVIK_SOURCE_DIR;
  auto [file, live] =
      FileAndLive(root + "/examples/order_entry.json",
                  "--name OrderEntry --caption 'Order Entry' --database orders.mdb");
  EXPECT_EQ(live, file);
  auto [file3, live3] =
      FileAndLive(root + "/tests/golden/grid_child_vb3/model.json", "--vb 3 --name Grid3");
  EXPECT_EQ(live3, file3);
}

TEST_F(LiveGenerationTest, ALargeFormIsWrittenWholeInPieces) {
  // The file output hands its text over in pieces of 64 KB; the live form is built in one.
  // Live, the scroll panel is created under its class as the environment knows it.
  WriteWholeFile(dir_ / "large.json",
                 tavik::bench::GenerateModel({.entities = 60, .attributes = 10}));
  auto [file, live] = FileAndLive((dir_ / "large.json").string(), "--name Large");
  ASSERT_GT(file.size(), 4u << 16);
  auto panel = file.find("\tBegin SSPanel tvkSSPanel\r\n");
  ASSERT_NE(panel, std::string::npos);
  file.replace(panel, 14, "\tBegin Threed.SSPanel");
  EXPECT_EQ(live, file);
}

TEST_F(LiveGenerationTest, LiveAndAFileAreExclusive) {
  CliResult both = Run("generate '" + std::string(TAVIK_SOURCE_DIR) +
                       "/examples/order_entry.json' --name A --live live -o A.FRM");
  EXPECT_EQ(both.status, 64);
  EXPECT_FALSE(fs::exists(dir_ / "live"));
  EXPECT_FALSE(fs::exists(dir_ / "A.FRM"));
}

}  // namespace
