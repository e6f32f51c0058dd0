// TSkinData: loading packed and stored skins into the data model, the
// [FORMINFO] adjustments, the entry tables, lookups, the notices and what a
// failed load leaves.
#include "skin/data/skin_data.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "persist/class_registry.h"
#include "base/exceptions.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "formc/text_form.h"
#include "skin/data/skin_notices.h"
#include "skin/data/skin_package.h"
#include "skin/data/zlib_stream.h"
#include "skin_test_files.h"

namespace {

class RecordingSink : public SkinNoticeSink {
 public:
  std::vector<uint32_t> messages;
  std::vector<TSkinData*> senders;
  // What the skin data showed each receiver when the notice arrived.
  std::vector<bool> noSkin;
  std::vector<size_t> objectCounts;

  void Broadcast(TSkinData& sender, uint32_t message) override {
    messages.push_back(message);
    senders.push_back(&sender);
    noSkin.push_back(sender.NoSkin());
    objectCounts.push_back(sender.SkinObjects().size());
  }
};

const std::vector<uint32_t> kFullLoad{SkinChangingMessage, SkinChangedMessage, SkinChangeDoneMessage};
const std::vector<uint32_t> kStopped{SkinChangingMessage};

class TOwner : public TComponent {
 public:
  TOwner() : TComponent(nullptr) {}
  std::string_view ClassName() const override { return "TOwner"; }
};

// Our program's skin.ini in miniature: the values of its [FORMINFO], its
// objects, [button], the pop-up and hint windows, with a few more controls.
const char* const kSkinIni = R"([VERSION]
ver=1
skinname=Vesper
skinauthor=Vespermark developers
authoremail=skins@vespermark.example
authorurl=https://vespermark.example
skincomments=Dark title band, light buttons

[PICTURES]
picture=picture.bmp
inactivepicture=
mask=mask.bmp
activepicturescount=8
0=buttons.bmp
1=menuitem.bmp
2=popup.bmp
3=button.bmp
4=popupmask.bmp
5=buttonmask.bmp
6=client.bmp
7=hint.bmp

[FORMINFO]
lefttoppoint=48,35
righttoppoint=99,34
leftbottompoint=20,117
rightbottompoint=141,117
clientrect=15,33,163,124
maskrectarea=5,6,170,141
hittestlefttoppoint=14,14
hittestrighttoppoint=165,8
hittestleftbottompoint=12,134
hittestrightbottompoint=159,133
mainmenurect=0,0,0,0
iconrect=0,0,0,0
borderwidth=5
inactiveeffect=iebrightness
buttonsrect=100,4,168,18
captionrect=40,2,104,19
bgpictureindex=6

[SKINOBJECTS]
count=12
0=caption1:caption
1=closebutton:stdbutton
2=maxbutton:stdbutton
3=minbutton:stdbutton
4=rollupbutton:stdbutton
5=MENUITEM:menuitem
6=mainmenubaritem:mainmenubaritem
7=mainmenubarbutton1:mainmenubarbutton
8=mainmenubarbutton2:mainmenubarbutton
9=mainmenubarbutton3:mainmenubarbutton
10=mainmenubarbutton4:mainmenubarbutton
11=sysmenubutton:stdbutton

[caption1]
hint=
activepictureindex=-1
skinrect=41,3,102,18
activeskinrect=0,0,0,0
morphing=0
morphkind=mkdefault
textrect=2,1,60,14
fontname=Arial
fontheight=14
fontstyle=fsbold
fontcolor=12632256
activefontcolor=16777215
alignment=tacenter
shadow=1
shadowcolor=0
activeshadowcolor=0

[rollupbutton]
hint=RollUp
activepictureindex=0
skinrect=104,6,113,15
downrect=12,16,21,25
command=cmrollup

[closebutton]
hint=Close
activepictureindex=0
skinrect=155,6,164,15
downrect=12,16,21,25
command=cmclose

[minbutton]
hint=Minimize
activepictureindex=0
skinrect=121,6,130,15
downrect=12,16,21,25
command=cmminimize

[maxbutton]
hint=Maximize
activepictureindex=0
skinrect=138,6,147,15
downrect=12,16,21,25
command=cmmaximize

[sysmenubutton]
hint=System menu
activepictureindex=0
skinrect=12,6,21,15
downrect=12,6,21,15
command=cmsysmenu

[menuitem]
activepictureindex=1
skinrect=0,22,65,44
activeskinrect=0,0,65,22
itemleftoffset=2
itemrightoffset=2
dividerrect=0,29,65,37
dividerleftoffset=2
dividerrightoffset=2
textrect=5,2,59,20
fontname=Arial
fontheight=14
fontstyle=
fontcolor=0
activefontcolor=33023
unenabledfontcolor=8421504

[POPUPWINDOW]
windowpictureindex=2
maskpictureindex=4
lefttoppoint=17,6
righttoppoint=85,7
leftbottompoint=20,44
rightbottompoint=83,45
itemsrect=19,7,85,48
scrollmarkercolor=0
scrollmarkeractivecolor=0

[HINTWINDOW]
windowpictureindex=7
maskpictureindex=-1
lefttoppoint=9,1
righttoppoint=27,1
leftbottompoint=9,15
rightbottompoint=27,15
clientrect=9,1,28,16
fontname=Arial
fontheight=14
fontstyle=
fontcolor=0

[SKINCONTROLS]
count=6
0=button:button
1=checkradio:checkradio
2=vscrollbar:scrollbar
3=header:header
5=updown:updown

[button]
pictureindex=3
maskpictureindex=5
skinrect=0,1,66,22
lefttoppoint=10,11
righttoppoint=52,11
leftbottompoint=0,0
rightbottompoint=0,0
clientrect=7,2,59,19
fontname=Arial
fontheight=14
fontstyle=fsbold
fontcolor=0
activefontcolor=16777215
downfontcolor=16777215
disabledfontcolor=8421504
activeskinrect=0,0,0,0
downskinrect=0,24,66,45
disabledskinrect=0,0,0,0
morphing=0
morphkind=mkdefault
)";

SkinPackage ProgramLikePackage(const std::string& iniText = kSkinIni) {
  SkinPackage package;
  package.pictures.picture.LoadFromBytes(MakeBmp(176, 147, 8, 1));
  package.pictures.mask.LoadFromBytes(MakeBmp(176, 147, 1, 2));
  for (uint8_t i = 0; i < 8; ++i) {
    TSkinBitmap bitmap;
    bitmap.LoadFromBytes(MakeBmp(10 + i, 5 + i, i % 2 ? 24 : 8, i));
    package.pictures.activePictures.push_back(std::move(bitmap));
  }
  package.iniText = iniText;
  return package;
}

std::vector<uint8_t> PackageBytes(const SkinPackage& package) {
  TMemoryStream stream;
  WriteSkinPackage(stream, package);
  return Contents(stream);
}

void StoreCompressed(TCompressedStoredSkin& stored, const std::vector<uint8_t>& packageBytes) {
  TMemoryStream raw(packageBytes);
  stored.CompressedStream().Clear();
  PackStream(raw, stored.CompressedStream());
}

// A skin definition alone, loaded through a stored skin without pictures.
// The main sections are added unless the text has them.
void LoadDefinition(TSkinData& data, std::string text) {
  for (const char* section : {"[VERSION]", "[PICTURES]", "[FORMINFO]", "[SKINOBJECTS]", "[SKINCONTROLS]"})
    if (text.find(section) == std::string::npos) text += std::string("\n") + section + "\n";
  TStoredSkin stored(nullptr);
  TStringList lines;
  lines.SetText(text);
  stored.SetIniStrings(lines);
  data.LoadStoredSkin(stored);
}

class SkinDataTest : public testing::Test {
 protected:
  RecordingSink notices;
  ScopedSkinNoticeSink installed{notices};
  TOwner owner;
  TSkinData* data = new TSkinData(&owner);
  TCompressedStoredSkin* compressed = new TCompressedStoredSkin(&owner);

  void LoadProgramLikeSkin() {
    StoreCompressed(*compressed, PackageBytes(ProgramLikePackage()));
    data->SetCompressedStoredSkin(compressed);
  }
};

TEST_F(SkinDataTest, LoadsAWholeSkinFromACompressedPackage) {
  LoadProgramLikeSkin();

  EXPECT_EQ(notices.messages, kFullLoad);
  EXPECT_EQ(notices.senders, std::vector<TSkinData*>(3, data));
  // Receivers see no skin while it changes and the whole new one after.
  EXPECT_EQ(notices.noSkin, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(notices.objectCounts, (std::vector<size_t>{0, 12, 12}));
  EXPECT_FALSE(data->NoSkin());

  EXPECT_EQ(data->PictureBitmap().Width(), 176);
  EXPECT_EQ(data->PictureBitmap().BitCount(), 8);
  EXPECT_TRUE(data->InactivePictureBitmap().Empty());
  EXPECT_EQ(data->MaskBitmap().BitCount(), 1);
  ASSERT_EQ(data->ActivePictureBitmaps().size(), 8u);
  EXPECT_EQ(data->ActivePictureBitmaps()[7].Width(), 17);
  EXPECT_EQ(data->PictureName(), "picture.bmp");
  EXPECT_EQ(data->InactivePictureName(), "");
  EXPECT_EQ(data->MaskName(), "mask.bmp");
  ASSERT_EQ(data->ActivePictureNames().Count(), 8);
  EXPECT_EQ(data->ActivePictureNames()[3], "button.bmp");
  EXPECT_EQ(data->skinname, "Vesper");
  EXPECT_EQ(data->authorurl, "https://vespermark.example");

  // [FORMINFO]: the mask area already covers the client area, every hit-test
  // point is set and the corners lie inside it, so nothing moves.
  EXPECT_EQ(data->maskrectarea, (TRect{5, 6, 170, 141}));
  EXPECT_EQ(data->hittestrighttoppoint, (TPoint{165, 8}));
  EXPECT_EQ(data->hittestrightbottompoint, (TPoint{159, 133}));
  EXPECT_EQ(data->lefttoppoint, (TPoint{48, 35}));
  EXPECT_EQ(data->righttoppoint, (TPoint{99, 34}));
  EXPECT_EQ(data->leftbottompoint, (TPoint{20, 117}));
  EXPECT_EQ(data->rightbottompoint, (TPoint{141, 117}));
  EXPECT_EQ(data->clientrect, (TRect{15, 33, 163, 124}));
  EXPECT_EQ(data->borderwidth, 5);
  EXPECT_EQ(data->inactiveeffect, TSkinEffect::iebrightness);
  EXPECT_EQ(data->buttonsrect, (TRect{100, 4, 168, 18}));
  EXPECT_EQ(data->bgpictureindex, 6);
  EXPECT_EQ(data->mdibgpictureindex, -1);

  ASSERT_EQ(data->SkinObjects().size(), 12u);
  EXPECT_EQ(data->IndexOfObject("MENUITEM"), 5);
  EXPECT_EQ(data->IndexOfObject("menuitem"), -1);
  EXPECT_EQ(data->IndexOfObject("sysmenubutton"), 11);
  auto& caption = dynamic_cast<TDataSkinCaption&>(*data->SkinObjects()[0]);
  EXPECT_EQ(caption.skinrect, (TRect{41, 3, 102, 18}));
  EXPECT_EQ(caption.fontstyle, fsBold);
  EXPECT_EQ(caption.fontcolor, 12632256);
  EXPECT_EQ(caption.alignment, TSkinAlignment::taCenter);
  EXPECT_TRUE(caption.shadow);
  EXPECT_EQ(caption.activepictureindex, -1);
  const TSkinCommand commands[] = {TSkinCommand::cmclose, TSkinCommand::cmmaximize, TSkinCommand::cmminimize,
                                   TSkinCommand::cmrollup};
  for (int i = 1; i <= 4; ++i)
    EXPECT_EQ(dynamic_cast<TDataSkinStdButton&>(*data->SkinObjects()[i]).command, commands[i - 1]);
  auto& sysMenu = dynamic_cast<TDataSkinStdButton&>(*data->SkinObjects()[11]);
  EXPECT_EQ(sysMenu.command, TSkinCommand::cmsysmenu);
  EXPECT_EQ(sysMenu.hint, "System menu");
  EXPECT_EQ(sysMenu.downrect, (TRect{12, 6, 21, 15}));
  // The section is headed [menuitem]: sections are found in any case.
  auto& menuItem = dynamic_cast<TDataSkinMenuItem&>(*data->SkinObjects()[5]);
  EXPECT_EQ(menuItem.activefontcolor, 33023);
  EXPECT_EQ(menuItem.dividerrect, (TRect{0, 29, 65, 37}));
  EXPECT_EQ(menuItem.fontstyle, 0);
  EXPECT_EQ(data->SkinObjects()[6]->ClassName(), "TDataSkinMainMenuBarItem");
  EXPECT_EQ(data->SkinObjects()[7]->ClassName(), "TDataSkinMainMenuBarButton");
  EXPECT_EQ(dynamic_cast<TDataSkinStdButton&>(*data->SkinObjects()[7]).command, TSkinCommand::cmdefault);

  // "header" is no control type; the gap at 4 is skipped.
  ASSERT_EQ(data->SkinControls().size(), 4u);
  EXPECT_EQ(data->IndexOfControl("button"), 0);
  EXPECT_EQ(data->IndexOfControl("Button"), -1);
  EXPECT_EQ(data->IndexOfControl("header"), -1);
  EXPECT_EQ(data->IndexOfControl("updown"), 3);
  auto& button = dynamic_cast<TDataSkinButtonControl&>(*data->SkinControls()[0]);
  EXPECT_EQ(button.ClassName(), "TDataSkinButtonControl");
  EXPECT_EQ(button.pictureindex, 3);
  EXPECT_EQ(button.maskpictureindex, 5);
  EXPECT_EQ(button.skinrect, (TRect{0, 1, 66, 22}));
  EXPECT_EQ(button.righttoppoint, (TPoint{52, 11}));
  EXPECT_EQ(button.clientrect, (TRect{7, 2, 59, 19}));
  EXPECT_EQ(button.fontheight, 14);
  EXPECT_EQ(button.fontstyle, fsBold);
  EXPECT_EQ(button.activefontcolor, 16777215);
  EXPECT_EQ(button.disabledfontcolor, 8421504);
  EXPECT_EQ(button.downskinrect, (TRect{0, 24, 66, 45}));
  EXPECT_FALSE(button.morphing);
  auto& scrollBar = dynamic_cast<TDataSkinScrollBarControl&>(*data->SkinControls()[2]);
  EXPECT_EQ(scrollBar.pictureindex, -1);

  const TDataSkinPopupWindow& popup = data->PopupWindow();
  EXPECT_EQ(popup.windowpictureindex, 2);
  EXPECT_EQ(popup.maskpictureindex, 4);
  EXPECT_EQ(popup.rightbottompoint, (TPoint{83, 45}));
  EXPECT_EQ(popup.itemsrect, (TRect{19, 7, 85, 48}));
  EXPECT_FALSE(popup.topstretch);
  const TDataSkinHintWindow& hint = data->HintWindow();
  EXPECT_EQ(hint.windowpictureindex, 7);
  EXPECT_EQ(hint.maskpictureindex, -1);
  EXPECT_EQ(hint.clientrect, (TRect{9, 1, 28, 16}));
  EXPECT_EQ(hint.fontheight, 14);
}

TEST_F(SkinDataTest, FormInfoAdjustmentsFollowTheMaskAndTheClientArea) {
  const std::string pictures = "[PICTURES]\nmask=mask.bmp\n";
  // With a mask, an empty mask area becomes the client area and unset
  // hit-test points take their corner points.
  LoadDefinition(*data, pictures +
                            "[FORMINFO]\nclientrect=15,33,163,124\nmaskrectarea=9,9,9,50\n"
                            "lefttoppoint=20,40\nrighttoppoint=150,40\nleftbottompoint=20,110\n"
                            "rightbottompoint=150,110\nhittestlefttoppoint=0,14\nhittestrighttoppoint=165,8\n"
                            "hittestleftbottompoint=12,0\n");
  EXPECT_EQ(data->maskrectarea, (TRect{15, 33, 163, 124}));
  EXPECT_EQ(data->hittestlefttoppoint, (TPoint{20, 40}));
  EXPECT_EQ(data->hittestrighttoppoint, (TPoint{165, 8}));
  EXPECT_EQ(data->hittestleftbottompoint, (TPoint{20, 110}));
  EXPECT_EQ(data->hittestrightbottompoint, (TPoint{150, 110}));

  // A mask area that covers only part of the client area is widened to all of it.
  LoadDefinition(*data, pictures + "[FORMINFO]\nclientrect=15,33,163,124\nmaskrectarea=20,6,170,100\n");
  EXPECT_EQ(data->maskrectarea, (TRect{15, 6, 170, 124}));

  // Without a mask nothing of the mask area or the hit-test points changes.
  LoadDefinition(*data, "[FORMINFO]\nclientrect=15,33,163,124\nmaskrectarea=20,6,170,100\n"
                        "lefttoppoint=20,40\n");
  EXPECT_EQ(data->maskrectarea, (TRect{20, 6, 170, 100}));
  EXPECT_EQ(data->hittestlefttoppoint, TPoint{});

  // Corner points outside the client area are pulled into it...
  LoadDefinition(*data, "[FORMINFO]\nclientrect=15,33,163,124\nlefttoppoint=5,5\nrighttoppoint=170,20\n"
                        "leftbottompoint=10,130\nrightbottompoint=200,200\n");
  EXPECT_EQ(data->lefttoppoint, (TPoint{15, 33}));
  EXPECT_EQ(data->righttoppoint, (TPoint{163, 33}));
  EXPECT_EQ(data->leftbottompoint, (TPoint{15, 124}));
  EXPECT_EQ(data->rightbottompoint, (TPoint{163, 124}));
  // ...but not when they do not span an area, nor when all are absent.
  LoadDefinition(*data, "[FORMINFO]\nclientrect=15,33,163,124\nlefttoppoint=5,5\nrightbottompoint=5,200\n");
  EXPECT_EQ(data->lefttoppoint, (TPoint{5, 5}));
  LoadDefinition(*data, pictures + "[FORMINFO]\nclientrect=15,33,163,124\n");
  EXPECT_EQ(data->lefttoppoint, TPoint{});
  EXPECT_EQ(data->rightbottompoint, TPoint{});
  EXPECT_EQ(data->hittestlefttoppoint, TPoint{});
}

TEST_F(SkinDataTest, EntriesWithGapsBlanksAndUnknownTypesAreSkippedOrReadDefaults) {
  LoadDefinition(*data,
                 "[SKINOBJECTS]\ncount=7\n0=caption1:caption\n2=spaced: caption\n3=named :caption\n"
                 "4=:caption\n5=nocolon\n6=a:b:caption\n7=beyond:caption\n"
                 "[named]\nskinrect=1,2,3,4\n[caption1]\nskinrect=5,6,7,8\n"
                 "[SKINCONTROLS]\ncount=3\n0=x:Button\n1=btn:button\n2=btn:menubutton\n"
                 "[btn]\nskinrect=1,1,2,2\n");
  EXPECT_FALSE(data->NoSkin());
  ASSERT_EQ(data->SkinObjects().size(), 3u);
  EXPECT_EQ(data->SkinObjects()[0]->skinrect, (TRect{5, 6, 7, 8}));
  // A name ending in a blank finds no section, as headers are trimmed.
  EXPECT_EQ(data->SkinObjects()[1]->IDName, "named ");
  EXPECT_EQ(data->SkinObjects()[1]->skinrect, TRect{});
  EXPECT_EQ(data->SkinObjects()[2]->IDName, "");
  EXPECT_EQ(data->IndexOfObject(""), 2);
  EXPECT_EQ(data->IndexOfObject("beyond"), -1);

  // Duplicate names are kept; only the first is found.
  ASSERT_EQ(data->SkinControls().size(), 2u);
  EXPECT_EQ(data->IndexOfControl("btn"), 0);
  EXPECT_EQ(data->SkinControls()[1]->ClassName(), "TDataSkinMenuButtonControl");
  EXPECT_EQ(data->SkinControls()[1]->skinrect, (TRect{1, 1, 2, 2}));
}

TEST_F(SkinDataTest, AConversionErrorKeepsWhatWasReadAndSendsNoAfterNotice) {
  const std::string broken = std::string(kSkinIni) + "[mainmenubaritem]\nskinrect=\n";
  StoreCompressed(*compressed, PackageBytes(ProgramLikePackage(broken)));
  EXPECT_THROW(data->SetCompressedStoredSkin(compressed), EConvertError);
  EXPECT_EQ(data->CompressedStoredSkin(), compressed);
  EXPECT_EQ(notices.messages, kStopped);
  EXPECT_TRUE(data->NoSkin());
  EXPECT_EQ(data->ActivePictureBitmaps().size(), 8u);
  EXPECT_EQ(data->PictureBitmap().Width(), 176);
  EXPECT_EQ(data->clientrect, (TRect{15, 33, 163, 124}));
  // The failing object is listed; nothing after it is read.
  ASSERT_EQ(data->SkinObjects().size(), 7u);
  EXPECT_EQ(data->SkinObjects()[6]->IDName, "mainmenubaritem");
  EXPECT_EQ(data->SkinObjects()[5]->skinrect, (TRect{0, 22, 65, 44}));
  EXPECT_TRUE(data->SkinControls().empty());
}

TEST_F(SkinDataTest, ABrokenPackageKeepsThePicturesReadBeforeTheError) {
  LoadDefinition(*data, "[PICTURES]\ninactivepicture=dim.bmp\n");
  ASSERT_EQ(data->InactivePictureName(), "dim.bmp");
  notices.messages.clear();
  // Cut in the middle of the third active picture.
  const SkinPackage package = ProgramLikePackage();
  size_t cut = 4 + 1 + package.pictures.picture.FileBytes().size() + 1 + 1 + package.pictures.mask.FileBytes().size() + 4;
  for (int i = 0; i < 2; ++i) cut += package.pictures.activePictures[i].FileBytes().size();
  std::vector<uint8_t> bytes = PackageBytes(package);
  bytes.resize(cut + 20);
  StoreCompressed(*compressed, bytes);
  EXPECT_THROW(data->LoadCompressedStoredSkin(*compressed), EReadError);
  EXPECT_EQ(notices.messages, kStopped);
  EXPECT_TRUE(data->NoSkin());
  EXPECT_EQ(data->PictureBitmap().Width(), 176);
  EXPECT_EQ(data->MaskBitmap().BitCount(), 1);
  EXPECT_EQ(data->ActivePictureBitmaps().size(), 2u);
  // No name of the old skin stays beside the new pictures.
  EXPECT_EQ(data->InactivePictureName(), "");
  EXPECT_EQ(data->ActivePictureNames().Count(), 0);

  // Data that is not a zlib stream at all.
  compressed->CompressedStream().Clear();
  compressed->CompressedStream().WriteBuffer("not zlib", 8);
  EXPECT_THROW(data->LoadCompressedStoredSkin(*compressed), EDecompressionError);
  EXPECT_TRUE(data->NoSkin());
  EXPECT_TRUE(data->PictureBitmap().Empty());
}

TEST_F(SkinDataTest, AWrongMarkerLeavesNoSkinAndEndsTheLoad) {
  LoadProgramLikeSkin();
  notices.messages.clear();
  std::vector<uint8_t> bytes = PackageBytes(ProgramLikePackage());
  bytes[0] = 2;
  StoreCompressed(*compressed, bytes);
  data->LoadCompressedStoredSkin(*compressed);
  EXPECT_EQ(notices.messages, kFullLoad);
  EXPECT_TRUE(data->NoSkin());
  EXPECT_TRUE(data->PictureBitmap().Empty());
  EXPECT_TRUE(data->ActivePictureBitmaps().empty());
  EXPECT_TRUE(data->SkinObjects().empty());
  EXPECT_EQ(data->PopupWindow().windowpictureindex, -1);
  EXPECT_EQ(data->HintWindow().windowpictureindex, -1);
}

TEST_F(SkinDataTest, EmptyDataAndNullKeepTheSkinWithoutANotice) {
  LoadProgramLikeSkin();
  notices.messages.clear();
  auto* empty = new TCompressedStoredSkin(&owner);
  data->SetCompressedStoredSkin(empty);
  EXPECT_EQ(data->CompressedStoredSkin(), empty);
  data->SetCompressedStoredSkin(nullptr);
  EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
  EXPECT_TRUE(notices.messages.empty());
  EXPECT_FALSE(data->NoSkin());
  EXPECT_EQ(data->SkinObjects().size(), 12u);

  // Assigning the same stored skin again loads it again.
  data->SetCompressedStoredSkin(compressed);
  data->SetCompressedStoredSkin(compressed);
  EXPECT_EQ(notices.messages.size(), 6u);
}

TEST_F(SkinDataTest, DestroyingAStoredSkinClearsTheReferenceAndKeepsTheSkin) {
  LoadProgramLikeSkin();
  auto* stored = new TStoredSkin(&owner);
  TStringList lines;
  lines.SetText(kSkinIni);
  stored->SetIniStrings(lines);
  data->SetStoredSkin(stored);
  EXPECT_EQ(data->StoredSkin(), stored);
  delete compressed;
  delete stored;
  EXPECT_EQ(data->CompressedStoredSkin(), nullptr);
  EXPECT_EQ(data->StoredSkin(), nullptr);
  EXPECT_FALSE(data->NoSkin());
  EXPECT_EQ(data->SkinObjects().size(), 12u);
}

// Holds a reference to a skin data, as a frame or a button does, and looks at
// it when told it goes.
class SkinWatcher : public TComponent {
 public:
  explicit SkinWatcher(TComponent* owner, TSkinData* skin) : TComponent(owner), FSkin(skin) {
    FreeNotification(skin);
  }
  std::string_view ClassName() const override { return "SkinWatcher"; }
  bool told = false, sawNoSkin = false;
  std::vector<std::string> namesSeen;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (component != FSkin || operation != TOperation::opRemove || told) return;
    told = true;
    sawNoSkin = FSkin->NoSkin();
    for (const auto& object : FSkin->SkinObjects()) namesSeen.push_back(object->IDName);
  }

 private:
  TSkinData* FSkin;
};

TEST_F(SkinDataTest, WhoHearsTheSkinDataGoSeesNoSkinAndWholeLists) {
  LoadProgramLikeSkin();
  SkinWatcher referencing(nullptr, data);
  auto* sibling = new SkinWatcher(&owner, data);
  delete data;
  for (const SkinWatcher* watcher : {&referencing, sibling}) {
    EXPECT_TRUE(watcher->told);
    EXPECT_TRUE(watcher->sawNoSkin);
    EXPECT_EQ(watcher->namesSeen.size(), 12u) << "the objects were still there to read";
  }
}

TEST_F(SkinDataTest, AStoredSkinIsCopiedAndOneWithoutAMainSectionLeavesNoSkin) {
  TStoredSkin stored(nullptr);
  {
    TMemoryStream pictures;
    WriteSkinPictures(pictures, ProgramLikePackage().pictures);
    pictures.SetPosition(0);
    stored.ReadPicturesData(pictures);
  }
  TStringList lines;
  lines.SetText(kSkinIni);
  stored.SetIniStrings(lines);
  data->LoadStoredSkin(stored);
  EXPECT_EQ(notices.messages, kFullLoad);
  EXPECT_FALSE(data->NoSkin());
  EXPECT_EQ(data->ActivePictureBitmaps().size(), 8u);
  EXPECT_EQ(data->ActivePictureBitmaps()[2].FileBytes(), stored.ActivePictureBitmaps()[2].FileBytes());
  EXPECT_EQ(data->MaskBitmap().BitCount(), 1);
  EXPECT_EQ(data->SkinControls().size(), 4u);

  notices.messages.clear();
  lines.SetText(std::string(kSkinIni).replace(std::string(kSkinIni).find("[FORMINFO]"), 10, "[FORM]"));
  stored.SetIniStrings(lines);
  data->LoadStoredSkin(stored);
  EXPECT_EQ(notices.messages, kFullLoad);
  EXPECT_TRUE(data->NoSkin());
  EXPECT_TRUE(data->ActivePictureBitmaps().empty());
  EXPECT_TRUE(data->SkinControls().empty());
}

class TSkinTestForm : public TComponent {
 public:
  TSkinTestForm() : TComponent(nullptr) {}
  std::string_view ClassName() const override { return "TSkinTestForm"; }
};

TEST(SkinDataForm, BindingTheCompressedStoredSkinInAFormLoadsIt) {
  RegisterComponentClass<TSkinData>("TSkinData");
  RegisterComponentClass<TCompressedStoredSkin>("TCompressedStoredSkin");
  TMemoryStream packed;
  {
    TMemoryStream raw(PackageBytes(ProgramLikePackage()));
    PackStream(raw, packed);
  }
  std::string hex;
  for (size_t i = 0; i < size_t(packed.Size()); ++i) {
    static const char digits[] = "0123456789ABCDEF";
    hex += digits[packed.Memory()[i] >> 4];
    hex += digits[packed.Memory()[i] & 15];
  }
  RecordingSink notices;
  ScopedSkinNoticeSink installed(notices);
  TSkinTestForm form;
  // The skin data comes first and its reference is bound when all is read.
  LoadForm(form, WriteFormStream(ParseTextForm("object Form1: TSkinTestForm\n"
                                               "  object SkinData1: TSkinData\n"
                                               "    CompressedStoredSkin = CompressedStoredSkin1\n  end\n"
                                               "  object CompressedStoredSkin1: TCompressedStoredSkin\n"
                                               "    FileName = 'skin.ini'\n    CompressedData = {" +
                                               hex + "}\n  end\nend\n")));
  auto* data = dynamic_cast<TSkinData*>(form.FindComponent("SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(notices.messages, kFullLoad);
  EXPECT_FALSE(data->NoSkin());
  EXPECT_EQ(data->CompressedStoredSkin(), form.FindComponent("CompressedStoredSkin1"));
  EXPECT_EQ(data->IndexOfControl("button"), 0);
}

}  // namespace

namespace {

// A skin drawn at 150 % besides its 100 % pictures: the same definition,
// pictures half as large again.
SkinPackage ProgramLikePackageAt150() {
  SkinPackage package = ProgramLikePackage();
  package.pictures.picture.LoadFromBytes(MakeBmp(264, 221, 8, 3));
  package.pictures.mask.LoadFromBytes(MakeBmp(264, 221, 1, 4));
  return package;
}

std::vector<uint8_t> CompressedBytes(const SkinPackage& package) {
  TMemoryStream raw(PackageBytes(package)), packed;
  PackStream(raw, packed);
  return Contents(packed);
}

const TDataSkinCaption& Caption(const TSkinData& data) {
  return dynamic_cast<const TDataSkinCaption&>(*data.SkinObjects().at(size_t(data.IndexOfObject("caption1"))));
}

TEST_F(SkinDataTest, FollowsTheDensityWithTheNearestPackageOrWholePixelsPastIt) {
  StoreCompressed(*compressed, PackageBytes(ProgramLikePackage()));
  compressed->SetScaledData(150, CompressedBytes(ProgramLikePackageAt150()));
  data->SetCompressedStoredSkin(compressed);
  notices.messages.clear();

  data->SetPixelsPerInch(144);
  // Loaded again, from the 150 % package, its pictures as drawn.
  EXPECT_EQ(notices.messages, kFullLoad);
  EXPECT_EQ(data->LoadedScale(), (SkinScaleChoice{150, 1, 1}));
  EXPECT_EQ(data->PictureBitmap().Width(), 264);
  EXPECT_EQ(data->PictureBitmap().BitCount(), 8);
  // The definition's lengths meet them: rectangles by place and size, points, widths, fonts.
  EXPECT_EQ(data->clientrect, (TRect{23, 50, 245, 187}));
  EXPECT_EQ(data->lefttoppoint, (TPoint{72, 53}));
  EXPECT_EQ(data->borderwidth, 8);
  EXPECT_EQ(Caption(*data).skinrect, (TRect{62, 5, 154, 28}));
  EXPECT_EQ(Caption(*data).fontheight, 21);
  // Colours and indices are no lengths.
  EXPECT_EQ(Caption(*data).fontcolor, TColor(12632256));
  EXPECT_EQ(data->bgpictureindex, 6);

  data->SetPixelsPerInch(288);
  // 300 %: the 150 % pictures doubled pixel for pixel, the lengths with them.
  EXPECT_EQ(data->LoadedScale(), (SkinScaleChoice{150, 2, 1}));
  EXPECT_EQ(data->PictureBitmap().Width(), 528);
  EXPECT_EQ(data->PictureBitmap().BitCount(), 8);
  EXPECT_EQ(data->clientrect, (TRect{46, 100, 490, 374}));

  data->SetPixelsPerInch(96);
  EXPECT_EQ(data->PictureBitmap().Width(), 176);
  EXPECT_EQ(data->clientrect, (TRect{15, 33, 163, 124}));
}

TEST_F(SkinDataTest, ASkinOfOneScaleIsStretchedToTheDensity) {
  data->SetPixelsPerInch(144);
  LoadProgramLikeSkin();
  EXPECT_EQ(data->LoadedScale(), (SkinScaleChoice{100, 144, 96}));
  // Not a whole multiple: smoothly, so in true colour; the mask stays a mask.
  EXPECT_EQ(data->PictureBitmap().Width(), 264);
  EXPECT_EQ(data->PictureBitmap().BitCount(), 24);
  EXPECT_EQ(data->MaskBitmap().BitCount(), 1);
  EXPECT_EQ(data->clientrect, (TRect{23, 50, 245, 187}));

  // A stored skin likewise.
  TStringList lines;
  lines.SetText(kSkinIni);
  TStoredSkin stored(nullptr);
  stored.SetIniStrings(lines);
  data->SetPixelsPerInch(192);
  data->LoadStoredSkin(stored);
  EXPECT_EQ(data->LoadedScale(), (SkinScaleChoice{100, 192, 96}));
  EXPECT_EQ(data->clientrect, (TRect{30, 66, 326, 248}));
}

}  // namespace
