// TMemIniFile: the reading rules of skin.ini, typed reads, writing and
// getting the text back.
#include <gtest/gtest.h>

#include "base/ini_file.h"

static std::vector<std::string> Lines(const TStringList& list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

static const char* const kSkin =
    "orphan=before any section\r\n"
    "  [ VERSION ]  \r\n"
    "skinname = Vesper \r\n"
    "; comment=ignored\r\n"
    "\r\n"
    "\tver=2\t\r\n"
    "no equals sign here\r\n"
    "=no key\r\n"
    "skinname=second value loses\r\n"
    "[MENUITEM]\r\n"
    "fontstyle=\r\n"
    "unenabledfontColor=8421504\r\n"
    "url=http://a/b?c=d\r\n"
    "[version]\r\n"
    "skinauthor=merged into the first [VERSION]\r\n";

TEST(IniFile, ReadingRules) {
  const TMemIniFile ini{std::string(kSkin)};
  TStringList names;
  ini.ReadSections(names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"VERSION", "MENUITEM"}));
  ini.ReadSection("version", names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"skinname", "ver", "skinauthor"}));
  EXPECT_EQ(ini.ReadString("Version", "SKINNAME", "x"), "Vesper");
  EXPECT_EQ(ini.ReadString("VERSION", "ver", "x"), "2");
  EXPECT_EQ(ini.ReadString("VERSION", "skinauthor", "x"), "merged into the first [VERSION]");
  EXPECT_EQ(ini.ReadString("menuitem", "UNENABLEDFONTCOLOR", "x"), "8421504");
  EXPECT_EQ(ini.ReadString("MENUITEM", "url", "x"), "http://a/b?c=d");
  // Present but empty is not absent.
  EXPECT_EQ(ini.ReadString("MENUITEM", "fontstyle", "fsbold"), "");
  EXPECT_TRUE(ini.ValueExists("MENUITEM", "fontstyle"));
  EXPECT_EQ(ini.ReadString("MENUITEM", "absent", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("NOSECTION", "ver", "dflt"), "dflt");
  EXPECT_FALSE(ini.ValueExists("VERSION", "orphan"));
  EXPECT_FALSE(ini.ValueExists("VERSION", "; comment"));
  EXPECT_TRUE(ini.SectionExists("menuItem"));
  EXPECT_FALSE(ini.SectionExists(" MENUITEM"));

  ini.ReadSectionValues("MENUITEM", names);
  EXPECT_EQ(Lines(names), (std::vector<std::string>{"fontstyle=", "unenabledfontColor=8421504", "url=http://a/b?c=d"}));
}

TEST(IniFile, CaseSensitiveMode) {
  TMemIniFile ini;
  ini.SetCaseSensitive(true);
  TStringList lines;
  lines.SetText("[MENUITEM]\na=1\nA=2\n[menuitem]\na=3");
  ini.SetStrings(lines);
  EXPECT_EQ(ini.ReadString("MENUITEM", "A", ""), "2");
  EXPECT_EQ(ini.ReadString("menuitem", "a", ""), "3");
  EXPECT_FALSE(ini.SectionExists("MenuItem"));
  ini.SetCaseSensitive(false);
  EXPECT_EQ(ini.ReadString("MenuItem", "A", ""), "1");  // first section and key win
}

TEST(IniFile, TypedReads) {
  const TMemIniFile ini{std::string(
      "[n]\ndec=-42\nplus=+7\nhex1=$1F\nhex2=0x1f\nneghex=-$10\nallbits=$FFFFFFFF\n"
      "max=2147483647\nmin=-2147483648\ntoobig=2147483648\ntoolong=$100000000\n"
      "word=12px\nempty=\nsign=-\ndollar=$\none=1\nzero=0\ntwo=2\n")};
  EXPECT_EQ(ini.ReadInteger("n", "dec", 0), -42);
  EXPECT_EQ(ini.ReadInteger("n", "plus", 0), 7);
  EXPECT_EQ(ini.ReadInteger("n", "hex1", 0), 31);
  EXPECT_EQ(ini.ReadInteger("n", "hex2", 0), 31);
  EXPECT_EQ(ini.ReadInteger("n", "neghex", 0), -16);
  EXPECT_EQ(ini.ReadInteger("n", "allbits", 0), -1);
  EXPECT_EQ(ini.ReadInteger("n", "max", 0), 2147483647);
  EXPECT_EQ(ini.ReadInteger("n", "min", 0), INT32_MIN);
  for (const char* bad : {"toobig", "toolong", "word", "empty", "sign", "dollar", "absent"})
    EXPECT_EQ(ini.ReadInteger("n", bad, 99), 99) << bad;
  EXPECT_TRUE(ini.ReadBool("n", "one", false));
  EXPECT_TRUE(ini.ReadBool("n", "two", false));
  EXPECT_FALSE(ini.ReadBool("n", "zero", true));
  EXPECT_TRUE(ini.ReadBool("n", "word", true));
  EXPECT_FALSE(ini.ReadBool("n", "absent", false));
}

TEST(IniFile, WritingErasingAndTextBack) {
  TMemIniFile ini{std::string("[a]\nx=1\ny=2\n[b]\nz=3\n")};
  ini.WriteString("A", "X", "10");  // updates the existing key in place
  ini.WriteInteger("c", "n", -5);   // new section at the end
  ini.WriteBool("c", "flag", true);
  ini.DeleteKey("b", "z");
  ini.DeleteKey("nosuch", "z");
  TStringList lines;
  ini.GetStrings(lines);
  EXPECT_EQ(Lines(lines), (std::vector<std::string>{"[a]", "x=10", "y=2", "", "[b]", "", "[c]", "n=-5", "flag=1"}));
  ini.EraseSection("B");
  EXPECT_FALSE(ini.SectionExists("b"));
  // What GetStrings gives reads back the same.
  ini.GetStrings(lines);
  TMemIniFile again(lines);
  EXPECT_EQ(again.ReadInteger("c", "n", 0), -5);
  EXPECT_EQ(again.ReadString("a", "x", ""), "10");
  ini.Clear();
  ini.ReadSections(lines);
  EXPECT_EQ(lines.Count(), 0);
}
