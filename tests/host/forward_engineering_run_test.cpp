// The forward-engineering run through the exported entry point, with a scripted user.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fakes/cli_run.h"
#include "fakes/failing_disk.h"
#include "fakes/memory_settings.h"
#include "fakes/scoped_fakes.h"
#include "fakes/scripted_form_info.h"
#include "host/client_base.h"
#include "platform/posix/fixed_screen_info.h"
#include "platform/window_text.h"
#include "tavikfw/brenlo.h"
#include "tavikfw/tavikfw.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kModel = R"j({"tavik_model": 1, "entities": [
  {"properties": {"ID": 1, "PHYSICAL_NAME": "CUSTOMER", "UNIQUE_PHYS_NAME": "CUSTOMER",
                  "DISPLAY_STYLE": "FIELDS", "VISIBLE": 1},
   "attributes": [{"ATTRIB_INFO": {"ID": 1, "PHYSICAL_NAME": "NAME", "DISPLAY_NAME": "Name",
                   "BASE_NAME": "Name", "ROLE_NAME": "Name", "REL_COUNT": 0, "REQUIRED": 1},
                   "FORM_ATTRIB_INFO": {"VISIBLE": 1},
                   "COL_PROP": {"CD_TYP": "CHAR(20)", "CD_NAM": "NAME", "CD_PLB": "Name"}}]}]})j";

// A client that builds forms live, keeping the code it is given and the call that ends.
class LiveClient : public ClientBase {
 public:
  LiveClient() : ClientBase(4, true, false, false) {}
  int32_t CreateLiveForm(TVK_HANDLE* form, TVK_HANDLE* window) override {
    *form = 11;
    *window = 22;
    return 0;
  }
  int32_t SetLiveFormProperty(const char*, TVK_VARIANT*, TVK_HANDLE) override { return 0; }
  int32_t CreateClientCtrl(const char*, TVK_HANDLE* control, TVK_HANDLE, TVK_HANDLE) override {
    *control = ++next_control;
    return 0;
  }
  int32_t SetClientCtrlProperty(const char*, TVK_VARIANT*, TVK_HANDLE) override { return 0; }
  int32_t LoadLiveFormCode(TVK_HANDLE /*form*/, const char* path) override {
    code = testing::ReadWholeFile(path);
    code_path = path;
    return 0;
  }
  int32_t FinishLiveForm(TVK_HANDLE window) override {
    finished = window;
    return 0;
  }
  std::string code;
  std::string code_path;
  TVK_HANDLE next_control = 100;
  TVK_HANDLE finished = 0;
};

class FileOnlyClient : public ClientBase {
 public:
  explicit FileOnlyClient(std::uint16_t client_version, bool virtual_space = false)
      : ClientBase(client_version, false, true, virtual_space) {}
};

class ForwardEngineeringRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(BR_LoadModelText(kModel.data(), kModel.size(), &host_value_), BR_LOAD_OK);
    dialog_.form_name = "Customers";
    dialog_.caption = "Customers";
    dialog_.filespec = (dir_ / "CUST.FRM").string();
    Platform platform = CurrentPlatform();
    platform.message_boxes = &fakes_.message_boxes;
    platform.settings = &settings_;
    platform.screen = &screen_;
    platform.form_info_frontend = &dialog_;
    platform.save_file_picker = &dialog_;
    scope_ = std::make_unique<ScopedPlatform>(platform);
  }
  void TearDown() override {
    scope_.reset();
    BR_UnloadModel(host_value_);
  }
  std::uint32_t Run(ClientBase& client) {
    EXPECT_EQ(RegisterClient(&client), 1);
    std::uint32_t status = DoForwardEngineering(host_value_, client.version);
    UnRegisterClient(client.process);
    return status;
  }

  testing::ScopedFakes fakes_;
  testing::MemorySettings settings_;
  FixedScreenInfo screen_;
  testing::ScriptedFormInfo dialog_;
  std::unique_ptr<ScopedPlatform> scope_;
  std::uint32_t host_value_ = 0;
  testing::ScratchFolder folder_;
  fs::path dir_ = folder_.path();
};

TEST_F(ForwardEngineeringRunTest, RefusesWithoutClientOrModel) {
  EXPECT_EQ(DoForwardEngineering(host_value_, 4), 5u) << "no client for this process";
  FileOnlyClient client(4);
  ASSERT_EQ(RegisterClient(&client), 1);
  EXPECT_EQ(DoForwardEngineering(host_value_ + 1000, 4), 4u) << "a model that is not loaded";
  UnRegisterClient(client.process);
  EXPECT_EQ(dialog_.runs, 0);
}

TEST_F(ForwardEngineeringRunTest, CancelledDialogWritesNothingAndKeepsNoSettings) {
  dialog_.press_cancel = true;
  FileOnlyClient client(3);
  EXPECT_EQ(Run(client), 0u);
  EXPECT_FALSE(fs::exists(dir_ / "CUST.FRM"));
  EXPECT_TRUE(settings_.values.empty());
  EXPECT_TRUE(dialog_.asked_for_filespec);
  EXPECT_EQ(dialog_.prompt,
            "Please specify a database, form name, caption and filespec for the new form.");
}

TEST_F(ForwardEngineeringRunTest, EmptyFilespecAsksThePickerAndCancelKeepsTheDialogOpen) {
  dialog_.filespec = "";
  FileOnlyClient client(4);
  EXPECT_EQ(Run(client), 0u);
  EXPECT_EQ(dialog_.picks, 1);
  dialog_.picked_path = (dir_ / "PICKED.FRM").string();
  EXPECT_EQ(Run(client), 0u);
  EXPECT_TRUE(fs::exists(dir_ / "PICKED.FRM"));
  EXPECT_EQ(settings_.values.count("Visual Basic/ConnectString"), 1u);
}

TEST_F(ForwardEngineeringRunTest, WideContentWarnsUnlessTheClientHasVirtualSpace) {
  screen_.SetMetrics({64, 48, 96, 96});
  FileOnlyClient client(4);
  ASSERT_EQ(Run(client), 0u);
  EXPECT_EQ(fakes_.message_boxes.shown.size(), 1u) << "the warning of the too_wide golden";
  fakes_.message_boxes.shown.clear();
  FileOnlyClient roomy(4, /*virtual_space=*/true);
  ASSERT_EQ(Run(roomy), 0u);
  EXPECT_TRUE(fakes_.message_boxes.shown.empty());
}

// A form larger than the screen has its control blocks wait in a scratch file while it is
// generated: the form's own new file, when the opening fits the room foreseen for it, or one
// whose blocks are moved after the opening; without one they wait in memory. The form is the
// same every way. A scratch file that fails fails the form, which is then not written at all,
// and so does a failure of the file the scratch file became, or of the one the blocks went to.
TEST_F(ForwardEngineeringRunTest, AFormLargerThanTheScreenIsTheSameStreamedOrNot) {
  using Step = testing::FailingDisk::Step;
  screen_.SetMetrics({64, 48, 96, 96});
  FileOnlyClient client(4, /*virtual_space=*/true);
  const fs::path form = dir_ / "CUST.FRM";
  struct Way {
    Step step;
    bool leaves_room;
    std::uint64_t room_missed_by;
    int files_became;
  };
  std::vector<std::string> texts;
  for (Way way : {Way{Step::kNone, true, 0, 1}, Way{Step::kNone, true, 1, 0},
                  Way{Step::kNone, false, 0, 0}, Way{Step::kScratchCreate, true, 0, 0}}) {
    testing::FailingDisk disk(way.step, "No scratch");
    disk.leaves_room = way.leaves_room;
    disk.room_missed_by = way.room_missed_by;
    ASSERT_EQ(Run(client), 0u);
    EXPECT_EQ(disk.files_became, way.files_became) << "the opening fits the room foreseen";
    texts.push_back(testing::ReadWholeFile(form));
    fs::remove(form);
    EXPECT_TRUE(fs::is_empty(dir_));
  }
  EXPECT_EQ(texts[0], texts[1]);
  EXPECT_EQ(texts[0], texts[2]);
  EXPECT_EQ(texts[0], texts[3]);
  EXPECT_NE(texts[0].find("tvkSSPanel"), std::string::npos);

  for (std::uint64_t missed_by : {0, 1}) {
    for (auto [step, status] : {std::pair{Step::kScratchWrite, 74u}, std::pair{Step::kWrite, 74u},
                                std::pair{Step::kLoseText, 74u}, std::pair{Step::kRename, 73u}}) {
      testing::FailingDisk disk(step, "No space left on device");
      disk.room_missed_by = missed_by;
      EXPECT_EQ(Run(client), status);
      EXPECT_TRUE(fs::is_empty(dir_)) << "nothing is left of the form";
    }
  }
  ASSERT_FALSE(fakes_.message_boxes.Texts().empty());
  EXPECT_EQ(fakes_.message_boxes.Texts()[0],
            "Cannot write the form file \"" + form.string() + "\": No space left on device");
}

TEST_F(ForwardEngineeringRunTest, AClientWithoutOperationsGetsAFileButNoLiveForm) {
  CClntDesc bare{};  // a client in C that left its operation table out
  bare.version = 4;
  bare.process = TvkCurrentProcess();
  bare.can_write_to_file = 1;
  ASSERT_EQ(RegisterClient(&bare), 1);
  EXPECT_EQ(DoForwardEngineering(host_value_, 4), 0u);
  EXPECT_TRUE(fs::exists(dir_ / "CUST.FRM"));
  bare.can_generate = 1;
  EXPECT_NE(DoForwardEngineering(host_value_, 4), 0u);
  EXPECT_EQ(UnRegisterClient(bare.process), 1);
}

TEST_F(ForwardEngineeringRunTest, LiveClientGetsTheFormThroughItsOperations) {
  LiveClient client;
  SetWindowTextSource([](TVK_HANDLE window) { return window == 22 ? "Customers" : ""; });
  ASSERT_EQ(Run(client), 0u);
  SetWindowTextSource(nullptr);
  EXPECT_FALSE(dialog_.asked_for_filespec);
  EXPECT_EQ(dialog_.prompt, "Please specify a database, form name and caption for the new form.");
  EXPECT_EQ(dialog_.picks, 0);
  // The calls build the same form as the file output: the live generation test of the
  // command line pins that through the environment.
  EXPECT_EQ(client.finished, 22u);
  EXPECT_NE(client.code.find("Sub Form_Load()"), std::string::npos);
  EXPECT_FALSE(fs::exists(client.code_path)) << "the code file is removed once read";
  EXPECT_NE(fs::path(client.code_path).filename().string().rfind("tkvb", 0), std::string::npos);
  EXPECT_FALSE(fs::exists(dir_ / "CUST.FRM"));
}

TEST_F(ForwardEngineeringRunTest, LiveFormWithAnotherWindowTitleIsNotFinished) {
  LiveClient client;
  ASSERT_EQ(Run(client), 0u);
  EXPECT_EQ(client.finished, 0u);
}

}  // namespace
}  // namespace tavik
