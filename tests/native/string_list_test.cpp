// TStringList: editing, lookups with and without case, name=value lines
// and conversion to and from text.
#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "base/string_list.h"

static std::vector<std::string> Lines(const TStringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

TEST(StringList, EditingKeepsOrderAndChecksIndices) {
  TStringList list;
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("d"), 1);
  list.Insert(0, "a");
  list.Insert(2, "c");
  list.Insert(4, "e");  // at the end
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
  list.Delete(1);
  list.SetStrings(0, "A");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"A", "c", "d", "e"}));
  EXPECT_THROW(list[4], Exception);
  EXPECT_THROW(list[-1], Exception);
  EXPECT_THROW(list.Insert(6, "x"), Exception);
  EXPECT_THROW(list.Delete(4), Exception);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.Delete(0), Exception);
}

TEST(StringList, IndexOfAndSortFollowTheCaseFlag) {
  TStringList list;
  list.SetText("beta\nAlpha\nalpha\n\xB9\xD8\xBB\xFA\nGamma");
  EXPECT_EQ(list.IndexOf("ALPHA"), 1);
  EXPECT_EQ(list.IndexOf("alph"), -1);
  EXPECT_EQ(list.IndexOf("\xB9\xD8\xBB\xFA"), 3);
  EXPECT_EQ(list.IndexOf("\xB9\xD8\xBB\xDA"), -1);  // high bytes are never folded
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("ALPHA"), -1);
  EXPECT_EQ(list.IndexOf("alpha"), 2);

  list.SetCaseSensitive(false);
  list.Sort();  // stable: Alpha stays before alpha
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Alpha", "alpha", "beta", "Gamma", "\xB9\xD8\xBB\xFA"}));
  list.SetCaseSensitive(true);
  list.Sort();
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"Alpha", "Gamma", "alpha", "beta", "\xB9\xD8\xBB\xFA"}));
}

TEST(StringList, NameValuePairs) {
  TStringList list;
  list.SetText("Key=one\nnoequals\nempty=\nkey=second\nurl=a=b");
  EXPECT_EQ(list.Names(0), "Key");
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.ValueFromIndex(1), "");
  EXPECT_EQ(list.ValueFromIndex(4), "a=b");  // only the first '=' splits
  EXPECT_EQ(list.Values("KEY"), "one");      // the first of two names wins
  EXPECT_EQ(list.Values("empty"), "");
  EXPECT_EQ(list.IndexOfName("empty"), 2);
  EXPECT_EQ(list.IndexOfName("noequals"), -1);
  EXPECT_EQ(list.Values("missing"), "");

  list.SetValue("key", "changed");
  EXPECT_EQ(list[0], "key=changed");
  list.SetValue("new", "x");
  EXPECT_EQ(list[list.Count() - 1], "new=x");
  list.SetValue("key", "");  // an empty value removes the line
  EXPECT_EQ(list.Values("key"), "second");
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName("KEY"), -1);
}

TEST(StringList, TextSplitsOnAnyLineBreakAndJoinsWithCrLf) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
  list.SetText("a\r\n\r\n\n");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "", ""}));
  list.SetText("a\r\n");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{"a"}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
  list.SetText("\r");
  EXPECT_EQ(Lines(list), (std::vector<std::string>{""}));

  const std::string bytes = "[VERSION]\r\nskinname=x\r\n";
  list.LoadFromBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  EXPECT_EQ(list.Text(), bytes);
}
