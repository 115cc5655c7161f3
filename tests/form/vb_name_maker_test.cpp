// Visual Basic names made from model names, SQL names, and the form's names of lists.
#include "form/vb_name_maker.h"

#include <gtest/gtest.h>

#include "form/form_desc.h"
#include "model/sql_name.h"

namespace tavik {
namespace {

TEST(VbNameMakerTest, CleansToValidNames) {
  EXPECT_EQ(VbNameMaker::Clean("Order Details"), "Order_Details");
  EXPECT_EQ(VbNameMaker::Clean("2nd\ttry"), "n2nd_try");
  EXPECT_EQ(VbNameMaker::Clean("_x"), "n_x");
  EXPECT_EQ(VbNameMaker::Clean("caf\xE9\xA0"), "cafe_");
  EXPECT_EQ(VbNameMaker::Clean("\xDC"
                               "bersicht \xC6\xFF"),
            "Ubersicht__y");
  EXPECT_EQ(VbNameMaker::Clean("ORDERS"), "ORDERS");
  EXPECT_TRUE(VbNameMaker::IsValid(std::string(40, 'a')));
  EXPECT_FALSE(VbNameMaker::IsValid(std::string(41, 'a')));
  EXPECT_FALSE(VbNameMaker::IsValid("9a"));
}

TEST(VbNameMakerTest, NamesAlikeAfterCuttingOrCaseGetNumbers) {
  VbNameMaker names;
  EXPECT_EQ(names.Unique("E1CUSTOMER_ADDRESS_LINE2", 17), "E1CUSTOMER_ADDRES");
  EXPECT_EQ(names.Unique("E1CUSTOMER_ADDRESS_LINE3", 17), "E1CUSTOMER_ADDRE2");
  EXPECT_EQ(names.Unique("e1customer_addres", 17), "e1customer_addre3");
  EXPECT_EQ(names.Unique("E1CUSTOMER_ADDRE2", 17), "E1CUSTOMER_ADDRE4");
  EXPECT_EQ(names.Unique("ORDERS"), "ORDERS");
}

TEST(VbNameMakerTest, ListsOfOneCleanNameAreKeptApart) {
  CFormDesc form;
  EXPECT_EQ(form.ListName("Yes No"), "Yes_No");
  EXPECT_EQ(form.ListName("Yes/No"), "Yes_No2");
  EXPECT_EQ(form.ListName("Yes No"), "Yes_No");
  EXPECT_EQ(form.MakeEntityName("9 LIVES OF A VERY LONG TABLE"), "n9_LIVES_OF_A_V");
}

TEST(SqlNameTest, BracketsWhatIsNotAPlainUnreservedName) {
  EXPECT_EQ(SqlName::Quoted("ORDER_ID"), "ORDER_ID");
  EXPECT_EQ(SqlName::Quoted("Order Details"), "[Order Details]");
  EXPECT_EQ(SqlName::Quoted("group"), "[group]");
  EXPECT_EQ(SqlName::Quoted("Date"), "[Date]");
  EXPECT_EQ(SqlName::Quoted("1st"), "[1st]");
  EXPECT_EQ(SqlName::Quoted("_x"), "[_x]");
  EXPECT_EQ(SqlName::Quoted("ZONE"), "[ZONE]");  // the list's last word: its order holds
  EXPECT_EQ(SqlName::Quoted("ABSOLUTE"), "[ABSOLUTE]");
  EXPECT_EQ(SqlName::Quoted("current_Timestamp"), "[current_Timestamp]");  // the longest word
  EXPECT_EQ(SqlName::Quoted("ZONES"), "ZONES");
}

}  // namespace
}  // namespace tavik
