// Tests of the form description: controls by handle, procedures, global strings, names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/ctrl_desc.h"
#include "form/form_desc.h"
#include "formfile/block_printer.h"

namespace tavik {
namespace {

using ::testing::ElementsAre;

// A control that counts its destruction.
class CountedCtrl : public CCtrlDesc {
 public:
  explicit CountedCtrl(int* destroyed) : destroyed_(destroyed) {}
  ~CountedCtrl() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

class FormDescTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(form_.Init(0, nullptr, nullptr, nullptr, 4), kOk); }

  std::unique_ptr<CCtrlDesc> Control(CtrlHandle handle, const char* name) {
    auto control = std::make_unique<CountedCtrl>(&destroyed_);
    EXPECT_EQ(control->Init("TextBox", 4, &form_, nullptr), kOk);
    control->SetCtrlName(name);
    control->SetCtrlHandle(handle);
    return control;
  }

  int destroyed_ = 0;
  CFormDesc form_;
};

TEST_F(FormDescTest, ControlsAreWalkedByHandleAndAnEqualHandleReplaces) {
  for (auto [handle, name] : std::vector<std::pair<CtrlHandle, const char*>>{
           {5, "five"}, {2, "two"}, {9, "nine"}, {2, "second_two"}}) {
    EXPECT_EQ(form_.SetCtrl(Control(handle, name)), kOk);
  }
  std::vector<std::string> names;
  for (auto& [handle, control] : form_.GetCtrlMap()) names.push_back(control->GetCtrlName());
  EXPECT_THAT(names, ElementsAre("second_two", "five", "nine"));
  EXPECT_EQ(destroyed_, 1);

  CCtrlDesc* five = form_.GetCtrl(5);
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(form_.GetCtrl(3), nullptr);
  auto stranger = Control(5, "stranger");
  form_.RemoveCtrl(stranger.get());  // same handle, not in the list
  EXPECT_EQ(form_.GetCtrl(5), five);
  form_.RemoveCtrl(five);
  EXPECT_EQ(destroyed_, 2);

  form_.ClearFormCtrls();
  EXPECT_TRUE(form_.GetCtrlMap().empty());
  EXPECT_EQ(destroyed_, 4);
}

// A misspelt name finds nothing and makes nothing.
TEST_F(FormDescTest, FindingAProcedureMakesNone) {
  EXPECT_EQ(form_.FindProcedure("ORDERS_Reset"), nullptr);
  CEventDesc* made = form_.ResetProcedure("ORDERS");
  EXPECT_EQ(form_.FindProcedure("ORDERS_Reset"), made);
}

std::unique_ptr<CNxPropertySet> ValueList(std::vector<std::pair<const char*, Value>> entries) {
  auto set = std::make_unique<CNxPropertySet>();
  CNxPropertySection& section = set->AddSection(TavikFormatId(0x90));
  std::int32_t id = 3;
  for (auto& [name, value] : entries) {
    section.AddProperty(CNxProperty(id++, value, name), CNxPropertySection::Position::kEnd);
  }
  return set;
}

TEST_F(FormDescTest, ValidValueListsBecomeArraysFilledInLoad) {
  ASSERT_EQ(form_.AddValidValueList(
                "Status Code", ValueList({{"Open", Value::String("O")}, {"", Value::String("C")}})),
            kOk);
  ASSERT_EQ(form_.AddValidValueList(
                "Cities", ValueList({{"Three", Value::Long(3)}, {"", Value::String("Rome")}})),
            kOk);
  ASSERT_EQ(form_.AddValidValueList("Colors", ValueList({})), kOk);
  // A second list under a name already present changes nothing.
  ASSERT_EQ(form_.AddValidValueList("Cities", ValueList({})), kOk);
  ASSERT_EQ(form_.ProcessGlobalStrings(), kOk);

  std::string declarations;
  formfile::BlockPrinter printer(declarations);
  form_.WriteGlobalDeclarations(printer);
  EXPECT_EQ(declarations,
            "' Tavik-Generated Global Declarations\r\n"
            "Dim Status_Code_List(2) As ListItem\r\n"
            "Dim Cities_List(2) As ListItem\r\n"
            "\r\n");
  CEventDesc* load = form_.GetEvent("Load");
  load->PrepareEventCode();
  // Every list adds to the same sub-event, in the walking order of the lists; an entry
  // without a string value is skipped but keeps its index.
  EXPECT_EQ(load->GetEventCode(),
            "\tStatus_Code_List(0).DisplayVal = \"Open\"\r\n"
            "\tStatus_Code_List(0).DataVal = \"O\"\r\n"
            "\tStatus_Code_List(1).DisplayVal = \"C\"\r\n"
            "\tStatus_Code_List(1).DataVal = \"C\"\r\n"
            "\tCities_List(1).DisplayVal = \"Rome\"\r\n"
            "\tCities_List(1).DataVal = \"Rome\"\r\n"
            "\r\n");
}

// The form's name and caption properties and the file name cut to eight characters are the
// goldens' and the generate command's.
TEST_F(FormDescTest, EveryCharacterOtherThanLettersDigitsAndUnderscoreBecomesAnUnderscore) {
  std::string name = "a b/c-d+e=f(g)h*i&j^k%l$m#n@o!p~q`r{s}t[u]v:w;x\"y'z|0\\1<2,3>4.5?6_7";
  CFormDesc::ValidateString(name);
  EXPECT_EQ(name, "a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s_t_u_v_w_x_y_z_0_1_2_3_4_5_6_7");
}

}  // namespace
}  // namespace tavik
