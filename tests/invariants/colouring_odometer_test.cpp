// The colouring counter of the state sums and its skip past failed edges.
#include "invariants/colouring_odometer.h"

#include <gtest/gtest.h>

#include <vector>

#include "invariants/spine_cell_table.h"

namespace {

TEST(ColouringOdometer, MaximumDigitByOrderAndVariant) {
  struct Case {
    int order, variant, max, step;
  } cases[] = {{5, 2, 2, 2}, {6, 2, 4, 2}, {5, 1, 3, 1}, {6, 3, 4, 1}, {3, 2, 0, 2}};
  for (const Case& c : cases) {
    TColouringOdometer odometer;
    odometer.Init(c.order, 2, c.variant);
    EXPECT_EQ(odometer.MaxDigit(), c.max) << c.order << "/" << c.variant;
    EXPECT_EQ(odometer.Step(), c.step) << c.order << "/" << c.variant;
  }
}

TEST(ColouringOdometer, PlainStepsAndSkips) {
  TColouringOdometer odometer;
  odometer.Init(4, 3, 3);  // digits 0..2
  for (int i = 0; i < 8; ++i) odometer.Advance(nullptr, 0);  // 0,2,2 after 8 steps
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{0, 2, 2}));
  odometer.Advance(nullptr, 0);
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{1, 0, 0}));

  // An edge whose cells are all cell 1: a failure there skips every colouring
  // with the same colour on cell 1.
  TSpineCellRecord cell1;
  cell1.number = 1;
  const TSpineCellRecord* edgeCells[3] = {&cell1, &cell1, &cell1};
  odometer.Advance(nullptr, 0);
  odometer.Advance(nullptr, 0);  // 1,0,2
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{1, 0, 2}));
  odometer.Advance(edgeCells, 1);
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{2, 0, 0}));
  EXPECT_FALSE(odometer.IsLast());
  // From the last value of cell 1 the skip runs out: the odometer stands on
  // its last colouring.
  odometer.Advance(edgeCells, 1);
  EXPECT_TRUE(odometer.IsLast());
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{2, 2, 2}));
}

TEST(ColouringOdometer, EvenVariantVisitsEvenColoursOnly) {
  TColouringOdometer odometer;
  odometer.Init(7, 2, 2);  // colours 0, 2, 4
  int visited = 1;
  while (!odometer.IsLast()) {
    EXPECT_TRUE(odometer.AllEven());
    odometer.Advance(nullptr, 0);
    ++visited;
  }
  EXPECT_EQ(visited, 9);
  EXPECT_EQ(odometer.Digit(2), -1);
  odometer.ClearRange(1, 1);
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{4, 0}));
  odometer.ClearRange(1, 5);  // out of range: nothing
  EXPECT_EQ(odometer.Digits(), (std::vector<std::int32_t>{4, 0}));
}

TEST(ColouringOdometer, NoDigitsIsAlreadyLast) {
  TColouringOdometer odometer;
  odometer.Init(5, 0, 3);
  EXPECT_TRUE(odometer.IsLast());
}

}  // namespace
