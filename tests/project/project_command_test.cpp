// `tavikfw project`: whole projects from databases and model files, read back and checked
// against their support module; the folder rules and the refusals.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "fakes/cli_run.h"
#include "fakes/sqlite_database.h"
#include "formfile/form_file_reader.h"
#include "model_generator.h"
#include "project/project_file.h"
#include "project/project_reader.h"
#include "project/routine_scanner.h"
#include "project/support_module.h"

namespace tavik::project {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;
using testing::RunTavikfw;
using testing::ScratchFolder;

constexpr const char* kShopSchema =
    "CREATE TABLE CUSTOMER(CUST_ID INTEGER PRIMARY KEY, CUST_NAME TEXT NOT NULL,"
    " RATING TEXT CHECK (RATING IN ('A','B','C')), ACTIVE BOOLEAN);"
    "CREATE TABLE ORDERS(ORDER_ID INTEGER PRIMARY KEY, CUST_ID INTEGER REFERENCES CUSTOMER,"
    " ORDER_DATE DATE, SHIPPED TEXT CHECK (SHIPPED IN ('Y','N')));"
    "CREATE TABLE ORDER_LINE(ORDER_ID INTEGER REFERENCES ORDERS, LINE_NO INTEGER, QTY INTEGER,"
    " PRIMARY KEY(ORDER_ID, LINE_NO));"
    "CREATE TABLE \"Customer Notes\"(NOTE_ID INTEGER PRIMARY KEY,"
    " CUST_ID INTEGER REFERENCES CUSTOMER, NOTE BLOB);";

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Reads the project back: every file it lists was written, each form calls only what the
// module defines (or another form), and the file reads back to the same text.
ProjectDescription CheckProject(const fs::path& project_file, std::uint16_t version) {
  const std::string text = ReadWholeFile(project_file);
  ProjectReader::Outcome read = ProjectReader::Read(text);
  EXPECT_TRUE(read.project) << read.error;
  if (!read.project) return {};
  const ProjectDescription& project = *read.project;
  EXPECT_EQ(project.version, version);
  EXPECT_EQ(ProjectFile::Text(project), text);
  const fs::path folder = project_file.parent_path();
  EXPECT_EQ(ReadWholeFile(folder / project.module_file), SupportModule::Text(version));
  RoutineScanner::Definitions module =
      RoutineScanner::Defined(RoutineScanner::ModuleCode(SupportModule::Text(version)));
  std::vector<std::unique_ptr<formfile::RunningForm>> forms;
  std::unordered_set<std::string> form_names;
  for (const ProjectForm& form : project.forms) {
    auto form_read = formfile::FormFileReader::ReadFile((folder / form.file).string());
    EXPECT_TRUE(form_read.form) << form.file << ": " << form_read.fault.message;
    if (!form_read.form) return {};
    form_names.insert(Upper(form_read.form->Name()));
    forms.push_back(std::move(form_read.form));
  }
  for (std::size_t i = 0; i < forms.size(); ++i) {
    for (const std::string& fault :
         RoutineScanner::Check(RoutineScanner::FormCode(*forms[i]), module, version, form_names)) {
      ADD_FAILURE() << project.forms[i].file << ": " << fault;
    }
  }
  return project;
}

// Compares a written file with the expected one under tests/project/golden/ (rewritten
// with UPDATE_GOLDENS=1).
void ExpectGolden(const fs::path& written, const std::string& expected_name) {
  const fs::path expected =
      fs::path(TAVIK_SOURCE_DIR) / "tests" / "project" / "golden" / expected_name;
  if (std::getenv("UPDATE_GOLDENS") != nullptr) {
    fs::create_directories(expected.parent_path());
    testing::WriteWholeFile(expected, ReadWholeFile(written));
  }
  EXPECT_EQ(ReadWholeFile(written), ReadWholeFile(expected)) << expected_name;
}

TEST(ProjectCommand, DatabaseGivesAFormPerTableAndAStartUpForm) {
  ScratchFolder scratch;
  testing::MakeDatabase(scratch.path() / "shop.db", kShopSchema);
  for (std::uint16_t version : {std::uint16_t{3}, std::uint16_t{4}}) {
    const std::string folder = "vb" + std::to_string(version);
    auto result = RunTavikfw(scratch.path(), "project shop.db -o " + folder + " --vb " +
                                                 std::to_string(version) + " --settings x.ini");
    ASSERT_EQ(result.status, 0) << result.err;
    const fs::path project_file =
        scratch.path() / folder / (std::string("SHOP.") + ProjectFile::Extension(version));
    EXPECT_EQ(result.out, folder + "/" + project_file.filename().string() + "\n");
    ProjectDescription project = CheckProject(project_file, version);
    ASSERT_EQ(project.forms.size(), 5u);
    EXPECT_EQ(project.forms[0].file, "MAINMENU.FRM");
    EXPECT_EQ(project.forms[4].file, "CUSTOME2.FRM");
    ExpectGolden(project_file, folder + "/" + project_file.filename().string());
    ExpectGolden(scratch.path() / folder / "MAINMENU.FRM", folder + "/MAINMENU.FRM");
    // The customer's form shows its orders and notes below it as grids.
    std::string customer = ReadWholeFile(scratch.path() / folder / "CUSTOMER.FRM");
    EXPECT_NE(customer.find("grdORDERS"), std::string::npos);
    EXPECT_NE(customer.find("Sub ORDERS_DoRefresh"), std::string::npos);
  }
}

TEST(ProjectCommand, KeysKeptAsPlainColumnsAreWarnedOf) {
  ScratchFolder scratch;
  testing::MakeDatabase(scratch.path() / "staff.db",
                        "CREATE TABLE P (ID INTEGER PRIMARY KEY, BOSS INTEGER REFERENCES P)");
  auto result = RunTavikfw(scratch.path(), "project staff.db -o out --settings x.ini");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("tavikfw project: warning: staff.db: table \"P\", column \"BOSS\""),
            std::string::npos)
      << result.err;
}

TEST(ProjectCommand, LookupAndOrderChooseTheColumnsOfEveryFormThatShowsTheTable) {
  ScratchFolder scratch;
  testing::MakeDatabase(scratch.path() / "shop.db", kShopSchema);
  auto result = RunTavikfw(scratch.path(),
                           "project shop.db -o out --lookup customer=rating --order "
                           "ORDERS=order_date --settings x.ini");
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string orders = ReadWholeFile(scratch.path() / "out" / "ORDERS.FRM");
  EXPECT_NE(orders.find("SELECT CUST_ID, RATING FROM CUSTOMER ORDER BY RATING"), std::string::npos);
  EXPECT_NE(orders.find("FROM ORDERS ORDER BY ORDER_DATE\""), std::string::npos);
  // A detail's order follows the condition on its master's row.
  const std::string customer = ReadWholeFile(scratch.path() / "out" / "CUSTOMER.FRM");
  EXPECT_NE(customer.find("tk_SQLValue(dsCUSTOMER, \"CUST_ID\") & \" ORDER BY ORDER_DATE\""),
            std::string::npos);

  for (const char* refused : {"--order NOPE=X", "--lookup ORDERS=NOPE", "--order ORDERS"}) {
    auto bad = RunTavikfw(scratch.path(),
                          std::string("project shop.db -o bad --settings x.ini ") + refused);
    EXPECT_EQ(bad.status, 64) << refused;
    EXPECT_NE(bad.err.find(refused), std::string::npos) << bad.err;
    EXPECT_FALSE(fs::exists(scratch.path() / "bad")) << refused;
  }
}

TEST(ProjectCommand, ModelFilesOfEveryShapeGiveProjectsTheModuleServes) {
  ScratchFolder scratch;
  bench::ModelShape shape;
  shape.entities = 12;
  testing::WriteWholeFile(scratch.path() / "chains.json", bench::GenerateModel(shape));
  const std::string models[] = {
      "chains.json", std::string(TAVIK_SOURCE_DIR) + "/examples/order_entry.json",
      std::string(TAVIK_SOURCE_DIR) + "/tests/golden/every_edit_style_vb3/model.json"};
  int made = 0;
  for (const std::string& model : models) {
    for (const char* version : {"3", "4"}) {
      const std::string folder = "p" + std::to_string(made++);
      auto result = RunTavikfw(scratch.path(), "project '" + model + "' -o " + folder + " --vb " +
                                                   version + " --settings x.ini");
      ASSERT_EQ(result.status, 0) << model << result.err;
      ProjectDescription project =
          CheckProject(scratch.path() / result.out.substr(0, result.out.size() - 1),
                       static_cast<std::uint16_t>(*version - '0'));
      EXPECT_EQ(project.forms.size(), 1u);
      EXPECT_EQ(project.startup_form,
                project.forms.empty() ? "" : "frm" + fs::path(model).stem().string());
    }
  }
  ExpectGolden(scratch.path() / "p3" / "ORDER_EN.VBP", "model_vb4/ORDER_EN.VBP");
}

TEST(ProjectCommand, ManyTablesShowTheirButtonsAPageAtATime) {
  ScratchFolder scratch;
  std::string schema;
  for (int table = 1; table <= 20; ++table) {
    schema += "CREATE TABLE T" + std::to_string(table) + "(ID INTEGER PRIMARY KEY, NAME TEXT);";
  }
  testing::MakeDatabase(scratch.path() / "many.db", schema);
  auto result = RunTavikfw(scratch.path(), "project many.db -o out --settings x.ini");
  ASSERT_EQ(result.status, 0) << result.err;
  ProjectDescription project = CheckProject(scratch.path() / "out" / "MANY.VBP", 4);
  EXPECT_EQ(project.forms.size(), 21u);
  std::string start = ReadWholeFile(scratch.path() / "out" / "MAINMENU.FRM");
  EXPECT_NE(start.find("Const PAGE_SIZE = 15\r\n"), std::string::npos);
  EXPECT_NE(start.find("Case 19: frmT20.Show\r\n"), std::string::npos);
  EXPECT_EQ(start.find("Visible         =   0   'False"), std::string::npos);
}

TEST(ProjectCommand, FolderThatHoldsFilesIsKeptUnlessForced) {
  ScratchFolder scratch;
  fs::create_directories(scratch.path() / "out");
  testing::WriteWholeFile(scratch.path() / "out" / "KEEP.TXT", "mine");
  const std::string model = std::string(TAVIK_SOURCE_DIR) + "/examples/order_entry.json";
  auto refused = RunTavikfw(scratch.path(), "project " + model + " -o out --settings x.ini");
  EXPECT_EQ(refused.status, 73);
  EXPECT_NE(refused.err.find("holds files"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path() / "out"), {}), 1);

  auto forced = RunTavikfw(scratch.path(), "project " + model + " -o out --force --settings x.ini");
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(ReadWholeFile(scratch.path() / "out" / "KEEP.TXT"), "mine");
  EXPECT_TRUE(fs::exists(scratch.path() / "out" / "ORDER_EN.VBP"));
  EXPECT_FALSE(fs::exists(scratch.path() / "out" / ".tavik-staging"));
}

TEST(ProjectCommand, RefusalsLeaveNothingBehind) {
  ScratchFolder scratch;
  testing::WriteWholeFile(scratch.path() / "bad.json", "{\"tavik_model\": 2}");
  auto bad = RunTavikfw(scratch.path(), "project bad.json -o out --settings x.ini");
  EXPECT_EQ(bad.status, 65);
  EXPECT_FALSE(fs::exists(scratch.path() / "out"));

  auto tables = RunTavikfw(scratch.path(), "project bad.json -o out --table T --settings x.ini");
  EXPECT_EQ(tables.status, 64);
  EXPECT_NE(tables.err.find("is a model file"), std::string::npos);
  auto order = RunTavikfw(scratch.path(), "project bad.json -o out --order T=C --settings x.ini");
  EXPECT_EQ(order.status, 64);
  EXPECT_NE(order.err.find("--lookup and --order name columns of a database"), std::string::npos);

  // A model in the folder, named as the project names its module, is not overwritten.
  fs::create_directories(scratch.path() / "out");
  fs::copy_file(fs::path(TAVIK_SOURCE_DIR) / "examples" / "order_entry.json",
                scratch.path() / "out" / "TAVIKSUP.BAS");
  auto replaced =
      RunTavikfw(scratch.path(), "project out/TAVIKSUP.BAS -o out --force --settings x.ini");
  EXPECT_EQ(replaced.status, 64);
  EXPECT_NE(replaced.err.find("it would be replaced, so nothing is written"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path() / "out"), {}), 1);
}

}  // namespace
}  // namespace tavik::project
