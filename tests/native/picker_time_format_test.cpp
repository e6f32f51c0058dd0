#include "picker/picker_time_format.h"

#include <gtest/gtest.h>

#include "base/accelerator.h"

TEST(PickerTimeFormat, EmptyFormatIsTwelveHourWithTheLocaleDesignator) {
  EXPECT_EQ(FormatPickerTime("", 0, 0, "AM", "PM"), "12:00 AM");
  EXPECT_EQ(FormatPickerTime("", 12, 5, "AM", "PM"), "12:05 PM");
  EXPECT_EQ(FormatPickerTime("", 15, 45, "AM", "PM"), "3:45 PM");
  EXPECT_EQ(FormatPickerTime("", 23, 30, "上午", "下午"), "11:30 下午");
}

TEST(PickerTimeFormat, WithoutAHalfDaySpecifierTheHourRunsToTwentyThree) {
  EXPECT_EQ(FormatPickerTime("hh:nn", 7, 3, "AM", "PM"), "07:03");
  EXPECT_EQ(FormatPickerTime("H:MM:SS", 23, 9, "AM", "PM"), "23:09:00");
  EXPECT_EQ(FormatPickerTime("h.m", 0, 0, "AM", "PM"), "0.0");
}

TEST(PickerTimeFormat, WrittenDesignatorsKeepTheirCase) {
  EXPECT_EQ(FormatPickerTime("h:mm am/pm", 9, 0, "AM", "PM"), "9:00 am");
  EXPECT_EQ(FormatPickerTime("h:mm AM/PM", 21, 0, "AM", "PM"), "9:00 PM");
  EXPECT_EQ(FormatPickerTime("hha/p", 13, 0, "AM", "PM"), "01p");
}

TEST(PickerTimeFormat, QuotedTextIsCopiedAndAnUnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(FormatPickerTime("'at' hh\"h\"nn", 8, 15, "AM", "PM"), "at 08h15");
  EXPECT_EQ(FormatPickerTime("h 'ampm", 8, 15, "AM", "PM"), "8 ampm");
}

TEST(Accelerator, TheCharacterAfterASingleAmpersandAnyCase) {
  EXPECT_EQ(AcceleratorOf("&AM"), u'A');
  EXPECT_EQ(AcceleratorOf("P&M"), u'M');
  EXPECT_EQ(AcceleratorOf("Fish && &Chips"), u'C');
  EXPECT_EQ(AcceleratorOf("AM"), 0);
  EXPECT_EQ(AcceleratorOf("trailing&"), 0);
  EXPECT_EQ(AcceleratorOf("&&"), 0);
  EXPECT_EQ(AcceleratorOf("&设置"), u'设');
  EXPECT_TRUE(IsAccelerator(u'a', "&AM"));
  EXPECT_TRUE(IsAccelerator(u'É', "&é"));
  EXPECT_FALSE(IsAccelerator(u'm', "&AM"));
  EXPECT_FALSE(IsAccelerator(u'&', "&&"));
  EXPECT_FALSE(IsAccelerator(0, "AM"));
}
