// Tests of reverse engineering over forms the environment runs: the dialog model over them,
// Smart RE across two openings, live regeneration and the entry that opens the dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ctrl_desc.h"
#include "controls/data_source.h"
#include "environment/environment_client.h"
#include "environment/form_file_writer.h"
#include "fakes/cli_run.h"
#include "form/form_desc.h"
#include "host/data_desc.h"
#include "host/data_reader.h"
#include "host/registry.h"
#include "host/reverse_engineering.h"
#include "host/reverse_engineering_dialog.h"
#include "platform/platform.h"
#include "tavikfw/tavikfw.h"

namespace tavik {
namespace {

using environment::EnvironmentClient;
using formfile::RunningForm;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kCustomers =
    "VERSION 2.00\nBegin Form Customers\n"
    "Begin TextBox txtName\nText = \"Smith\"\nLeft = 120\nDataSource = \"dsCustomer\"\n"
    "DataField = \"NAME\"\nEnd\nBegin CommandButton cmdSave\nCaption = \"Save\"\nEnd\n"
    "Begin Frame fraAddress\nCaption = \"Address\"\n"
    "Begin TextBox txtCity\nDataSource = \"dsCustomer\"\nDataField = \"CITY\"\nEnd\nEnd\n"
    "Begin Data dsCustomer\nRecordSource = \"SELECT c.NAME, a.CITY FROM CUSTOMER c, ADDRESS a\"\n"
    "End\nEnd\n";
constexpr std::string_view kOrders =
    "VERSION 2.00\nBegin Form orders\nBegin TextBox txtOrderNo\nText = \"17\"\nEnd\n"
    "Begin Data dsOrder\nEnd\nEnd\n";
constexpr std::string_view kLegacy =
    "VERSION 2.00\nBegin Form Legacy\nBegin Label lblOld\nEnd\nEnd\n";

// The environment, counting the calls the tests look at. When asked, it describes each
// control under one provisional handle and gives the real one last, as a client may.
class Environment : public EnvironmentClient {
 public:
  explicit Environment(std::string folder) : EnvironmentClient(4, std::move(folder)) {}

  int32_t GetLiveCtrlCount(void* form_manager, uint16_t* count) override {
    ++count_requests[form_manager];
    return EnvironmentClient::GetLiveCtrlCount(form_manager, count);
  }
  int32_t CollectDataSources() override {
    ++collections;
    return EnvironmentClient::CollectDataSources();
  }
  int32_t DescribeLiveCtrl(TVK_HANDLE handle, void* owner, int32_t owner_kind,
                           TVK_CTRLDESC* descriptor) override {
    if (!provisional)
      return EnvironmentClient::DescribeLiveCtrl(handle, owner, owner_kind, descriptor);
    const formfile::RunningControl* control = nullptr;
    for (const auto& entry : RunningForms()) {
      if (!control) control = entry.form->FindControl(handle);
    }
    if (!control || AddControl(owner, owner_kind, LibraryClassName(control->class_name).c_str(),
                               version, 999, descriptor) != 0) {
      return 1;
    }
    for (const auto& property : control->properties) {
      if (auto value = formfile::PropertyToVariant(property)) {
        AddProperty(*descriptor, *value, property.name.c_str());
      }
    }
    (void)SetControlName(*descriptor, control->name.c_str());
    return static_cast<int32_t>(SetControlHandle(*descriptor, handle));
  }

  bool provisional = false;
  std::map<void*, int> count_requests;
  int collections = 0;
};

// Shows nothing: opens the dialog, plays the script, and cancels what the script left open.
class ScriptedFrontend : public ReverseEngineeringFrontend {
 public:
  TVK_HANDLE FindEnvironmentWindow() override { return environment_window; }
  void Run(CReverseEngineeringDlg& dialog, TVK_HANDLE owner) override {
    owners.push_back(owner);
    dialog.OnInitDialog();
    if (script) script(dialog);
    if (!dialog.IsClosed()) dialog.OnCancel();
  }
  void PutBehindDialog(TVK_HANDLE form_window) override { put_behind.push_back(form_window); }
  void ListsChanged(CReverseEngineeringDlg& /*dialog*/) override { ++lists_changed; }

  TVK_HANDLE environment_window = 0xE0;
  std::function<void(CReverseEngineeringDlg&)> script;
  std::vector<TVK_HANDLE> owners;
  std::vector<TVK_HANDLE> put_behind;
  int lists_changed = 0;
};

std::size_t IndexOf(const std::vector<std::string>& names, const std::string& name) {
  return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// Each control of a live form, children indented under their container: its class and the
// properties set on it, in order.
std::vector<std::string> Outline(const RunningForm& form) {
  std::vector<std::string> outline;
  form.ForEachControl([&](const formfile::RunningControl& control) {
    outline.push_back((control.container ? "  " : "") + control.class_name);
    for (const auto& property : control.properties) outline.back() += " " + property.name.str();
  });
  return outline;
}

// Two running forms of version 4 and one of version 3.
class ReverseEngineeringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(environment_.Start());
    // Handles out of the order of the form block, so that ordering by handle shows.
    customers_ = Load(kCustomers, {120, 110, 115, 116, 105});
    orders_ = Load(kOrders);
    legacy_ = Load(kLegacy);
    ASSERT_TRUE(customers_ && orders_ && legacy_);
    ASSERT_TRUE(registry_.UnRegisterObj(legacy_));
    ASSERT_TRUE(registry_.RegisterObj(legacy_, WindowOf(legacy_), environment_.process, 3, 0));
  }

  void TearDown() override { (void)registry_.UnRegisterObj(&unnamed_); }

  RunningForm* Load(std::string_view text, std::vector<TVK_HANDLE> handles = {}) {
    auto form = formfile::FormFileReader::Read(text).form;
    if (!form) return nullptr;
    auto next = handles.begin();
    if (!handles.empty()) form->AssignHandles([&] { return *next++; });
    return environment_.Run(std::move(form), "");
  }
  TVK_HANDLE WindowOf(const RunningForm* form) const {
    for (const auto& entry : environment_.RunningForms()) {
      if (entry.form.get() == form) return entry.window;
    }
    return 0;
  }
  CDataReader& Reader() { return *static_cast<CDataReader*>(environment_.data_reader); }

  Registry& registry_ = Registry::Instance();
  testing::ScratchFolder folder_;
  Environment environment_{folder_.path().string()};
  ScriptedFrontend frontend_;
  RunningForm* customers_ = nullptr;
  RunningForm* orders_ = nullptr;
  RunningForm* legacy_ = nullptr;
  int unnamed_ = 0;  // a form-manager object whose form's name cannot be read
};

TEST_F(ReverseEngineeringTest, ListsTheFormsOfTheVersionWithControlsPropertiesAndValues) {
  CReverseEngineeringDlg dialog(registry_, customers_, &frontend_);
  dialog.OnInitDialog();

  EXPECT_THAT(dialog.Shown().forms, ElementsAre("Customers", "orders"));
  EXPECT_EQ(dialog.SelectedForm(), 0u);
  // The form's controls and data controls, sorted (a data control is among both); a
  // container's children are its own.
  EXPECT_THAT(dialog.Shown().controls,
              ElementsAre("cmdSave", "dsCustomer", "dsCustomer", "fraAddress", "txtName"));
  EXPECT_EQ(dialog.SelectedControl(), 0u);
  EXPECT_THAT(dialog.Shown().properties, ElementsAre("Caption", "Name"));
  EXPECT_EQ(dialog.Shown().value, "Save");
  // A window's refresh that names no running form changes nothing.
  const int lists_changed = frontend_.lists_changed;
  dialog.OnRefresh(static_cast<const void*>(&dialog));
  EXPECT_EQ(frontend_.lists_changed, lists_changed);

  auto controls = dialog.Shown().controls;
  dialog.OnControlSelected(IndexOf(controls, "txtName"));
  EXPECT_THAT(dialog.Shown().properties,
              ElementsAre("DataField", "DataSource", "Left", "Name", "Text"));
  EXPECT_EQ(dialog.Value(), "NAME");
  dialog.OnPropertySelected(2);
  EXPECT_EQ(dialog.Value(), "120");
  EXPECT_THAT(dialog.DataFields(), IsEmpty());

  const CCtrlDesc* frame = &dialog.ListedControl(IndexOf(controls, "fraAddress"));
  ASSERT_EQ(frame->GetGroupList().size(), 1u);
  EXPECT_EQ(frame->GetGroupList()[0].child->GetCtrlName(), "txtCity");
  EXPECT_EQ(frame->GetGroupList()[0].child->GetCtrlHandle(), 116u);
}

TEST_F(ReverseEngineeringTest, SelectingAFormAgainDoesNotReadItAgain) {
  CReverseEngineeringDlg dialog(registry_, customers_, &frontend_);
  dialog.OnInitDialog();
  dialog.OnFormSelected(1);
  EXPECT_THAT(dialog.Shown().controls, ElementsAre("dsOrder", "dsOrder", "txtOrderNo"));
  dialog.OnFormSelected(0);
  dialog.OnFormSelected(1);
  EXPECT_EQ(environment_.count_requests[customers_], 1);
  EXPECT_EQ(environment_.count_requests[orders_], 1);
  EXPECT_THAT(frontend_.put_behind,
              ElementsAre(WindowOf(orders_), WindowOf(customers_), WindowOf(orders_)));
}

TEST_F(ReverseEngineeringTest, NoFormOfTheStartVersionLeavesEveryListEmpty) {
  ASSERT_TRUE(registry_.UnRegisterObj(legacy_));
  ASSERT_TRUE(registry_.RegisterObj(&unnamed_, 0x7F09, Registry::CurrentProcess(), 3, 0));

  CReverseEngineeringDlg dialog(registry_, &unnamed_, &frontend_);
  dialog.OnInitDialog();
  EXPECT_THAT(dialog.Shown().forms, IsEmpty());
  EXPECT_THAT(dialog.Shown().controls, IsEmpty());
  EXPECT_THAT(dialog.Shown().properties, IsEmpty());
  EXPECT_THAT(dialog.DataFields(), IsEmpty());
  EXPECT_EQ(dialog.OnGenerate(), kOk);
  EXPECT_THAT(environment_.LiveForms(), IsEmpty());

  // Smart RE over no form just closes.
  dialog.OnSmartRE();
  EXPECT_TRUE(dialog.IsClosed());
  EXPECT_EQ(dialog.EndValue(), 1u);
  EXPECT_FALSE(Reader().IsPending());
  EXPECT_EQ(environment_.collections, 0);
}

TEST_F(ReverseEngineeringTest, SmartReMarksTheFormsAndAttachesSourcesOnTheNextOpening) {
  CReverseEngineeringDlg first(registry_, customers_, &frontend_);
  first.OnInitDialog();
  first.OnSmartRE();
  EXPECT_TRUE(first.IsClosed());
  EXPECT_EQ(first.EndValue(), 1u);
  EXPECT_EQ(environment_.collections, 1);
  EXPECT_TRUE(Reader().IsPending());
  EXPECT_EQ(Reader().GetFormCount(), 2);

  // Only the listed forms were marked. Between the openings orders is not finished yet, and
  // dsCustomer gets a field no table was found for.
  TVK_DATADESC customers = FindDataDesc(environment_.data_reader, "Customers");
  ASSERT_NE(customers, nullptr);
  EXPECT_EQ(FindDataDesc(environment_.data_reader, "Legacy"), nullptr);
  ASSERT_EQ(CompleteDataDesc(FindDataDesc(environment_.data_reader, "orders"), 0), 1);
  CDataSource* source = reinterpret_cast<CDataDesc*>(customers)->GetDataSource("dsCustomer");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->AddFieldName("NOTE", 9), 1);

  CReverseEngineeringDlg second(registry_, customers_, &frontend_);
  second.OnInitDialog();
  EXPECT_FALSE(Reader().IsPending());
  EXPECT_EQ(FindDataDesc(environment_.data_reader, "Customers"), nullptr);
  EXPECT_NE(FindDataDesc(environment_.data_reader, "orders"), nullptr);  // still incomplete

  // The data control is listed in its place and among the data controls, which hold the fields.
  auto controls = second.Shown().controls;
  second.OnControlSelected(IndexOf(controls, "dsCustomer") + 1);
  EXPECT_THAT(second.DataFields(), ElementsAre("CITY\tADDRESS", "NAME\tCUSTOMER"));
  second.OnControlSelected(IndexOf(controls, "txtName"));
  EXPECT_THAT(second.DataFields(), IsEmpty());

  // Reading the form again keeps what was attached.
  second.OnRefresh(static_cast<const void*>(registry_.FindForm(WindowOf(orders_))));
  second.OnFormSelected(0);
  second.OnControlSelected(IndexOf(second.Shown().controls, "dsCustomer") + 1);
  EXPECT_EQ(second.DataFields().size(), 2u);
}

TEST_F(ReverseEngineeringTest, GenerateBuildsTheSelectedFormThroughTheClient) {
  CReverseEngineeringDlg dialog(registry_, customers_, &frontend_);
  dialog.OnInitDialog();
  environment_.NameNextLiveForm("Customers");
  ASSERT_EQ(dialog.OnGenerate(), kOk);
  EXPECT_FALSE(dialog.IsClosed());
  // Finished on its window and saved; controls by handle, each child in its container, the
  // data control once.
  ASSERT_EQ(environment_.SavedPaths().size(), 1u);
  EXPECT_THAT(Outline(*environment_.LiveForms()[0]),
              ElementsAre("Data Name RecordSource", "CommandButton Name Caption",
                          "Frame Name Caption", "  TextBox Name DataSource DataField",
                          "TextBox Name Text Left DataSource DataField"));
  std::string saved = testing::ReadWholeFile(environment_.SavedPaths()[0]);

  // Generating again builds the same form once more, which does not replace the first.
  environment_.NameNextLiveForm("Customers");
  EXPECT_EQ(dialog.OnGenerate(), 73u);
  ASSERT_EQ(environment_.LiveForms().size(), 2u);
  EXPECT_EQ(environment::FormFileWriter::Text(*environment_.LiveForms()[1]), saved);
}

TEST_F(ReverseEngineeringTest, ControlsDescribedUnderAProvisionalHandleKeepTheRealOne) {
  environment_.provisional = true;
  CReverseEngineeringDlg dialog(registry_, customers_, &frontend_);
  dialog.OnInitDialog();
  auto controls = dialog.Shown().controls;
  EXPECT_THAT(controls, ElementsAre("cmdSave", "dsCustomer", "fraAddress", "txtName"));
  // The frame's children were asked for by its real handle.
  const CCtrlDesc* frame = &dialog.ListedControl(IndexOf(controls, "fraAddress"));
  ASSERT_EQ(frame->GetGroupList().size(), 1u);
  EXPECT_EQ(frame->GetGroupList()[0].child->GetCtrlHandle(), 116u);

  ASSERT_EQ(dialog.OnGenerate(), kOk);
  ASSERT_EQ(environment_.LiveForms().size(), 1u);
  EXPECT_THAT(
      Outline(*environment_.LiveForms()[0]),
      ElementsAre("Data RecordSource", "CommandButton Caption", "Frame Caption",
                  "  TextBox DataSource DataField", "TextBox Text Left DataSource DataField"));

  dialog.OnFormSelected(1);
  EXPECT_EQ(dialog.Value(), "");  // dsOrder is described without properties
}

TEST_F(ReverseEngineeringTest, ReadingControlsSaysWhyItCannot) {
  CFormDesc orphan;
  ASSERT_EQ(orphan.Init(0x200, nullptr, nullptr, &environment_, 4), kOk);
  EXPECT_EQ(orphan.ReadFormCtrls(), kNullArgument);
  EXPECT_EQ(orphan.ReadFormName(), nullptr);

  RunningForm* running = Load("VERSION 2.00\nBegin Form Empty\nEnd\n");
  ASSERT_NE(running, nullptr);
  CFormDesc empty;
  ASSERT_EQ(empty.Init(0x201, running, nullptr, &environment_, 4), kOk);
  EXPECT_EQ(empty.ReadFormCtrls(), CFormDesc::kNoCtrls);

  CFormDesc without_client;
  ASSERT_EQ(without_client.Init(0x202, customers_, nullptr, nullptr, 4), kOk);
  EXPECT_EQ(without_client.ReadFormCtrls(), CFormDesc::kNoCtrlCount);
  EXPECT_EQ(without_client.ReadFormName(), nullptr);
}

class ReverseEngineeringEntryTest : public ReverseEngineeringTest {
 protected:
  void SetUp() override {
    ReverseEngineeringTest::SetUp();
    platform_.reverse_engineering_frontend = &frontend_;
  }

  Platform platform_ = CurrentPlatform();
};

TEST_F(ReverseEngineeringEntryTest, OpensOverTheEnvironmentWithAFrontendAndReturnsTheEnding) {
  ScopedPlatform scope(platform_);
  EXPECT_EQ(DoReverseEngineering(registry_, 0x555), 0u);  // not a registered form

  EXPECT_EQ(DoReverseEngineering(registry_, WindowOf(orders_)), 0u);  // cancelled
  EXPECT_THAT(frontend_.owners, ElementsAre(0xE0u));

  frontend_.script = [](CReverseEngineeringDlg& dialog) { dialog.OnOK(); };
  EXPECT_EQ(DoReverseEngineering(registry_, WindowOf(orders_)), 1u);

  frontend_.environment_window = 0;
  EXPECT_EQ(DoReverseEngineering(registry_, WindowOf(orders_)), 0u);
  EXPECT_EQ(frontend_.owners.size(), 2u);

  platform_.reverse_engineering_frontend = nullptr;
  ScopedPlatform without_frontend(platform_);
  EXPECT_EQ(DoReverseEngineering(registry_, WindowOf(orders_)), 0u);
  EXPECT_EQ(frontend_.owners.size(), 2u);
}

TEST_F(ReverseEngineeringEntryTest, ASecondRequestRefreshesTheOpenDialog) {
  ScopedPlatform scope(platform_);
  std::uint32_t nested = 99;
  std::vector<std::string> chosen;
  frontend_.script = [&](CReverseEngineeringDlg& dialog) {
    chosen.push_back(dialog.FormName(*dialog.SelectedForm()));
    nested = DoReverseEngineering(registry_, WindowOf(orders_));
    chosen.push_back(dialog.FormName(*dialog.SelectedForm()));
    dialog.OnOK();
  };
  EXPECT_EQ(DoReverseEngineering(registry_, WindowOf(customers_)), 1u);
  EXPECT_EQ(nested, 1u);
  EXPECT_THAT(chosen, ElementsAre("Customers", "orders"));
  EXPECT_EQ(frontend_.owners.size(), 1u);
  EXPECT_EQ(frontend_.lists_changed, 1);
}

TEST_F(ReverseEngineeringEntryTest, AFormThatGoesWhileTheDialogIsOpenLeavesIt) {
  ScopedPlatform scope(platform_);
  std::vector<std::string> after;
  frontend_.script = [&](CReverseEngineeringDlg& dialog) {
    ASSERT_TRUE(registry_.UnRegisterObj(customers_));  // the selected form
    after = dialog.Shown().forms;
    EXPECT_EQ(dialog.SelectedForm(), std::nullopt);
    EXPECT_THAT(dialog.Shown().controls, IsEmpty());
    EXPECT_EQ(dialog.OnGenerate(), kOk);
    dialog.OnOK();
  };
  EXPECT_EQ(DoReverseEngineering(registry_, WindowOf(customers_)), 1u);
  EXPECT_THAT(after, ElementsAre("orders"));
  EXPECT_THAT(environment_.LiveForms(), IsEmpty());
}

}  // namespace
}  // namespace tavik
