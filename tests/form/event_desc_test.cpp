// Tests of event procedures: parameter lists, sub-event placement and the joined code.
#include <gtest/gtest.h>

#include <string>

#include "form/event_desc.h"

namespace tavik {
namespace {

// Sub-events and slots by number, as the joined code orders them; an out-of-range number is
// what only a cast can make.
constexpr SubEvent Id(int number) {
  return static_cast<SubEvent>(number);
}
constexpr SubEventSlot Slot(int number) {
  return static_cast<SubEventSlot>(number);
}
constexpr SubEventPlacement kLast = SubEventPlacement::kLast;
constexpr SubEventPlacement kFirst = SubEventPlacement::kFirst;

// The parameter lists of the events a form uses are pinned by the goldens; a class without
// the event's parameters gets none.
TEST(EventDesc, ParametersComeFromTheEventAndClassName) {
  CEventDesc label_key_press;
  ASSERT_EQ(label_key_press.Init("KeyPress", "x = 1", "Label"), kOk);
  EXPECT_FALSE(label_key_press.HasParameters());
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
  EXPECT_EQ(load.AddSubEventCode("a", Id(0), Slot(1), kLast, TextJoin::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("b", Id(2), Slot(1), kLast, TextJoin::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("c", Id(0), Slot(1), kLast, TextJoin::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("d", Id(1), Slot(0), kFirst, TextJoin::kAfter), kOk);
  load.PrepareEventCode();
  EXPECT_EQ(load.GetEventCode(), "d\r\nac\r\nb\r\n");
  EXPECT_EQ(load.GetSubEventCount(), 3u);

  // A later front record goes before the earlier one; a record placed before an id goes
  // right before it, and before a missing id at the end; an existing record stays put.
  EXPECT_EQ(load.AddSubEventCode("e", Id(3), Slot(0), kFirst, TextJoin::kAfter), kOk);
  EXPECT_EQ(load.AddSubEventCode("f", Id(4), Slot(0), BeforeSubEvent(Id(2)), TextJoin::kAfter),
            kOk);
  EXPECT_EQ(load.AddSubEventCode("g", Id(5), Slot(0), BeforeSubEvent(Id(99)), TextJoin::kAfter),
            kOk);
  EXPECT_EQ(load.AddSubEventCode("h", Id(2), Slot(0), kFirst, TextJoin::kAfter), kOk);
  load.PrepareEventCode();
  EXPECT_EQ(load.GetEventCode(), "e\r\nd\r\nac\r\nf\r\nhb\r\ng\r\n");
}

TEST(EventDesc, PiecesGrowBeforeOrAfterAndJoinZeroOneTwo) {
  CEventDesc validate;
  ASSERT_EQ(validate.Init("Validate", nullptr, "Data"), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tcheck\r\n", Id(2), Slot(1), kLast, TextJoin::kAfter), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tmore\r\n", Id(2), Slot(1), kLast, TextJoin::kAfter), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tfirst\r\n", Id(2), Slot(1), kLast, TextJoin::kBefore), kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tEnd If\r\n", Id(2), Slot(2), kLast, TextJoin::kBefore),
            kOk);
  ASSERT_EQ(validate.AddSubEventCode("\tIf x Then\r\n", Id(2), Slot(0), kLast, TextJoin::kAfter),
            kOk);
  EXPECT_EQ(*validate.GetSubEventCode(Id(2), Slot(1)), "\tfirst\r\n\tcheck\r\n\tmore\r\n");
  EXPECT_EQ(validate.GetSubEventCode(Id(2), Slot(3)), nullptr);
  EXPECT_EQ(validate.GetSubEventCode(Id(7), Slot(0)), nullptr);
  EXPECT_EQ(validate.FindSubEvent(Id(7)), nullptr);

  // A bad slot still leaves the new record behind, empty; a negative id makes none.
  EXPECT_EQ(validate.AddSubEventCode("x", Id(4), Slot(3), kLast, TextJoin::kAfter), 3u);
  EXPECT_EQ(validate.AddSubEventCode("x", Id(-1), Slot(0), kLast, TextJoin::kAfter), 5u);
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
