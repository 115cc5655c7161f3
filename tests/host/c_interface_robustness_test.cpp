// Every exported C function given null pointers and handles nobody handed out: it returns
// its failure value and neither crashes nor lets an exception escape.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "form/form_desc.h"
#include "host/client_base.h"
#include "host/data_reader.h"
#include "tavikfw/brenlo.h"
#include "tavikfw/tavikfw.h"

namespace tavik {
namespace {

// One call of the table and the result it must give.
struct Case {
  std::string call;
  std::function<std::int64_t()> run;
  std::int64_t expected;
};

void ExpectResults(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(c.run(), c.expected) << c.call;
}

std::int64_t IsNull(const void* pointer) {
  return pointer == nullptr ? 1 : 0;
}

constexpr std::uint32_t kNoSuchValue = 0xFFFFFFFFu;
constexpr TVK_HANDLE kNoSuchHandle = ~TVK_HANDLE{0};
// The kind bits of a property list with an index far beyond any model's lists.
constexpr std::uint32_t kPropertyListOutOfRange = (2u << 30) | 0x3FFFFFFFu;

constexpr std::string_view kModel = R"({"tavik_model": 1, "entities": [
  {"properties": {"ID": 1, "PHYSICAL_NAME": "T"},
   "attributes": [{"ATTRIB_INFO": {"ID": 1, "PHYSICAL_NAME": "C"}}]}],
 "relationships": [{"properties": {"RELATION_ID": 1}, "attributes": [1]}]})";

TEST(CInterfaceRobustness, ModelLoadingRefusesNullArguments) {
  const std::string file = std::string(TAVIK_SOURCE_DIR) + "/examples/order_entry.json";
  std::uint32_t host_value = 0;
  ExpectResults({
      {"LoadModelFile(null path)", [&] { return BR_LoadModelFile(nullptr, &host_value); },
       BR_LOAD_UNREADABLE},
      {"LoadModelFile(null out)", [&] { return BR_LoadModelFile(file.c_str(), nullptr); },
       BR_LOAD_REFUSED},
      {"LoadModelText(null text)", [&] { return BR_LoadModelText(nullptr, 40, &host_value); },
       BR_LOAD_REFUSED},
      {"LoadModelText(null out)",
       [&] { return BR_LoadModelText(kModel.data(), kModel.size(), nullptr); }, BR_LOAD_REFUSED},
      {"LastLoadError says why", [] { return std::string_view(BR_LastLoadError()).empty(); }, 0},
      {"Start(unknown model)", [] { return BR_Start(kNoSuchValue, 1); }, 0},
      {"Done", [] { return BR_Done(); }, 0},
  });
  BR_UnloadModel(0);
  BR_UnloadModel(kNoSuchValue);
}

// A started model, served to callers that pass null outputs and unknown lists.
class CInterfaceServing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(BR_LoadModelText(kModel.data(), kModel.size(), &host_value_), BR_LOAD_OK);
    ASSERT_EQ(BR_Start(host_value_, 1), 1);
    ASSERT_EQ(BR_GetFirstEntity(&attributes_, &properties_), 0);
    ASSERT_EQ(BR_GetFirstLink(&link_attributes_, &ignored_), 0);
  }
  void TearDown() override {
    BR_Done();
    BR_UnloadModel(host_value_);
  }

  std::uint32_t host_value_ = 0;
  std::uint32_t attributes_ = 0;
  std::uint32_t properties_ = 0;
  std::uint32_t link_attributes_ = 0;
  std::uint32_t ignored_ = 0;
};

TEST_F(CInterfaceServing, IteratorsTakeNullOutputsAndRefuseUnknownLists) {
  constexpr std::int64_t kDelivered = 0;
  constexpr std::int64_t kNothing = 1;
  std::uint32_t out = 0;
  const char* text = nullptr;
  std::int32_t number = 0;
  ExpectResults({
      {"Start(bad version flag)", [&] { return BR_Start(host_value_, kNoSuchValue); }, 0},
      {"Start again", [&] { return BR_Start(host_value_, 1); }, 1},
      {"FirstEntity(null, null)", [] { return BR_GetFirstEntity(nullptr, nullptr); }, kDelivered},
      {"NextEntity past the end", [] { return BR_GetNextEntity(nullptr, nullptr); }, kNothing},
      {"FirstLink(null, null)", [] { return BR_GetFirstLink(nullptr, nullptr); }, kDelivered},
      {"FirstAttribute(null outs)",
       [&] { return BR_GetFirstAttribute(attributes_, nullptr, nullptr); }, kDelivered},
      {"FirstLinkAttrib(null outs)",
       [&] { return BR_GetFirstLinkAttrib(link_attributes_, nullptr, nullptr); }, kDelivered},
      {"FirstProperty(null outs)",
       [&] {
         return BR_GetFirstProperty(properties_, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr);
       },
       kDelivered},
      {"NextProperty(null outs)",
       [&] {
         return BR_GetNextProperty(properties_, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr);
       },
       kDelivered},
      {"FirstAttribute(0)", [&] { return BR_GetFirstAttribute(0, &out, &out); }, kNothing},
      {"FirstAttribute(all ones)", [&] { return BR_GetFirstAttribute(kNoSuchValue, &out, &out); },
       kNothing},
      {"NextLinkAttrib(all ones)", [&] { return BR_GetNextLinkAttrib(kNoSuchValue, &out, &out); },
       kNothing},
      {"FirstProperty(index out of range)",
       [&] {
         return BR_GetFirstProperty(kPropertyListOutOfRange, &out, &text, &text, &text, &number,
                                    &text);
       },
       kNothing},
      {"NextProperty(all ones)",
       [&] { return BR_GetNextProperty(kNoSuchValue, &out, &text, &text, &text, &number, &text); },
       kNothing},
      {"PropertyList(null outs)", [&] { return BR_GetPropertyList(properties_, nullptr, nullptr); },
       kDelivered},
      {"PropertyList(all ones)", [&] { return BR_GetPropertyList(kNoSuchValue, nullptr, &out); },
       kNothing},
  });
}

class CInterfaceClient : public ClientBase {
 public:
  CInterfaceClient() : ClientBase(4, false, true, false) {}
};

TEST(CInterfaceRobustness, RegistryRefusesUnknownProcessesObjectsAndHandles) {
  CClntDesc unknown_version{};
  unknown_version.version = 0xFFFF;
  unknown_version.process = TvkCurrentProcess();
  ExpectResults({
      {"RegisterClient(unknown version)", [&] { return RegisterClient(&unknown_version); }, 0},
      {"UnRegisterClient(0)", [] { return UnRegisterClient(0); }, 0},
      {"UnRegisterClient(unknown)", [] { return UnRegisterClient(kNoSuchHandle); }, 0},
      {"RegisterObj(null manager)",
       [] { return RegisterObj(nullptr, 0x501, TvkCurrentProcess(), 4, 0); }, 0},
      {"UnRegisterObj(null)", [] { return UnRegisterObj(nullptr); }, 0},
      {"IsObjRegistered(null)", [] { return IsObjRegistered(nullptr); }, 0},
      {"GetFormRefCount(0)", [] { return GetFormRefCount(0); }, 0},
      {"GetFormRefCount(unknown)", [] { return GetFormRefCount(kNoSuchHandle); }, 0},
      {"DoReverseEngineering(0)", [] { return DoReverseEngineering(0); }, 0},
      {"DoReverseEngineering(unknown)", [] { return DoReverseEngineering(kNoSuchHandle); }, 0},
      {"RegisterClient(null)", [] { return RegisterClient(nullptr); }, 0},
  });
  EXPECT_EQ(unknown_version.data_reader, nullptr);
  EXPECT_EQ(unknown_version.allocator, nullptr);
}

// The control descriptor calls over a form description, with null and odd arguments.
TEST(CInterfaceRobustness, DescriptorCallsRefuseNullsAndTakeOddValues) {
  CFormDesc form;
  ASSERT_EQ(form.Init(0x501, nullptr, nullptr, nullptr, 4), kOk);
  auto* form_handle = reinterpret_cast<TVK_FORMDESC>(&form);
  TVK_CTRLDESC text = nullptr;
  ASSERT_EQ(AddControl(&form, 1, "TextBox", 4, 1, &text), 0u);
  TVK_VARIANT null_string{};
  null_string.vt = TVK_VT_BSTR;
  TVK_VARIANT unknown_type{};
  unknown_type.vt = 0xFFFF;
  TVK_CTRLDESC made = nullptr;
  TVK_CTRLDESC unmade = nullptr;
  ExpectResults({
      {"AddDataControl(null out)",
       [&] { return AddDataControl(form_handle, "Data", 4, 2, nullptr); }, kNullArgument},
      {"AddControl(null class)", [&] { return AddControl(&form, 1, nullptr, 4, 3, &made); }, 0},
      {"AddDataControl(null class)",
       [&] { return AddDataControl(form_handle, nullptr, 4, 4, &made); }, 0},
      {"AddProperty(null string)", [&] { return AddProperty(text, null_string, "Text"); }, 0},
      {"AddProperty(unknown type)", [&] { return AddProperty(text, unknown_type, "Tag"); }, 0},
      {"SetControlName(null name)", [&] { return SetControlName(text, nullptr); }, kNullArgument},
      {"SetControlHandle(unknown)", [&] { return SetControlHandle(text, kNoSuchHandle); }, 0},
      {"AddControl(null owner)", [&] { return AddControl(nullptr, 1, "TextBox", 4, 2, &unmade); },
       kNullArgument},
      {"AddControl(null out)", [&] { return AddControl(&form, 1, "TextBox", 4, 2, nullptr); },
       kNullArgument},
      {"AddDataControl(null form)", [&] { return AddDataControl(nullptr, "Data", 4, 2, &unmade); },
       kNullArgument},
      {"nothing was made", [&] { return IsNull(unmade); }, 1},
      {"AddProperty(null control)", [&] { return AddProperty(nullptr, null_string, "Left"); },
       kNullArgument},
      {"AddProperty(null name)", [&] { return AddProperty(text, null_string, nullptr); },
       kNullArgument},
      {"SetControlName(null control)", [] { return SetControlName(nullptr, "x"); }, kNullArgument},
      {"SetControlHandle(null control)", [] { return SetControlHandle(nullptr, 3); }, 0},
  });
}

TEST(CInterfaceRobustness, SmartReCallsRefuseNulls) {
  CInterfaceClient client;
  ASSERT_EQ(RegisterClient(&client), 1);
  auto* reader = static_cast<CDataReader*>(client.data_reader);
  auto* description = reinterpret_cast<TVK_DATADESC>(&reader->MakeDataDesc("Customers", 4));
  TVK_DATASOURCE source = AddDataSource(description, "dsCustomer");
  ASSERT_NE(source, nullptr);
  ExpectResults({
      {"FindDataDesc(null reader)", [] { return IsNull(FindDataDesc(nullptr, "Customers")); }, 1},
      {"FindDataDesc(null name)", [&] { return IsNull(FindDataDesc(reader, nullptr)); }, 1},
      {"SetDataDescFormMgrObj(null)", [] { return SetDataDescFormMgrObj(nullptr, nullptr); }, 0},
      {"AddDataSource(null description)", [] { return IsNull(AddDataSource(nullptr, "ds")); }, 1},
      {"AddDataSource(null name)", [&] { return IsNull(AddDataSource(description, nullptr)); }, 1},
      {"AddFieldName(null source)", [] { return AddFieldName(nullptr, "NAME", 0); }, 0},
      {"AddFieldName(null name)", [&] { return AddFieldName(source, nullptr, 0); }, 0},
      {"AddFieldName(highest index)", [&] { return AddFieldName(source, "NAME", 0xFFFF); }, 1},
      {"AddSourceTable(null source)", [] { return AddSourceTable(nullptr, "T", 0); }, 0},
      {"AddSourceTable(null name)", [&] { return AddSourceTable(source, nullptr, 0); }, 0},
      {"CompleteDataDesc(null)", [] { return CompleteDataDesc(nullptr, 1); }, 0},
  });
  EXPECT_EQ(UnRegisterClient(client.process), 1);
}

TEST(CInterfaceRobustness, VisualizerAllocatorsRefuseANullObject) {
  for (auto allocate : {&AllocateVB3Visualizer, &AllocateVB4Visualizer}) {
    for (std::int32_t edit_style : {0, 3, 4, 10, 11}) {
      EXPECT_EQ(allocate(edit_style, nullptr), kNullArgument) << edit_style;
    }
    // Styles without a visualizer attach nothing, so there is nothing to refuse.
    for (std::int32_t edit_style : {-1, 12, INT32_MIN, INT32_MAX}) {
      EXPECT_EQ(allocate(edit_style, nullptr), kOk) << edit_style;
    }
  }
}

}  // namespace
}  // namespace tavik
