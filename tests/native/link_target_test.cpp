#include "label/link_target.h"

#include <gtest/gtest.h>

TEST(LinkTarget, BlankUrlFallsBackToTheCaption) {
  EXPECT_EQ(LinkTarget("", "www.vespermark.example"), "www.vespermark.example");
  EXPECT_EQ(LinkTarget(" \t\r\n", "caption"), "caption");
  EXPECT_EQ(LinkTarget(std::string("\0\x1f", 2), "caption"), "caption");
  EXPECT_EQ(LinkTarget(" http://a.example/ ", "caption"), " http://a.example/ ")
      << "the URL is used untrimmed";
  EXPECT_EQ(LinkTarget("", ""), "");
}

TEST(LinkTarget, BlankMeansControlCharactersAndSpacesOnly) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank(" \t "));
  EXPECT_FALSE(IsBlank(" x "));
  EXPECT_FALSE(IsBlank("\x7f"));
  EXPECT_FALSE(IsBlank("关机")) << "UTF-8 bytes are not control characters";
  EXPECT_EQ(LinkTarget("关机", "caption"), "关机");
}

TEST(LinkTarget, HtmExtensionComesFromTheLastDotOfTheFileName) {
  EXPECT_TRUE(IsHtmTarget("index.htm"));
  EXPECT_TRUE(IsHtmTarget("C:\\Docs\\README.HTM"));
  EXPECT_TRUE(IsHtmTarget("http://www.example.com/help/Page.HtM"));
  EXPECT_TRUE(IsHtmTarget(".htm"));
  EXPECT_FALSE(IsHtmTarget("page.html"));
  EXPECT_FALSE(IsHtmTarget("page.ht"));
  EXPECT_FALSE(IsHtmTarget("page.htm.txt"));
  EXPECT_FALSE(IsHtmTarget("page.htm?x=1"));
  EXPECT_FALSE(IsHtmTarget("pagehtm"));
  EXPECT_FALSE(IsHtmTarget(""));
  EXPECT_FALSE(IsHtmTarget("C:\\site.htm\\readme")) << "a dot in a folder name";
  EXPECT_FALSE(IsHtmTarget("http://host/pages.htm/"));
  EXPECT_FALSE(IsHtmTarget("file.htm:stream"));
}

TEST(LinkTarget, TheHtmChooserRunsFromTheSystemFolderOnly) {
  for (const char* folder : {"C:\\Windows\\system32", "C:\\Windows\\system32\\"}) {
    ProcessLaunch launch = HtmChooserLaunch(folder);
    EXPECT_EQ(launch.Application, "C:\\Windows\\system32\\rundll32.exe");
    EXPECT_EQ(launch.CommandLine,
              "\"C:\\Windows\\system32\\rundll32.exe\" \"C:\\Windows\\system32\\shell32.dll\",OpenAs_RunDLL *.htm");
  }
}
