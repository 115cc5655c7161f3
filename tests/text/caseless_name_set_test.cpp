// Names told apart without regard to case, whether asked at once or counted for later.
#include "text/caseless_name_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavik::text {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> NamesOf(const CaselessNameSet& set) {
  return {set.begin(), set.end()};
}

TEST(CaselessNameSet, KeepsEachNameOnceInCapitalsInTheOrderFirstMet) {
  CaselessNameSet set;
  EXPECT_TRUE(set.Add("txtName"));
  set.AddUnsettled("lblName");
  set.AddUnsettled("TXTNAME");
  set.AddUnsettled("optState");
  set.AddUnsettled("OptState");
  // A name asked for at once is told apart from those counted before it.
  EXPECT_FALSE(set.Add("LBLname"));
  EXPECT_TRUE(set.Add("datOrders"));
  set.AddUnsettled("datorders");
  EXPECT_THAT(NamesOf(set), ElementsAre("TXTNAME", "LBLNAME", "OPTSTATE", "DATORDERS"));
}

TEST(CaselessNameSet, ThousandsOfNamesEachMetTwiceCountOnce) {
  CaselessNameSet set;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 3000; ++i) set.AddUnsettled("txtField" + std::to_string(i));
    EXPECT_EQ(set.size(), 3000u);
  }
  EXPECT_FALSE(set.Add("TXTFIELD2999"));
  EXPECT_TRUE(set.Add("txtField3000"));
  EXPECT_EQ(NamesOf(set).back(), "TXTFIELD3000");
}

}  // namespace
}  // namespace tavik::text
