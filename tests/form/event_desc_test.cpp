// Tests of event procedures: parameter lists, sub-event placement and the joined code.
#include <gtest/gtest.h>

#include <string>

#include "form/event_desc.h"

namespace tavik {
namespace {

// The parameter lists of the events a form uses are pinned by the goldens; a class without
// the event's parameters gets none.
TEST(EventDesc, ParametersComeFromTheEventAndClassName) {
  CEventDesc label_key_press;
  ASSERT_EQ(label_key_press.Init("KeyPress", "x = 1", "Label"), kOk);
  EXPECT_FALSE(label_key_press.GetParameters());
  EXPECT_EQ(label_key_press.GetEventCode(), "x = 1");
  CEventDesc unnamed;
  EXPECT_EQ(unnamed.Init("", nullptr, nullptr), kNullArgument);
}

TEST(EventDesc, SubEventsJoinInListOrderEachEndedByALineBreak) {
  CEventDesc load;
  ASSERT_EQ(load.Init("Load", nullptr, "Form"), kOk);
  load.PrepareEventCode();
  EXPECT_EQ(load.GetEventCode(), "");

  // The calls of a form's load handler in the order several generators make them.
  EXPECT_EQ(load.AddSubEventCode("a", 0, 1, CEventDesc::kAtEnd, CEventDesc::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("b", 2, 1, CEventDesc::kAtEnd, CEventDesc::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("c", 0, 1, CEventDesc::kAtEnd, CEventDesc::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("d", 1, 0, CEventDesc::kAtFront, CEventDesc::kAfter), kOk);
  load.PrepareEventCode();
  EXPECT_EQ(load.GetEventCode(), "d\r\nac\r\nb\r\n");
  EXPECT_EQ(load.GetSubEventCount(), 3u);

  // A later front record goes before the earlier one; a record placed before an id goes
  // right before it, and before a missing id at the end; an existing record stays put.
  EXPECT_EQ(load.AddSubEventCode("e", 3, 0, CEventDesc::kAtFront, CEventDesc::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("f", 4, 0, 2, CEventDesc::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("g", 5, 0, 99, CEventDesc::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("h", 2, 0, CEventDesc::kAtFront, CEventDesc::kAfter), kOk);
  load.PrepareEventCode();
  EXPECT_EQ(load.GetEventCode(), "e\r\nd\r\nac\r\nf\r\nhb\r\ng\r\n");
}

TEST(EventDesc, PiecesGrowBeforeOrAfterAndJoinZeroOneTwo) {
  CEventDesc validate;
  ASSERT_EQ(validate.Init("Validate", nullptr, "Data"), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tcheck\r\n", 2, 1, -1, 1), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tmore\r\n", 2, 1, -1, 1), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tfirst\r\n", 2, 1, -1, 0), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tEnd If\r\n", 2, 2, -1, 0), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tIf x Then\r\n", 2, 0, -1, 1), kOk);
  EXPECT_EQ(*validate.GetSubEventCode(2, 1), "\tfirst\r\n\tcheck\r\n\tmore\r\n");
  EXPECT_EQ(validate.GetSubEventCode(2, 3), nullptr);
  EXPECT_EQ(validate.GetSubEventCode(7, 0), nullptr);
  EXPECT_EQ(validate.FindSubEvent(7), nullptr);

  // A bad slot still leaves the new record behind, empty; a negative id makes none.
  EXPECT_EQ(validate.AddSubEventCode("x", 4, 3, -1, 1), 3u);
  EXPECT_EQ(validate.AddSubEventCode("x", -1, 0, -1, 1), 5u);
  ASSERT_EQ(validate.GetSubEventCount(), 2u);
  validate.PrepareEventCode();
  EXPECT_EQ(validate.GetEventCode(),
            "\tIf x Then\r\n\tfirst\r\n\tcheck\r\n\tmore\r\n\tEnd If\r\n\r\n\r\n");

  validate.AddDeclarations("\tDim a\r\n");
  validate.AddDeclarations("\tDim b\r\n");
  EXPECT_EQ(validate.GetDeclarations(), "\tDim a\r\n\tDim b\r\n");
}

}  // namespace
}  // namespace tavik
