// The skin.ini value kinds, the field walks of the data classes, and
// reading and writing sections through them.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "skin/data/skin_controls.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_objects.h"
#include "skin/data/skin_windows.h"

namespace {

TMemIniFile Ini(const std::string& text) { return TMemIniFile(text); }

std::string ConvertMessage(const TMemIniFile& ini, const std::string& key) {
  try {
    ReadSkinRect(ini, "s", key);
  } catch (const EConvertError& error) {
    return error.what();
  }
  ADD_FAILURE() << key << " converted";
  return {};
}

TEST(SkinIniValues, RectanglesAndPointsKeepOnlyDigits) {
  const TMemIniFile ini = Ini(
      "[s]\n"
      "signs=-3,4,10,20\n"
      "blanks= 12 px,+7,x9y,0\n"
      "extra=1,2,3,4,5,junk\n"
      "zeros=00000000000000000012,0,0,2147483647\n"
      "point=-5,6\n"
      "pointextra=1,2,3\n");
  EXPECT_EQ(ReadSkinRect(ini, "s", "signs"), (TRect{3, 4, 10, 20}));
  EXPECT_EQ(ReadSkinRect(ini, "s", "blanks"), (TRect{12, 7, 9, 0}));
  EXPECT_EQ(ReadSkinRect(ini, "s", "extra"), (TRect{1, 2, 3, 4}));
  EXPECT_EQ(ReadSkinRect(ini, "s", "zeros"), (TRect{12, 0, 0, 2147483647}));
  EXPECT_EQ(ReadSkinRect(ini, "s", "absent"), TRect{});
  EXPECT_EQ(ReadSkinRect(ini, "nosection", "signs"), TRect{});
  EXPECT_EQ(ReadSkinPoint(ini, "s", "point"), (TPoint{5, 6}));
  EXPECT_EQ(ReadSkinPoint(ini, "s", "pointextra"), (TPoint{1, 2}));
  EXPECT_EQ(ReadSkinPoint(ini, "s", "absent"), TPoint{});
}

TEST(SkinIniValues, UnreadableRectanglesAndPointsAreConversionErrors) {
  const TMemIniFile ini = Ini(
      "[s]\n"
      "empty=\n"
      "short=1,2,3\n"
      "trailingcomma=1,2,3,\n"
      "nodigits=1,a,3,4\n"
      "huge=1,2,2147483648,4\n"
      "point=7\n");
  EXPECT_EQ(ConvertMessage(ini, "empty"), "'' is not a valid rectangle for \"empty\" in [s]: number 1 has no digits");
  EXPECT_EQ(ConvertMessage(ini, "short"),
            "'1,2,3' is not a valid rectangle for \"short\" in [s]: it has fewer than 4 numbers");
  EXPECT_EQ(ConvertMessage(ini, "trailingcomma"),
            "'1,2,3,' is not a valid rectangle for \"trailingcomma\" in [s]: number 4 has no digits");
  EXPECT_EQ(ConvertMessage(ini, "nodigits"),
            "'1,a,3,4' is not a valid rectangle for \"nodigits\" in [s]: number 2 has no digits");
  EXPECT_EQ(ConvertMessage(ini, "huge"),
            "'1,2,2147483648,4' is not a valid rectangle for \"huge\" in [s]: number 3 is too large");
  EXPECT_THROW(ReadSkinPoint(ini, "s", "point"), EConvertError);
  EXPECT_THROW(ReadSkinPoint(ini, "s", "empty"), EConvertError);
}

TEST(SkinIniValues, NumbersBooleansAndTheirDefaults) {
  const TMemIniFile ini = Ini(
      "[s]\n"
      "one=1\n"
      "two=2\n"
      "minus=-1\n"
      "empty=\n"
      "word=abc\n"
      "white=16777215\n"
      "dollar=$10\n"
      "cstyle=0x1F\n"
      "plus=+7\n"
      "lowest=-2147483648\n"
      "beyond=2147483648\n"
      "activepicturescount=0x2\n"
      "0=a.bmp\n"
      "1=b.bmp\n");
  EXPECT_TRUE(ReadSkinBool(ini, "s", "one"));
  // Decimal only: hexadecimal spellings are not integers and give the default.
  EXPECT_EQ(ReadSkinInteger(ini, "s", "dollar"), 0);
  EXPECT_EQ(ReadSkinInteger(ini, "s", "cstyle", 5), 5);
  EXPECT_EQ(ReadSkinColor(ini, "s", "dollar"), 0);
  EXPECT_EQ(ReadSkinPictureIndex(ini, "s", "cstyle"), -1);
  EXPECT_EQ(ReadSkinFontHeight(ini, "s", "dollar"), 14);
  EXPECT_FALSE(ReadSkinBool(ini, "s", "cstyle"));
  TStringList pictures;
  ReadSkinList(ini, "s", "activepictures", pictures);
  EXPECT_EQ(pictures.Count(), 0);
  EXPECT_EQ(ReadSkinInteger(ini, "s", "plus"), 7);
  EXPECT_EQ(ReadSkinInteger(ini, "s", "lowest"), INT32_MIN);
  EXPECT_EQ(ReadSkinInteger(ini, "s", "beyond", 3), 3);
  for (const char* key : {"two", "minus", "empty", "word", "absent"}) EXPECT_FALSE(ReadSkinBool(ini, "s", key)) << key;

  EXPECT_EQ(ReadSkinInteger(ini, "s", "minus"), -1);
  EXPECT_EQ(ReadSkinInteger(ini, "s", "word", 50), 50);
  EXPECT_EQ(ReadSkinInteger(ini, "s", "empty", 1), 1);
  EXPECT_EQ(ReadSkinColor(ini, "s", "white"), 0xFFFFFF);
  EXPECT_EQ(ReadSkinColor(ini, "s", "absent"), 0);
  EXPECT_EQ(ReadSkinColor(ini, "s", "absent", clBlue), clBlue);
  EXPECT_EQ(ReadSkinPictureIndex(ini, "s", "absent"), -1);
  EXPECT_EQ(ReadSkinPictureIndex(ini, "s", "empty"), -1);
  EXPECT_EQ(ReadSkinPictureIndex(ini, "s", "two"), 2);
}

TEST(SkinIniValues, FontsMatchStyleWordsAsCaseSensitiveSubstrings) {
  const TMemIniFile ini = Ini(
      "[s]\n"
      "pair=fsbold,fsunderline\n"
      "plain=bold\n"
      "capitals=FSBOLD\n"
      "glued=fsstrikeoutfsitalic\n"
      "emptyname=\n");
  EXPECT_EQ(ReadSkinFontStyles(ini, "s", "pair"), fsBold | fsUnderline);
  EXPECT_EQ(ReadSkinFontStyles(ini, "s", "plain"), 0);
  EXPECT_EQ(ReadSkinFontStyles(ini, "s", "capitals"), 0);
  EXPECT_EQ(ReadSkinFontStyles(ini, "s", "glued"), fsStrikeOut | fsItalic);
  EXPECT_EQ(ReadSkinFontName(ini, "s", "absent"), "Arial");
  EXPECT_EQ(ReadSkinFontName(ini, "s", "emptyname"), "");
  EXPECT_EQ(ReadSkinFontHeight(ini, "s", "absent"), 14);
  EXPECT_EQ(SkinFontStylesText(fsBold | fsItalic | fsUnderline | fsStrikeOut), "fsbold,fsitalic,fsunderline,fsstrikeout");
}

TEST(SkinIniValues, KeywordsCompareExactlyAndFallBack) {
  const TMemIniFile ini = Ini(
      "[s]\n"
      "center=center\n"
      "left=taleftjustify\n"
      "right=tarightjustify\n"
      "capital=cmClose\n"
      "close=cmclose\n"
      "rollup=cmrollup\n"
      "emptyeffect=\n"
      "grey=iegrayscale\n"
      "push=mkpush\n"
      "oddmorph=mkPush\n");
  EXPECT_EQ(ReadSkinAlignment(ini, "s", "center"), TSkinAlignment::taRightJustify);
  EXPECT_EQ(ReadSkinAlignment(ini, "s", "left"), TSkinAlignment::taLeftJustify);
  EXPECT_EQ(ReadSkinAlignment(ini, "s", "right"), TSkinAlignment::taRightJustify);
  EXPECT_EQ(ReadSkinAlignment(ini, "s", "absent"), TSkinAlignment::taCenter);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "capital"), TSkinCommand::cmrollup);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "close"), TSkinCommand::cmclose);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "rollup"), TSkinCommand::cmrollup);
  EXPECT_EQ(ReadSkinCommand(ini, "s", "absent"), TSkinCommand::cmdefault);
  EXPECT_EQ(ReadSkinEffect(ini, "s", "emptyeffect"), TSkinEffect::iegrayscale);
  EXPECT_EQ(ReadSkinEffect(ini, "s", "absent"), TSkinEffect::iebrightness);
  EXPECT_EQ(ReadSkinEffect(ini, "s", "grey"), TSkinEffect::iegrayscale);
  EXPECT_EQ(ReadSkinMorphKind(ini, "s", "push"), TMorphKind::mkpush);
  EXPECT_EQ(ReadSkinMorphKind(ini, "s", "oddmorph"), TMorphKind::mkdefault);
  EXPECT_EQ(ReadSkinMorphKind(ini, "s", "absent"), TMorphKind::mkdefault);
}

TEST(SkinIniValues, ListsReadTheirItemsAndBoundALyingCount) {
  TStringList items;
  ReadSkinList(Ini("[p]\nactivepicturescount=4\n0=a.bmp\n2=c.bmp\n3=d.bmp\n"), "p", "activepictures", items);
  ASSERT_EQ(items.Count(), 4);
  EXPECT_EQ(items[0], "a.bmp");
  EXPECT_EQ(items[1], "");
  EXPECT_EQ(items[3], "d.bmp");

  // Two billion promised items cannot be there; only what the section holds is read.
  items.Clear();
  ReadSkinList(Ini("[p]\nactivepicturescount=2000000000\n0=a.bmp\n"), "p", "activepictures", items);
  EXPECT_EQ(items.Count(), 2);
  // Nor does one far-off entry number stretch the list to it.
  TStringList farItems;
  ReadSkinList(Ini("[p]\nactivepicturescount=2147483647\n2147483646=x.bmp\n"), "p", "activepictures", farItems);
  EXPECT_EQ(farItems.Count(), 2);
  const TMemIniFile far = Ini("[o]\ncount=2147483647\n0=a:caption\n90=x:caption\n");
  EXPECT_EQ(SkinEntryLimit(far, "o", 2147483647), 3);
  EXPECT_EQ(SkinEntryLimit(far, "o", 2), 2);
  EXPECT_EQ(SkinEntryLimit(far, "o", -3), 0);

  TMemIniFile written;
  WriteSkinList(written, "p", "activepictures", items);
  EXPECT_EQ(written.ReadString("p", "activepicturescount", ""), "2");
  EXPECT_EQ(written.ReadString("p", "0", ""), "a.bmp");
}

// Turns every field of a walk into "key=text" so that walks can be compared.
class FieldDump : public SkinFieldVisitor {
 public:
  std::vector<std::string> lines;
  void Integer(const std::string& k, int32_t& f, int32_t) override { Add(k, std::to_string(f)); }
  void Color(const std::string& k, TColor& f, TColor) override { Add(k, std::to_string(f)); }
  void PictureIndex(const std::string& k, int32_t& f) override { Add(k, std::to_string(f)); }
  void Boolean(const std::string& k, bool& f) override { Add(k, f ? "1" : "0"); }
  void Rect(const std::string& k, TRect& f) override { Add(k, SkinRectText(f)); }
  void Point(const std::string& k, TPoint& f) override { Add(k, SkinPointText(f)); }
  void FontName(const std::string& k, std::string& f) override { Add(k, f); }
  void FontHeight(const std::string& k, int32_t& f) override { Add(k, std::to_string(f)); }
  void FontStyles(const std::string& k, TSkinFontStyles& f) override { Add(k, SkinFontStylesText(f)); }
  void Alignment(const std::string& k, TSkinAlignment& f) override { Add(k, SkinAlignmentText(f)); }
  void MorphKind(const std::string& k, TMorphKind& f) override { Add(k, SkinMorphKindText(f)); }
  void Effect(const std::string& k, TSkinEffect& f) override { Add(k, SkinEffectText(f)); }
  void Command(const std::string& k, TSkinCommand& f) override { Add(k, SkinCommandText(f)); }
  void Text(const std::string& k, std::string& f, const std::string&) override { Add(k, f); }

 private:
  void Add(const std::string& key, const std::string& value) { lines.push_back(key + "=" + value); }
};

// Writes a different valid value for every key a walk visits into a section,
// the values a reader should then find in the fields.
class DistinctValues : public SkinFieldVisitor {
 public:
  DistinctValues(TMemIniFile& ini, std::string section) : FIni(ini), FSection(std::move(section)) {}
  std::vector<std::string> expected;
  std::set<std::string> keys;

  void Integer(const std::string& k, int32_t&, int32_t) override { Put(k, std::to_string(Next())); }
  void Color(const std::string& k, TColor&, TColor) override { Put(k, std::to_string(Next() * 65793)); }
  void PictureIndex(const std::string& k, int32_t&) override { Put(k, std::to_string(Next())); }
  void Boolean(const std::string& k, bool&) override { Put(k, "1"); }
  void Rect(const std::string& k, TRect&) override {
    const int n = Next();
    Put(k, SkinRectText({n, n + 1, n + 2, n + 3}));
  }
  void Point(const std::string& k, TPoint&) override {
    const int n = Next();
    Put(k, SkinPointText({n, n + 1}));
  }
  void FontName(const std::string& k, std::string&) override { Put(k, "Font" + std::to_string(Next())); }
  void FontHeight(const std::string& k, int32_t&) override { Put(k, std::to_string(Next())); }
  void FontStyles(const std::string& k, TSkinFontStyles&) override {
    Put(k, SkinFontStylesText(TSkinFontStyles(1 + Next() % 15)));
  }
  void Alignment(const std::string& k, TSkinAlignment&) override { Put(k, "tacenter"); }
  void MorphKind(const std::string& k, TMorphKind&) override { Put(k, SkinMorphKindText(TMorphKind(1 + Next() % 6))); }
  void Effect(const std::string& k, TSkinEffect&) override { Put(k, SkinEffectText(TSkinEffect(1 + Next() % 5))); }
  void Command(const std::string& k, TSkinCommand&) override { Put(k, SkinCommandText(TSkinCommand(1 + Next() % 5))); }
  void Text(const std::string& k, std::string&, const std::string&) override { Put(k, "text" + std::to_string(Next())); }

 private:
  int Next() { return ++FCounter; }
  void Put(const std::string& key, const std::string& value) {
    EXPECT_TRUE(keys.insert(key).second) << "the walk visits \"" << key << "\" twice";
    FIni.WriteString(FSection, key, value);
    expected.push_back(key + "=" + value);
  }
  TMemIniFile& FIni;
  std::string FSection;
  int FCounter = 0;
};

template <class T>
std::vector<std::string> Dump(T& data) {
  FieldDump dump;
  data.VisitFields(dump);
  return dump.lines;
}

// Every field takes its own key's value, and writing gives back what reading takes.
template <class T>
void CheckReadsEveryKeyAndWritesItBack(T& data, T& copy, const std::string& section) {
  TMemIniFile source;
  DistinctValues values(source, section);
  data.VisitFields(values);
  data.ReadFromIni(source);
  EXPECT_EQ(Dump(data), values.expected) << data.ClassName();

  TMemIniFile written;
  written.WriteString(section, "stale", "gone after writing");
  data.WriteToIni(written);
  EXPECT_FALSE(written.ValueExists(section, "stale"));
  copy.ReadFromIni(written);
  EXPECT_EQ(Dump(copy), values.expected) << data.ClassName();
}

const std::map<std::string, std::string> kObjectClasses{
    {"caption", "TDataSkinCaption"},
    {"stdbutton", "TDataSkinStdButton"},
    {"mainmenubarbutton", "TDataSkinMainMenuBarButton"},
    {"button", "TDataSkinButton"},
    {"menuitem", "TDataSkinMenuItem"},
    {"mainmenubaritem", "TDataSkinMainMenuBarItem"},
    {"userobject", "TDataUserObject"},
};

const std::map<std::string, std::string> kControlClasses{
    {"button", "TDataSkinButtonControl"},
    {"menubutton", "TDataSkinMenuButtonControl"},
    {"checkradio", "TDataSkinCheckRadioControl"},
    {"panel", "TDataSkinPanelControl"},
    {"expanel", "TDataSkinExPanelControl"},
    {"gauge", "TDataSkinGaugeControl"},
    {"splitter", "TDataSkinSplitterControl"},
    {"trackbar", "TDataSkinTrackBarControl"},
    {"label", "TDataSkinLabelControl"},
    {"stdlabel", "TDataSkinStdLabelControl"},
    {"grid", "TDataSkinGridControl"},
    {"tab", "TDataSkinTabControl"},
    {"mainmenubar", "TDataSkinMainMenuBar"},
    {"controlbar", "TDataSkinControlBar"},
    {"edit", "TDataSkinEditControl"},
    {"memo", "TDataSkinMemoControl"},
    {"listbox", "TDataSkinListBox"},
    {"checklistbox", "TDataSkinCheckListBox"},
    {"combobox", "TDataSkinComboBox"},
    {"scrollbar", "TDataSkinScrollBarControl"},
    {"spinedit", "TDataSkinSpinEditControl"},
    {"scrollbox", "TDataSkinScrollBoxControl"},
    {"treeview", "TDataSkinTreeView"},
    {"listview", "TDataSkinListView"},
    {"richedit", "TDataSkinRichEdit"},
    {"bevel", "TDataSkinBevel"},
    {"slider", "TDataSkinSlider"},
};

TEST(SkinDataClasses, EveryObjectTypeReadsEachKeyIntoItsOwnFieldAndWritesItBack) {
  for (const auto& [typeWord, className] : kObjectClasses) {
    auto object = CreateSkinObject(typeWord, "Sec");
    auto copy = CreateSkinObject(typeWord, "Sec");
    ASSERT_TRUE(object && copy) << typeWord;
    EXPECT_EQ(object->ClassName(), className);
    CheckReadsEveryKeyAndWritesItBack(*object, *copy, "SEC");
  }
}

TEST(SkinDataClasses, EveryControlTypeReadsEachKeyIntoItsOwnFieldAndWritesItBack) {
  for (const auto& [typeWord, className] : kControlClasses) {
    auto control = CreateSkinControl(typeWord, "sec");
    auto copy = CreateSkinControl(typeWord, "sec");
    ASSERT_TRUE(control && copy) << typeWord;
    EXPECT_EQ(control->ClassName(), className);
    CheckReadsEveryKeyAndWritesItBack(*control, *copy, "sec");
  }
  TDataSkinPopupWindow popup, popupCopy;
  CheckReadsEveryKeyAndWritesItBack(popup, popupCopy, "POPUPWINDOW");
  TDataSkinHintWindow hint, hintCopy;
  CheckReadsEveryKeyAndWritesItBack(hint, hintCopy, "HINTWINDOW");
}

TEST(SkinDataClasses, TypeWordsAreExact) {
  for (const char* word : {"Caption", " caption", "caption ", "header", "", "control", "TDataSkinCaption"})
    EXPECT_EQ(CreateSkinObject(word, "x"), nullptr) << word;
  for (const char* word : {"Button", "header", "", "updown "}) EXPECT_EQ(CreateSkinControl(word, "x"), nullptr) << word;
  EXPECT_EQ(CreateSkinControl("updown", "x")->ClassName(), "TDataSkinUpDownControl");
  EXPECT_EQ(CreateSkinObject("animate", "x")->ClassName(), "TDataSkinAnimate");
}

TEST(SkinDataClasses, CreationValuesAndWhatAbsentKeysGive) {
  TDataSkinButtonControl created("button");
  EXPECT_EQ(created.fontname, "Arial");
  EXPECT_EQ(created.fontheight, 12);
  EXPECT_EQ(created.pictureindex, -1);
  EXPECT_EQ(created.maskpictureindex, -1);
  TDataSkinButtonControl read("button");
  read.ReadFromIni(Ini("[button]\nskinrect=0,1,66,22\n"));
  EXPECT_EQ(read.fontheight, 14);
  EXPECT_EQ(read.skinrect, (TRect{0, 1, 66, 22}));

  TDataSkinHintWindow hint;
  EXPECT_EQ(hint.fontheight, 12);
  hint.ReadFromIni(TMemIniFile());
  EXPECT_EQ(hint.fontheight, 14);
  EXPECT_EQ(hint.fontname, "Arial");
  EXPECT_EQ(hint.maskpictureindex, -1);

  TDataSkinAnimate animate("a");
  animate.ReadFromIni(Ini("[a]\nmorphing=1\n"));
  EXPECT_FALSE(animate.morphing);
  EXPECT_EQ(animate.countframes, 1);
  EXPECT_EQ(animate.timerinterval, 50);
  EXPECT_EQ(animate.command, TSkinCommand::cmdefault);

  TDataSkinStdLabelControl label("l");
  label.ReadFromIni(TMemIniFile());
  EXPECT_EQ(label.activefontcolor, 16711680);
  TDataSkinListBox list("l");
  list.ReadFromIni(TMemIniFile());
  EXPECT_EQ(list.vscrollbarname, "vscrollbar");
  EXPECT_EQ(list.bothhscrollbarname, "bothhscrollbar");
}

TEST(SkinDataClasses, SpecialSectionsOfTheUserObjectAndTheUpDown) {
  TDataUserObject user("u");
  user.ReadFromIni(Ini("[u]\nskinrect=1,2,3,4\nhint=not read\nactivepictureindex=3\n"));
  EXPECT_EQ(user.skinrect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(user.hint, "");
  EXPECT_EQ(user.activepictureindex, -1);
  TMemIniFile written = Ini("[u]\nhint=old\n");
  user.WriteToIni(written);
  TStringList keys;
  written.ReadSection("u", keys);
  ASSERT_EQ(keys.Count(), 1);
  EXPECT_EQ(keys[0], "skinrect");

  TDataSkinUpDownControl upDown("ud");
  upDown.ReadFromIni(Ini("[ud]\nlefttoppoint=5,5\nclientrect=1,1,9,9\nupbuttonrect=0,0,8,8\n"));
  EXPECT_EQ(upDown.lefttoppoint, TPoint{});
  EXPECT_EQ(upDown.clientrect, TRect{});
  EXPECT_EQ(upDown.upbuttonrect, (TRect{0, 0, 8, 8}));
  upDown.rightbottompoint = {4, 4};
  upDown.WriteToIni(written);
  EXPECT_EQ(written.ReadString("ud", "rightbottompoint", ""), "0,0");
  EXPECT_EQ(upDown.rightbottompoint, TPoint{});
}

TEST(SkinDataClasses, WritingUsesTheCanonicalForms) {
  TDataSkinCaption caption("caption1");
  caption.ReadFromIni(Ini(
      "[caption1]\nskinrect= -41 , 3,102,18,7\nfontstyle=x fsunderline fsbold\nalignment=center\n"
      "shadow=1\nmorphing=2\nmorphkind=mkleftslide\n"));
  TMemIniFile written;
  caption.WriteToIni(written);
  EXPECT_EQ(written.ReadString("caption1", "skinrect", ""), "41,3,102,18");
  EXPECT_EQ(written.ReadString("caption1", "fontstyle", ""), "fsbold,fsunderline");
  EXPECT_EQ(written.ReadString("caption1", "alignment", ""), "tarightjustify");
  EXPECT_EQ(written.ReadString("caption1", "shadow", ""), "1");
  EXPECT_EQ(written.ReadString("caption1", "morphing", ""), "0");
  EXPECT_EQ(written.ReadString("caption1", "morphkind", ""), "mkleftslide");
  EXPECT_EQ(written.ReadString("caption1", "activepictureindex", ""), "-1");
  EXPECT_EQ(written.ReadString("caption1", "textrect", ""), "0,0,0,0");
}


// Each class's keys, typed from the skin definition's own tables rather than
// taken from the walks they check.
const std::vector<std::string> kObjectKeys{"hint",          "activepictureindex", "skinrectinapicture", "skinrect",
                                           "activeskinrect", "morphing",          "morphkind"};
const std::vector<std::string> kControlKeys{"pictureindex", "maskpictureindex", "skinrect"};
const std::vector<std::string> kCustomControlKeys{"pictureindex",    "maskpictureindex", "skinrect",
                                                  "lefttoppoint",    "righttoppoint",    "leftbottompoint",
                                                  "rightbottompoint", "clientrect"};
const std::vector<std::string> kFontKeys{"fontname", "fontheight", "fontstyle", "fontcolor"};

struct ClassKeys {
  const char* typeWord;
  const std::vector<std::string>* base;
  std::vector<std::string> own;
};

const std::vector<ClassKeys> kObjectTable{
    {"caption", &kObjectKeys,
     {"textrect", "fontname", "fontheight", "fontstyle", "fontcolor", "activefontcolor", "alignment", "shadow",
      "shadowcolor", "activeshadowcolor", "framerect", "activeframerect", "frametextrect", "frameleftoffset",
      "framerightoffset"}},
    {"stdbutton", &kObjectKeys,
     {"downrect", "disableskinrsect", "command", "restorerect", "restoreactiverect", "restoredownrect",
      "restoreinactiverect"}},
    {"mainmenubarbutton", &kObjectKeys,
     {"downrect", "disableskinrsect", "command", "restorerect", "restoreactiverect", "restoredownrect",
      "restoreinactiverect"}},
    {"button", &kObjectKeys, {"downrect", "disableskinrsect"}},
    {"menuitem", &kObjectKeys,
     {"itemleftoffset", "itemrightoffset", "dividerrect", "dividerleftoffset", "dividerrightoffset", "textrect",
      "fontname", "fontheight", "fontstyle", "fontcolor", "activefontcolor", "unenabledfontcolor"}},
    {"mainmenubaritem", &kObjectKeys,
     {"itemleftoffset", "itemrightoffset", "downrect", "textrect", "fontname", "fontheight", "fontstyle", "fontcolor",
      "activefontcolor", "downfontcolor", "unenabledfontColor"}},
    {"animate", &kObjectKeys, {"countframes", "cycle", "buttonstyle", "timerinterval", "command"}},
    {"userobject", nullptr, {"skinrect"}},
};

const std::vector<std::string> kButtonControlKeys{
    "fontname",      "fontheight",     "fontstyle",        "fontcolor", "activefontcolor", "downfontcolor",
    "disabledfontcolor", "activeskinrect", "downskinrect", "disabledskinrect", "morphing", "morphkind"};
const std::vector<std::string> kEditKeys{"activeskinrect", "fontname",  "fontheight",       "fontstyle",
                                         "fontcolor",      "disabledfontcolor", "activefontcolor", "buttonrect",
                                         "activebuttonrect", "downbuttonrect", "unenabledbuttonrect"};
const std::vector<std::string> kListBoxKeys{
    "itemrect",         "activeitemrect",     "focusitemrect",      "itemleftoffset",     "itemrightoffset",
    "itemtextrect",     "fontname",           "fontheight",         "fontstyle",          "fontcolor",
    "activefontcolor",  "focusfontcolor",     "captionrect",        "captionfontname",    "captionfontheight",
    "captionfontstyle", "captionfontcolor",   "upbuttonrect",       "activeupbuttonrect", "downupbuttonrect",
    "downbuttonrect",   "activedownbuttonrect", "downdownbuttonrect", "checkbuttonrect",  "activecheckbuttonrect",
    "downcheckbuttonrect", "vscrollbarname",  "hscrollbarname",     "bothhscrollbarname"};
const std::vector<std::string> kUpDownButtonKeys{"upbuttonrect",   "activeupbuttonrect",   "downupbuttonrect",
                                                 "downbuttonrect", "activedownbuttonrect", "downdownbuttonrect"};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<ClassKeys> kControlTable{
    {"button", &kCustomControlKeys, kButtonControlKeys},
    {"menubutton", &kCustomControlKeys, Joined(kButtonControlKeys, {"trackbuttonrect"})},
    {"checkradio", &kCustomControlKeys,
     {"fontname", "fontheight", "fontstyle", "fontcolor", "activefontcolor", "unenabledfontcolor", "framefontcolor",
      "activeskinrect", "checkimagearea", "textarea", "checkimagerect", "uncheckimagerect", "activecheckimagerect",
      "activeuncheckimagerect", "unenabledcheckimagerect", "unenableduncheckimagerect", "morphing", "morphkind"}},
    {"panel", &kCustomControlKeys,
     {"bgpictureindex", "captionrect", "alignment", "fontname", "fontheight", "fontstyle", "fontcolor",
      "checkimagerect", "uncheckimagerect"}},
    {"expanel", &kCustomControlKeys,
     {"rollhskinrect", "rollvskinrect", "rollleftoffset", "rollrightoffset", "rolltopoffset", "rollbottomoffset",
      "rollvcaptionrect", "rollhcaptionrect", "closebuttonrect", "closebuttonactiverect", "closebuttondownrect",
      "hrollbuttonrect", "hrollbuttonactiverect", "hrollbuttondownrect", "hrestorebuttonrect",
      "hrestorebuttonactiverect", "hrestorebuttondownrect", "vrollbuttonrect", "vrollbuttonactiverect",
      "vrollbuttondownrect", "vrestorebuttonrect", "vrestorebuttonactiverect", "vrestorebuttondownrect",
      "captionrect", "fontname", "fontheight", "fontstyle", "fontcolor"}},
    {"gauge", &kCustomControlKeys,
     {"progressarea", "progressrect", "beginoffset", "endoffset", "vertical", "fontname", "fontheight", "fontstyle",
      "fontcolor"}},
    {"splitter", &kCustomControlKeys, {}},
    {"trackbar", &kCustomControlKeys, {"trackarea", "buttonrect", "activebuttonrect", "vertical"}},
    {"label", &kCustomControlKeys, kFontKeys},
    {"stdlabel", &kControlKeys, Joined(kFontKeys, {"activefontcolor"})},
    {"updown", &kCustomControlKeys, kUpDownButtonKeys},
    {"grid", &kControlKeys,
     {"fixedcellrect", "selectcellrect", "focuscellrect", "fixedcellleftoffset", "fixedcellrightoffset",
      "fixedcelltextrect", "cellleftoffset", "cellrightoffset", "celltextrect", "linescolor", "bgcolor", "fontname",
      "fontheight", "fontstyle", "fontcolor", "selectfontcolor", "focusfontcolor", "fixedfontname", "fixedfontheight",
      "fixedfontstyle", "fixedfontcolor"}},
    {"tab", &kControlKeys,
     {"tabrect", "activetabrect", "focustabrect", "mouseintabrect", "clientrect", "bgpictureindex", "lefttoppoint",
      "righttoppoint", "leftbottompoint", "rightbottompoint", "tableftoffset", "tabrightoffset", "tabsbgrect",
      "fontname", "fontheight", "fontstyle", "fontcolor", "activefontcolor", "focusfontcolor", "mouseinfontcolor",
      "updown"}},
    {"mainmenubar", &kControlKeys,
     {"itemsrect", "menubaritem", "closebutton", "minbutton", "maxbutton", "sysmenubutton", "trackmarkcolor",
      "trackmarkactivecolor"}},
    {"controlbar", &kCustomControlKeys, {"itemrect", "bgpictureindex"}},
    {"edit", &kCustomControlKeys, kEditKeys},
    {"memo", &kCustomControlKeys, Joined(kEditKeys, {"bgcolor", "activebgcolor"})},
    {"listbox", &kCustomControlKeys, kListBoxKeys},
    {"checklistbox", &kCustomControlKeys, Joined(kListBoxKeys, {"itemcheckrect", "checkimagerect", "uncheckimagerect"})},
    {"combobox", &kCustomControlKeys,
     {"itemrect", "focusitemrect", "itemleftoffset", "itemrightoffset", "itemtextrect", "fontname", "fontheight",
      "fontstyle", "fontcolor", "focusfontcolor", "listboxname", "buttonrect", "activebuttonrect", "downbuttonrect",
      "unenabledbuttonrect"}},
    {"scrollbar", &kCustomControlKeys,
     Joined(Joined({"trackarea"}, kUpDownButtonKeys),
            {"thumbrect", "activethumbrect", "downthumbrect", "thumboffset1", "thumboffset2", "glyphrect",
             "activeglyphrect", "downglyphrect"})},
    {"spinedit", &kCustomControlKeys,
     Joined({"activeskinrect", "fontname", "fontheight", "fontstyle", "fontcolor", "activefontcolor",
             "disabledfontcolor"},
            kUpDownButtonKeys)},
    {"scrollbox", &kCustomControlKeys, {"bgpictureindex"}},
    {"treeview", &kControlKeys, Joined(kFontKeys, {"bgcolor"})},
    {"listview", &kControlKeys, Joined(kFontKeys, {"bgcolor"})},
    {"richedit", &kControlKeys, Joined(kFontKeys, {"bgcolor"})},
    {"bevel", &kControlKeys, {"lightcolor", "darkcolor"}},
    {"slider", &kControlKeys, {"bgcolor", "hrulerrect", "hthumbrect", "vrulerrect", "vthumbrect", "edgesize", "pointscolor"}},
};

const std::vector<std::string> kCornerKeys{"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"};
const std::vector<std::string> kStretchKeys{"leftstretch", "rightstretch", "topstretch", "bottomstretch"};
const std::vector<std::string> kPopupWindowKeys = Joined(
    Joined(Joined({"windowpictureindex", "maskpictureindex"}, kCornerKeys),
           {"itemsrect", "scrollmarkercolor", "scrollmarkeractivecolor"}),
    kStretchKeys);
const std::vector<std::string> kHintWindowKeys =
    Joined(Joined(Joined({"windowpictureindex", "maskpictureindex"}, kCornerKeys),
                  {"clientrect", "fontname", "fontheight", "fontstyle", "fontcolor"}),
           kStretchKeys);
// [FORMINFO] and the [VERSION] texts, as the skin data holds them.
const std::vector<std::string> kSkinDataKeys = Joined(
    Joined(Joined(kCornerKeys, {"clientrect", "bgpictureindex", "mdibgpictureindex", "maskrectarea",
                                "hittestlefttoppoint", "hittestrighttoppoint", "hittestleftbottompoint",
                                "hittestrightbottompoint", "buttonsrect", "captionrect", "buttonsoffset",
                                "buttonsinleft", "mainmenupopupup", "borderwidth", "autorenderinginactiveimage",
                                "inactiveeffect"}),
           kStretchKeys),
    {"skinname", "skinauthor", "authoremail", "authorurl", "skincomments"});

// The value kind that a key's name gives it.
std::string KindByName(const std::string& key) {
  const auto ends = [&](std::string_view tail) { return key.ends_with(tail); };
  static const std::set<std::string> booleans{"vertical",      "morphing",        "shadow",       "cycle",
                                              "buttonstyle",   "skinrectinapicture", "buttonsinleft",
                                              "mainmenupopupup", "autorenderinginactiveimage", "leftstretch",
                                              "rightstretch",  "topstretch",      "bottomstretch"};
  static const std::set<std::string> integers{"edgesize", "countframes", "timerinterval", "borderwidth"};
  if (booleans.contains(key)) return "boolean";
  if (integers.contains(key) || ends("offset") || ends("offset1") || ends("offset2")) return "integer";
  if (key == "morphkind" || key == "alignment" || key == "command") return key;
  if (key == "inactiveeffect") return "effect";
  if (ends("rect") || ends("area") || key == "disableskinrsect") return "rectangle";
  if (ends("point")) return "point";
  if (ends("color") || ends("Color")) return "colour";
  if (ends("pictureindex")) return "picture index";
  if (ends("fontname")) return "font name";
  if (ends("fontheight")) return "font height";
  if (ends("fontstyle")) return "font styles";
  return "text";
}

class KeyKinds : public SkinFieldVisitor {
 public:
  std::map<std::string, std::string> kinds;
  void Integer(const std::string& k, int32_t&, int32_t) override { Add(k, "integer"); }
  void Color(const std::string& k, TColor&, TColor) override { Add(k, "colour"); }
  void PictureIndex(const std::string& k, int32_t&) override { Add(k, "picture index"); }
  void Boolean(const std::string& k, bool&) override { Add(k, "boolean"); }
  void Rect(const std::string& k, TRect&) override { Add(k, "rectangle"); }
  void Point(const std::string& k, TPoint&) override { Add(k, "point"); }
  void FontName(const std::string& k, std::string&) override { Add(k, "font name"); }
  void FontHeight(const std::string& k, int32_t&) override { Add(k, "font height"); }
  void FontStyles(const std::string& k, TSkinFontStyles&) override { Add(k, "font styles"); }
  void Alignment(const std::string& k, TSkinAlignment&) override { Add(k, "alignment"); }
  void MorphKind(const std::string& k, TMorphKind&) override { Add(k, "morphkind"); }
  void Effect(const std::string& k, TSkinEffect&) override { Add(k, "effect"); }
  void Command(const std::string& k, TSkinCommand&) override { Add(k, "command"); }
  void Text(const std::string& k, std::string&, const std::string&) override { Add(k, "text"); }

 private:
  void Add(const std::string& key, const char* kind) { kinds[key] = kind; }
};

template <class T>
void ExpectKeys(T& data, const std::vector<std::string>* base, const std::vector<std::string>& own,
                const std::string& what) {
  KeyKinds walk;
  data.VisitFields(walk);
  std::set<std::string> expected(own.begin(), own.end());
  if (base) expected.insert(base->begin(), base->end());
  std::set<std::string> visited;
  for (const auto& [key, kind] : walk.kinds) {
    visited.insert(key);
    EXPECT_EQ(kind, KindByName(key)) << what << ": \"" << key << "\"";
  }
  EXPECT_EQ(visited, expected) << what;
}

TEST(SkinDataClasses, EachClassReadsTheKeysOfItsTypeWordWithTheirKinds) {
  for (const ClassKeys& row : kObjectTable) {
    auto object = CreateSkinObject(row.typeWord, "s");
    ASSERT_TRUE(object) << row.typeWord;
    ExpectKeys(*object, row.base, row.own, std::string("object type ") + row.typeWord);
  }
  for (const ClassKeys& row : kControlTable) {
    auto control = CreateSkinControl(row.typeWord, "s");
    ASSERT_TRUE(control) << row.typeWord;
    ExpectKeys(*control, row.base, row.own, std::string("control type ") + row.typeWord);
  }
  TDataSkinPopupWindow popup;
  ExpectKeys(popup, nullptr, kPopupWindowKeys, "[POPUPWINDOW]");
  TDataSkinHintWindow hint;
  ExpectKeys(hint, nullptr, kHintWindowKeys, "[HINTWINDOW]");
  TSkinData data(nullptr);
  ExpectKeys(data, nullptr, kSkinDataKeys, "[FORMINFO] and [VERSION]");
}

}  // namespace
