#include "tray/icon_cycle.h"

#include <gtest/gtest.h>

#include <climits>

TEST(IconCycle, ClampKeepsTheIndexOnAnImage) {
  EXPECT_EQ(ClampIconIndex(2, 4), 2);
  EXPECT_EQ(ClampIconIndex(3, 4), 3);
  EXPECT_EQ(ClampIconIndex(4, 4), 3) << "at the count: the last image";
  EXPECT_EQ(ClampIconIndex(INT_MAX, 4), 3);
  EXPECT_EQ(ClampIconIndex(-1, 4), 0) << "a negative index names no image";
  EXPECT_EQ(ClampIconIndex(INT_MIN, 4), 0);
  EXPECT_EQ(ClampIconIndex(5, 0), 0) << "without images";
  EXPECT_EQ(ClampIconIndex(0, 1), 0);
}

TEST(IconCycle, NextWrapsAfterTheLastImage) {
  EXPECT_EQ(NextIconIndex(0, 3), 1);
  EXPECT_EQ(NextIconIndex(1, 3), 2);
  EXPECT_EQ(NextIconIndex(2, 3), 0);
  EXPECT_EQ(NextIconIndex(0, 1), 0) << "one image stays put";
  EXPECT_EQ(NextIconIndex(0, 0), 0);
  // The list lost images since the index was set.
  EXPECT_EQ(NextIconIndex(7, 3), 0);
  EXPECT_EQ(NextIconIndex(INT_MAX, 3), 0);
}
