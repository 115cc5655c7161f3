// Tests of the registry: clients, form-manager objects sharing form descriptions, and the
// control descriptors a client builds through the C interface.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ctrl_desc.h"
#include "controls/data_source.h"
#include "form/form_desc.h"
#include "host/client_base.h"
#include "host/data_reader.h"
#include "host/registry.h"
#include "model/nx_property.h"
#include "tavikfw/tavikfw.h"
#include "visualizers/visualizer_allocators.h"

namespace tavik {
namespace {

using ::testing::ElementsAre;

void* Manager(std::uintptr_t id) {
  return reinterpret_cast<void*>(id);
}

class Client : public ClientBase {
 public:
  explicit Client(std::uint16_t client_version) : ClientBase(client_version, true, true, false) {}
};

TEST(RegistryClients, OneClientPerProcessWithItsAllocatorAndDataReader) {
  Registry registry;
  Client first(4);
  Client second(4);
  Client unknown_version(5);
  EXPECT_FALSE(registry.RegisterClient(nullptr));
  EXPECT_FALSE(registry.RegisterClient(&unknown_version));
  EXPECT_EQ(unknown_version.data_reader, nullptr);

  ASSERT_TRUE(registry.RegisterClient(&first));
  EXPECT_EQ(first.allocator, &AllocateVB4Visualizer);
  auto* reader = static_cast<CDataReader*>(first.data_reader);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader, registry.FindDataReader(Registry::CurrentProcess()));
  EXPECT_EQ(reader->GetClient(), &first);

  // A second client of the process is accepted and ignored.
  EXPECT_TRUE(registry.RegisterClient(&second));
  EXPECT_EQ(registry.FindClient(Registry::CurrentProcess()), &first);
  EXPECT_EQ(second.data_reader, nullptr);

  EXPECT_TRUE(registry.UnRegisterClient(Registry::CurrentProcess()));
  EXPECT_EQ(first.data_reader, nullptr);
  EXPECT_EQ(registry.FindClient(Registry::CurrentProcess()), nullptr);
  EXPECT_EQ(registry.FindDataReader(Registry::CurrentProcess()), nullptr);
  EXPECT_FALSE(registry.UnRegisterClient(Registry::CurrentProcess()));
}

TEST(RegistryClients, VersionThreeClientsRegisterAndForeignProcessesDoNot) {
  Registry registry;
  Client version3(3);
  ASSERT_TRUE(registry.RegisterClient(&version3));
  EXPECT_EQ(version3.allocator, &AllocateVB3Visualizer);

  // The data reader works for the client of the current process only.
  Registry other;
  Client foreign(4);
  foreign.process = Registry::CurrentProcess() + 1;
  EXPECT_FALSE(other.RegisterClient(&foreign));
  EXPECT_EQ(other.FindClient(foreign.process), nullptr);
  EXPECT_EQ(foreign.data_reader, nullptr);
}

class RegistryObjects : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(registry_.RegisterClient(&client_)); }

  Registry registry_;
  Client client_{4};
  const std::uintptr_t process_ = Registry::CurrentProcess();
};

TEST_F(RegistryObjects, ObjectsOfOneWindowShareItsFormDescription) {
  std::vector<CFormDesc*> removed;
  registry_.SetFormRemovalListener([&](CFormDesc* form) { removed.push_back(form); });

  ASSERT_TRUE(registry_.RegisterObj(Manager(1), 0x501, process_, 4, 77));
  CFormDesc* form = registry_.FindForm(0x501);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->GetClntDesc(), &client_);
  EXPECT_EQ(form->GetVersion(), 4);
  EXPECT_EQ(form->GetFormMgrObj(), Manager(1));
  EXPECT_EQ(registry_.FindObjDesc(Manager(1))->extra_value, 77);

  // Registering the same object again changes nothing.
  EXPECT_FALSE(registry_.RegisterObj(Manager(1), 0x501, process_, 4, 0));
  EXPECT_EQ(registry_.GetFormRefCount(0x501), 1);

  ASSERT_TRUE(registry_.RegisterObj(Manager(2), 0x501, process_, 4, 0));
  EXPECT_EQ(registry_.FindForm(0x501), form);
  EXPECT_EQ(registry_.FindFormOfObj(Manager(2)), form);
  EXPECT_EQ(registry_.GetFormRefCount(0x501), 2);

  EXPECT_TRUE(registry_.UnRegisterObj(Manager(1)));
  EXPECT_EQ(registry_.GetFormRefCount(0x501), 1);
  EXPECT_EQ(registry_.FindForm(0x501), form);
  EXPECT_EQ(form->GetFormMgrObj(), Manager(2));
  EXPECT_TRUE(removed.empty());

  EXPECT_TRUE(registry_.UnRegisterObj(Manager(2)));
  EXPECT_EQ(registry_.GetFormRefCount(0x501), 0);
  EXPECT_EQ(registry_.FindForm(0x501), nullptr);
  EXPECT_THAT(removed, ElementsAre(form));
  EXPECT_FALSE(registry_.UnRegisterObj(Manager(2)));
}

// Unknown objects and handles through the C interface are the robustness table's.
TEST_F(RegistryObjects, UnknownObjectsAndHandlesAndRefusedRegistrations) {
  EXPECT_EQ(registry_.FindForm(0x999), nullptr);
  EXPECT_EQ(registry_.FindFormOfObj(Manager(9)), nullptr);

  EXPECT_FALSE(registry_.RegisterObj(nullptr, 0x501, process_, 4, 0));
  EXPECT_FALSE(registry_.RegisterObj(Manager(1), 0, process_, 4, 0));
  EXPECT_FALSE(registry_.IsObjRegistered(Manager(1)));
  EXPECT_TRUE(registry_.GetFormMap().empty());

  // An unknown version fails the call but the object stays registered.
  EXPECT_FALSE(registry_.RegisterObj(Manager(3), 0x503, process_, 5, 0));
  EXPECT_TRUE(registry_.IsObjRegistered(Manager(3)));
  EXPECT_EQ(registry_.GetFormRefCount(0x503), 1);
}

TEST_F(RegistryObjects, FormsAreKeyedByTheLowWordOfTheirHandle) {
  ASSERT_TRUE(registry_.RegisterObj(Manager(1), 0x10042, process_, 4, 0));
  EXPECT_EQ(registry_.FindForm(0x20042), registry_.FindForm(0x10042));
  EXPECT_EQ(registry_.GetFormRefCount(0x42), 1);
}

TEST_F(RegistryObjects, FormsOfAProcessWithoutClientOrAfterItLeftHaveNone) {
  ASSERT_TRUE(registry_.RegisterObj(Manager(1), 0x501, process_, 4, 0));
  ASSERT_TRUE(registry_.RegisterObj(Manager(2), 0x502, process_ + 1, 4, 0));
  EXPECT_EQ(registry_.FindForm(0x502)->GetClntDesc(), nullptr);

  ASSERT_TRUE(registry_.UnRegisterClient(process_));
  EXPECT_EQ(registry_.FindForm(0x501)->GetClntDesc(), nullptr);
}

// Control descriptors as a client builds them while describing a running form.
class RegistryControls : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(form_.Init(0x501, Manager(1), nullptr, nullptr, 4), kOk); }

  TVK_CTRLDESC OnForm(const char* class_name, TVK_HANDLE handle, const char* name) {
    TVK_CTRLDESC made = nullptr;
    EXPECT_EQ(AddControl(&form_, 1, class_name, 4, handle, &made), 0u);
    EXPECT_EQ(SetControlName(made, name), 0u);
    return made;
  }
  static CCtrlDesc& Ctrl(TVK_CTRLDESC descriptor) {
    return *reinterpret_cast<CCtrlDesc*>(descriptor);
  }
  std::vector<std::string> FormCtrlNames() {
    std::vector<std::string> names;
    for (auto& [handle, control] : form_.GetCtrlMap()) names.push_back(control->GetCtrlName());
    return names;
  }

  CFormDesc form_;
};

TEST_F(RegistryControls, FormControlsAreOrderedByHandleAlsoAfterAHandleChanges) {
  OnForm("TextBox", 5, "five");
  OnForm("Label", 2, "two");
  TVK_CTRLDESC nine = OnForm("TextBox", 9, "nine");
  EXPECT_THAT(FormCtrlNames(), ElementsAre("two", "five", "nine"));
  EXPECT_EQ(Ctrl(nine).GetClassName(), "TextBox");
  EXPECT_EQ(Ctrl(nine).GetFormDesc(), &form_);

  // A client may add with a provisional handle and give the real one afterwards.
  EXPECT_EQ(SetControlHandle(nine, 1), 0u);
  EXPECT_THAT(FormCtrlNames(), ElementsAre("nine", "two", "five"));
  EXPECT_EQ(form_.GetCtrl(1), &Ctrl(nine));
  EXPECT_EQ(form_.GetCtrl(9), nullptr);

  // Only adding replaces: a handle moved onto one in use leaves both controls on the form.
  TVK_CTRLDESC label = OnForm("Label", 20, "label");
  EXPECT_EQ(SetControlHandle(label, 5), 0u);
  EXPECT_THAT(FormCtrlNames(), ElementsAre("nine", "two", "five", "label"));
  auto* form = reinterpret_cast<TVK_FORMDESC>(&form_);
  TVK_CTRLDESC first = nullptr;
  TVK_CTRLDESC second = nullptr;
  ASSERT_EQ(AddDataControl(form, "Data", 4, 10, &first), 0u);
  ASSERT_EQ(AddDataControl(form, "Data", 4, 20, &second), 0u);
  EXPECT_EQ(SetControlHandle(second, 10), 0u);
  EXPECT_EQ(SetControlName(first, "dsFirst"), 0u);
  EXPECT_EQ(form_.GetDataCtrlMap().size(), 2u);
  EXPECT_EQ(form_.GetDataCtrl(10), &Ctrl(first));
}

TEST_F(RegistryControls, ChildrenGoToTheParentsListInOrder) {
  TVK_CTRLDESC frame = OnForm("Frame", 3, "fraAddress");
  EXPECT_FALSE(Ctrl(frame).HasChildren());
  TVK_CTRLDESC street = nullptr;
  TVK_CTRLDESC city = nullptr;
  ASSERT_EQ(AddControl(frame, 0, "TextBox", 4, 40, &street), 0u);
  ASSERT_EQ(AddControl(frame, 0, "TextBox", 4, 30, &city), 0u);

  auto& children = Ctrl(frame).GetGroupList();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_EQ(children[0].child.get(), &Ctrl(street));
  EXPECT_EQ(children[1].child.get(), &Ctrl(city));
  EXPECT_EQ(Ctrl(city).GetFormDesc(), &form_);
  EXPECT_EQ(Ctrl(city).GetCtrlHandle(), 30u);
  // Children stay off the form's own list.
  EXPECT_THAT(FormCtrlNames(), ElementsAre("fraAddress"));
}

TEST_F(RegistryControls, PropertiesKeepTheTypeTheyArriveWith) {
  TVK_CTRLDESC text = OnForm("TextBox", 1, "txtName");
  TVK_VARIANT value{};
  value.vt = TVK_VT_BSTR;
  std::string smith = "Smith";
  value.u.bstrVal = smith.data();
  EXPECT_EQ(AddProperty(text, value, "Text"), 0u);
  value.vt = TVK_VT_I4;
  value.u.lVal = 1440;
  EXPECT_EQ(AddProperty(text, value, "Left"), 0u);
  EXPECT_EQ(Ctrl(text).GetProperty("Text"), Value::String("Smith"));
  EXPECT_EQ(Ctrl(text).GetProperty("Left"), Value::Long(1440));
  EXPECT_EQ(Ctrl(text).GetCtrlName(), "txtName");

  // A byte block arrives as its length and bytes, and goes back out the same way.
  const char block[] = {3, 0, 0, 0, 'a', '\0', 'b'};
  value.vt = TVK_VT_BLOB;
  value.u.byref = const_cast<char*>(block);
  EXPECT_EQ(AddProperty(text, value, "Picture"), 0u);
  const PropertyInfo info = Ctrl(text).GetPropertySection().GetProperty("Picture")->GetInfo();
  ASSERT_TRUE(info.known && info.type_code == TVK_VT_BLOB && info.type_name == "BLOB");
  const std::optional<Value> kept = Ctrl(text).GetProperty("Picture");
  EXPECT_EQ(std::string_view(static_cast<const char*>(kept->ToVariant().u.byref), sizeof block),
            std::string_view(block, sizeof block));
}

TEST_F(RegistryControls, DataControlsKeepTheirDataSourceWhenDescribedAgain) {
  auto* form = reinterpret_cast<TVK_FORMDESC>(&form_);
  TVK_CTRLDESC data = nullptr;
  ASSERT_EQ(AddDataControl(form, "Data", 4, 7, &data), 0u);
  EXPECT_EQ(form_.GetDataCtrl(7), &Ctrl(data));
  EXPECT_TRUE(form_.GetCtrlMap().empty());

  auto source = std::make_unique<CDataSource>();
  ASSERT_EQ(source->Init("dsCustomer"), 1);
  CDataSource* attached = source.get();
  Ctrl(data).SetDataSource(std::move(source));

  TVK_CTRLDESC again = nullptr;
  ASSERT_EQ(AddDataControl(form, "Data", 4, 7, &again), 0u);
  EXPECT_EQ(form_.GetDataCtrl(7), &Ctrl(again));
  EXPECT_EQ(Ctrl(again).GetDataSource(), attached);
  EXPECT_EQ(form_.GetDataCtrlMap().size(), 1u);
}

}  // namespace
}  // namespace tavik
