// Tests of reverse engineering: a client describing running forms, the dialog model over them,
// Smart RE across two openings, live regeneration and the entry that opens the dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "controls/ctrl_desc.h"
#include "form/form_desc.h"
#include "host/client_base.h"
#include "host/data_reader.h"
#include "host/registry.h"
#include "host/reverse_engineering.h"
#include "host/reverse_engineering_dialog.h"
#include "platform/platform.h"
#include "tavikfw/tavikfw.h"

namespace tavik {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

void* Manager(std::uintptr_t id) {
  return reinterpret_cast<void*>(id);
}

// A control of a running form as the environment knows it.
struct RunningCtrl {
  std::string class_name;
  std::string name;
  std::vector<std::pair<std::string, std::variant<std::string, std::int32_t>>> properties;
  std::vector<TVK_HANDLE> children;
};

struct RunningForm {
  std::string name;
  std::vector<TVK_HANDLE> controls;
};

// The environment's side: running forms it describes through the C interface, and the calls
// it gets for live forms.
class RunningFormsClient : public ClientBase {
 public:
  RunningFormsClient() : ClientBase(4, true, false, false) {}

  int32_t GetLiveFormName(void* form_manager, void** name_block) override {
    auto found = forms.find(form_manager);
    if (found == forms.end()) return 1;
    const std::string& name = found->second.name;
    void* block = std::malloc(name.size() + 1);
    std::memcpy(block, name.c_str(), name.size() + 1);
    *name_block = block;
    return 0;
  }
  int32_t GetLiveCtrlCount(void* form_manager, uint16_t* count) override {
    ++count_requests[form_manager];
    *count = static_cast<uint16_t>(forms.at(form_manager).controls.size());
    return 0;
  }
  int32_t GetLiveCtrls(void* form_manager, TVK_HANDLE* handles) override {
    for (TVK_HANDLE handle : forms.at(form_manager).controls) *handles++ = handle;
    return 0;
  }
  int32_t GetLiveChildCount(TVK_HANDLE container, uint16_t* count) override {
    *count = static_cast<uint16_t>(controls.at(container).children.size());
    return 0;
  }
  int32_t GetLiveChildren(TVK_HANDLE container, TVK_HANDLE* children) override {
    for (TVK_HANDLE child : controls.at(container).children) *children++ = child;
    return 0;
  }
  // Adds with a provisional handle and gives the real one last, as a client may.
  int32_t DescribeLiveCtrl(TVK_HANDLE handle, void* owner, int32_t owner_kind,
                           TVK_CTRLDESC* descriptor) override {
    const RunningCtrl& control = controls.at(handle);
    TVK_CTRLDESC made = nullptr;
    uint32_t status = control.class_name == "Data"
                          ? AddDataControl(static_cast<TVK_FORMDESC>(owner), "Data", 4, 0, &made)
                          : AddControl(owner, owner_kind, control.class_name.c_str(), 4, 0, &made);
    if (status != 0) return static_cast<int32_t>(status);
    for (const auto& [name, value] : control.properties) {
      TVK_VARIANT variant{};
      if (const auto* text = std::get_if<std::string>(&value)) {
        variant.vt = TVK_VT_BSTR;
        variant.u.bstrVal = const_cast<char*>(text->c_str());
      } else {
        variant.vt = TVK_VT_I4;
        variant.u.lVal = std::get<std::int32_t>(value);
      }
      (void)AddProperty(made, variant, name.c_str());
    }
    (void)SetControlName(made, control.name.c_str());
    (void)SetControlHandle(made, handle);
    *descriptor = made;
    return 0;
  }
  int32_t CollectDataSources() override {
    calls.push_back("CollectDataSources");
    return 0;
  }
  int32_t CreateLiveForm(TVK_HANDLE* form, TVK_HANDLE* window) override {
    calls.push_back("CreateLiveForm");
    *form = 900;
    *window = 901;
    return 0;
  }
  int32_t CreateClientCtrl(const char* class_name, TVK_HANDLE* control, TVK_HANDLE /*form*/,
                           TVK_HANDLE parent) override {
    calls.push_back(std::string("CreateClientCtrl ") + class_name + " in " +
                    std::to_string(parent));
    *control = ++next_live_handle;
    return 0;
  }
  int32_t SetClientCtrlProperty(const char* name, TVK_VARIANT* /*value*/,
                                TVK_HANDLE control) override {
    calls.push_back("SetClientCtrlProperty " + std::to_string(control) + " " + name);
    return 0;
  }
  int32_t LoadLiveFormCode(TVK_HANDLE /*form*/, const char* /*path*/) override {
    calls.push_back("LoadLiveFormCode");
    return 0;
  }
  int32_t FinishLiveForm(TVK_HANDLE window) override {
    calls.push_back("FinishLiveForm " + std::to_string(window));
    return 0;
  }

  std::map<void*, RunningForm> forms;
  std::map<TVK_HANDLE, RunningCtrl> controls;
  std::map<void*, int> count_requests;
  std::vector<std::string> calls;
  TVK_HANDLE next_live_handle = 0;
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

template <typename Entries>
std::vector<std::string> Names(const Entries& entries) {
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  return names;
}

std::size_t IndexOf(const std::vector<std::string>& names, const std::string& name) {
  return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// Two running forms of version 4 and one of version 3.
class ReverseEngineeringTest : public ::testing::Test {
 protected:
  static constexpr TVK_HANDLE kCustomersWindow = 0x101;
  static constexpr TVK_HANDLE kOrdersWindow = 0x102;
  static constexpr TVK_HANDLE kLegacyWindow = 0x103;

  void SetUp() override {
    ASSERT_TRUE(registry_.RegisterClient(&client_));
    client_.controls = {
        {5, {"Data", "dsCustomer", {{"RecordSource", std::string("CUSTOMER")}}, {}}},
        {10, {"CommandButton", "cmdSave", {{"Caption", std::string("Save")}}, {}}},
        {15, {"Frame", "fraAddress", {{"Caption", std::string("Address")}}, {16}}},
        {16, {"TextBox", "txtCity", {{"DataField", std::string("CITY")}}, {}}},
        {20,
         {"TextBox",
          "txtName",
          {{"Text", std::string("Smith")}, {"Left", 120}, {"DataField", std::string("NAME")}},
          {}}},
        {30, {"TextBox", "txtOrderNo", {{"Text", std::string("17")}}, {}}},
        {31, {"Data", "dsOrder", {}, {}}},
        {40, {"Label", "lblOld", {}, {}}},
    };
    AddForm(Manager(1), kCustomersWindow, {"Customers", {20, 10, 15, 5}}, 4);
    AddForm(Manager(2), kOrdersWindow, {"orders", {30, 31}}, 4);
    AddForm(Manager(3), kLegacyWindow, {"Legacy", {40}}, 3);
  }

  void AddForm(void* manager, TVK_HANDLE window, RunningForm form, std::uint16_t version) {
    client_.forms[manager] = std::move(form);
    ASSERT_TRUE(registry_.RegisterObj(manager, window, Registry::CurrentProcess(), version, 0));
  }

  CDataReader& Reader() { return *static_cast<CDataReader*>(client_.data_reader); }

  Registry registry_;
  RunningFormsClient client_;
  ScriptedFrontend frontend_;
};

TEST_F(ReverseEngineeringTest, ListsTheFormsOfTheVersionWithControlsPropertiesAndValues) {
  CReverseEngineeringDlg dialog(registry_, Manager(1), &frontend_);
  dialog.OnInitDialog();

  EXPECT_THAT(Names(dialog.Forms()), ElementsAre("Customers", "orders"));
  EXPECT_EQ(dialog.SelectedForm(), 0u);
  // The form's controls and data controls, sorted; a container's children are its own.
  EXPECT_THAT(Names(dialog.Controls()),
              ElementsAre("cmdSave", "dsCustomer", "fraAddress", "txtName"));
  EXPECT_EQ(dialog.SelectedControl(), 0u);
  EXPECT_THAT(Names(dialog.Properties()), ElementsAre("Caption"));
  EXPECT_EQ(dialog.Value(), "Save");

  auto controls = Names(dialog.Controls());
  dialog.OnControlSelected(IndexOf(controls, "txtName"));
  EXPECT_THAT(Names(dialog.Properties()), ElementsAre("DataField", "Left", "Text"));
  EXPECT_EQ(dialog.Value(), "NAME");
  dialog.OnPropertySelected(1);
  EXPECT_EQ(dialog.Value(), "120");
  EXPECT_THAT(dialog.DataFields(), IsEmpty());

  CCtrlDesc* frame = dialog.Controls()[IndexOf(controls, "fraAddress")].control;
  ASSERT_EQ(frame->GetGroupList().size(), 1u);
  EXPECT_EQ(frame->GetGroupList()[0].child->GetCtrlName(), "txtCity");
  EXPECT_EQ(frame->GetGroupList()[0].child->GetCtrlHandle(), 16u);
}

TEST_F(ReverseEngineeringTest, SelectingAFormAgainDoesNotReadItAgain) {
  CReverseEngineeringDlg dialog(registry_, Manager(1), &frontend_);
  dialog.OnInitDialog();
  dialog.OnFormSelected(1);
  EXPECT_THAT(Names(dialog.Controls()), ElementsAre("dsOrder", "txtOrderNo"));
  EXPECT_EQ(dialog.Value(), "");  // dsOrder has no properties
  dialog.OnFormSelected(0);
  dialog.OnFormSelected(1);
  EXPECT_EQ(client_.count_requests[Manager(1)], 1);
  EXPECT_EQ(client_.count_requests[Manager(2)], 1);
  EXPECT_THAT(frontend_.put_behind, ElementsAre(kOrdersWindow, kCustomersWindow, kOrdersWindow));
}

TEST_F(ReverseEngineeringTest, NoFormOfTheStartVersionLeavesEveryListEmpty) {
  ASSERT_TRUE(registry_.UnRegisterObj(Manager(3)));
  ASSERT_TRUE(registry_.RegisterObj(Manager(9), 0x109, Registry::CurrentProcess(), 3, 0));
  client_.forms[Manager(9)] = {"Unnamed", {}};
  client_.forms.erase(Manager(9));  // its name cannot be read

  CReverseEngineeringDlg dialog(registry_, Manager(9), &frontend_);
  dialog.OnInitDialog();
  EXPECT_THAT(dialog.Forms(), IsEmpty());
  EXPECT_THAT(dialog.Controls(), IsEmpty());
  EXPECT_THAT(dialog.Properties(), IsEmpty());
  EXPECT_THAT(dialog.DataFields(), IsEmpty());
  EXPECT_EQ(dialog.OnGenerate(), kOk);
  EXPECT_THAT(client_.calls, IsEmpty());

  // Smart RE over no form just closes.
  dialog.OnSmartRE();
  EXPECT_TRUE(dialog.IsClosed());
  EXPECT_EQ(dialog.EndValue(), 1u);
  EXPECT_FALSE(Reader().IsPending());
  EXPECT_THAT(client_.calls, IsEmpty());
}

TEST_F(ReverseEngineeringTest, SmartReMarksTheFormsAndAttachesSourcesOnTheNextOpening) {
  CReverseEngineeringDlg first(registry_, Manager(1), &frontend_);
  first.OnInitDialog();
  first.OnSmartRE();
  EXPECT_TRUE(first.IsClosed());
  EXPECT_EQ(first.EndValue(), 1u);
  EXPECT_THAT(client_.calls, ElementsAre("CollectDataSources"));
  EXPECT_TRUE(Reader().IsPending());
  EXPECT_EQ(Reader().GetFormCount(), 2);

  // Between the openings the client fills what it knows of Customers and leaves orders.
  TVK_DATADESC customers = FindDataDesc(client_.data_reader, "Customers");
  ASSERT_NE(customers, nullptr);
  ASSERT_NE(FindDataDesc(client_.data_reader, "orders"), nullptr);
  EXPECT_EQ(FindDataDesc(client_.data_reader, "Legacy"), nullptr);
  EXPECT_EQ(SetDataDescFormMgrObj(customers, Manager(1)), 1);
  TVK_DATASOURCE source = AddDataSource(customers, "dsCustomer");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(AddFieldName(source, "NAME", 0), 1);
  EXPECT_EQ(AddSourceTable(source, "CUSTOMER", 0), 1);
  EXPECT_EQ(AddFieldName(source, "CITY", 1), 1);
  EXPECT_EQ(AddSourceTable(source, "ADDRESS", 1), 1);
  EXPECT_EQ(AddFieldName(source, "NOTE", 2), 1);  // no table: not listed
  EXPECT_EQ(CompleteDataDesc(customers, 1), 1);

  CReverseEngineeringDlg second(registry_, Manager(1), &frontend_);
  second.OnInitDialog();
  EXPECT_FALSE(Reader().IsPending());
  EXPECT_EQ(FindDataDesc(client_.data_reader, "Customers"), nullptr);
  EXPECT_NE(FindDataDesc(client_.data_reader, "orders"), nullptr);  // still incomplete

  auto controls = Names(second.Controls());
  second.OnControlSelected(IndexOf(controls, "dsCustomer"));
  EXPECT_THAT(second.DataFields(), ElementsAre("CITY\tADDRESS", "NAME\tCUSTOMER"));
  second.OnControlSelected(IndexOf(controls, "txtName"));
  EXPECT_THAT(second.DataFields(), IsEmpty());

  // Reading the form again keeps what was attached.
  second.OnRefresh(registry_.FindForm(kOrdersWindow));
  second.OnFormSelected(0);
  second.OnControlSelected(IndexOf(Names(second.Controls()), "dsCustomer"));
  EXPECT_EQ(second.DataFields().size(), 2u);
}

TEST_F(ReverseEngineeringTest, GenerateBuildsTheSelectedFormThroughTheClient) {
  CReverseEngineeringDlg dialog(registry_, Manager(1), &frontend_);
  dialog.OnInitDialog();
  ASSERT_EQ(dialog.OnGenerate(), kOk);
  EXPECT_FALSE(dialog.IsClosed());
  // Controls by handle, each child in its container; data controls are not rebuilt.
  EXPECT_THAT(
      client_.calls,
      ElementsAre("CreateLiveForm", "CreateClientCtrl CommandButton in 0",
                  "SetClientCtrlProperty 1 Caption", "CreateClientCtrl Frame in 0",
                  "SetClientCtrlProperty 2 Caption", "CreateClientCtrl TextBox in 2",
                  "SetClientCtrlProperty 3 DataField", "CreateClientCtrl TextBox in 0",
                  "SetClientCtrlProperty 4 Text", "SetClientCtrlProperty 4 Left",
                  "SetClientCtrlProperty 4 DataField", "LoadLiveFormCode", "FinishLiveForm 901"));

  // Generating again builds the same form once more.
  auto first_calls = client_.calls;
  client_.calls.clear();
  client_.next_live_handle = 0;
  ASSERT_EQ(dialog.OnGenerate(), kOk);
  EXPECT_EQ(client_.calls, first_calls);
}

TEST_F(ReverseEngineeringTest, ReadingControlsSaysWhyItCannot) {
  CFormDesc orphan;
  ASSERT_EQ(orphan.Init(0x200, nullptr, nullptr, &client_, 4), kOk);
  EXPECT_EQ(orphan.ReadFormCtrls(), kNullArgument);
  EXPECT_EQ(orphan.ReadFormName(), nullptr);

  client_.forms[Manager(7)] = {"Empty", {}};
  CFormDesc empty;
  ASSERT_EQ(empty.Init(0x201, Manager(7), nullptr, &client_, 4), kOk);
  EXPECT_EQ(empty.ReadFormCtrls(), CFormDesc::kNoCtrls);

  CFormDesc without_client;
  ASSERT_EQ(without_client.Init(0x202, Manager(1), nullptr, nullptr, 4), kOk);
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

  EXPECT_EQ(DoReverseEngineering(registry_, kOrdersWindow), 0u);  // cancelled
  EXPECT_THAT(frontend_.owners, ElementsAre(0xE0u));

  frontend_.script = [](CReverseEngineeringDlg& dialog) { dialog.OnOK(); };
  EXPECT_EQ(DoReverseEngineering(registry_, kOrdersWindow), 1u);

  frontend_.environment_window = 0;
  EXPECT_EQ(DoReverseEngineering(registry_, kOrdersWindow), 0u);
  EXPECT_EQ(frontend_.owners.size(), 2u);

  platform_.reverse_engineering_frontend = nullptr;
  ScopedPlatform without_frontend(platform_);
  EXPECT_EQ(DoReverseEngineering(registry_, kOrdersWindow), 0u);
  EXPECT_EQ(frontend_.owners.size(), 2u);
}

TEST_F(ReverseEngineeringEntryTest, ASecondRequestRefreshesTheOpenDialog) {
  ScopedPlatform scope(platform_);
  std::uint32_t nested = 99;
  std::vector<std::string> chosen;
  frontend_.script = [&](CReverseEngineeringDlg& dialog) {
    chosen.push_back(dialog.Forms()[*dialog.SelectedForm()].name);
    nested = DoReverseEngineering(registry_, kOrdersWindow);
    chosen.push_back(dialog.Forms()[*dialog.SelectedForm()].name);
    dialog.OnOK();
  };
  EXPECT_EQ(DoReverseEngineering(registry_, kCustomersWindow), 1u);
  EXPECT_EQ(nested, 1u);
  EXPECT_THAT(chosen, ElementsAre("Customers", "orders"));
  EXPECT_EQ(frontend_.owners.size(), 1u);
  EXPECT_EQ(frontend_.lists_changed, 1);
}

TEST_F(ReverseEngineeringEntryTest, AFormThatGoesWhileTheDialogIsOpenLeavesIt) {
  ScopedPlatform scope(platform_);
  std::vector<std::string> after;
  frontend_.script = [&](CReverseEngineeringDlg& dialog) {
    ASSERT_TRUE(registry_.UnRegisterObj(Manager(1)));  // the selected form
    after = Names(dialog.Forms());
    EXPECT_EQ(dialog.SelectedForm(), std::nullopt);
    EXPECT_THAT(dialog.Controls(), IsEmpty());
    EXPECT_EQ(dialog.OnGenerate(), kOk);
    dialog.OnOK();
  };
  EXPECT_EQ(DoReverseEngineering(registry_, kCustomersWindow), 1u);
  EXPECT_THAT(after, ElementsAre("orders"));
  EXPECT_THAT(client_.calls, IsEmpty());
}

}  // namespace
}  // namespace tavik
