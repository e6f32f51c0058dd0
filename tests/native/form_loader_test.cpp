#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "persist/class_registry.h"
#include "persist/component.h"
#include "base/exceptions.h"
#include "ui/graphics/font.h"
#include "persist/form_fields.h"
#include "persist/form_loader.h"
#include "persist/form_stream.h"
#include "persist/properties.h"
#include "formc/text_form.h"
#include "fake_code_page.h"

namespace {

int gLive = 0;
std::vector<std::string> gLog;

void Log(std::string entry) { gLog.push_back(std::move(entry)); }

enum class TTestAlign { alNone, alTop, alClient };
constexpr std::array<std::pair<std::string_view, TTestAlign>, 3> kAligns{{
    {"alNone", TTestAlign::alNone}, {"alTop", TTestAlign::alTop}, {"alClient", TTestAlign::alClient}}};
constexpr std::array<std::string_view, 4> kAnchors{"akLeft", "akTop", "akRight", "akBottom"};
constexpr std::array<std::pair<std::string_view, int>, 2> kCursors{{{"crDefault", 0}, {"crHandPoint", -21}}};

// A component with one property of every kind a form stream can assign.
class TTestLabel : public TComponent {
 public:
  explicit TTestLabel(TComponent* owner) : TComponent(owner) { ++gLive; }
  ~TTestLabel() override { --gLive; }
  std::string_view ClassName() const override { return "TTestLabel"; }
  const PropertyTable& Properties() const override;
  void SetParentComponent(TComponent* parent) override { Parent = parent; }

  void SetNumber(int value) { Number = value; }
  void SetSmall(int value) { Small = value; }
  void SetLarge(int value) { Large = value; }
  void SetCursor(int value) { Cursor = value; }
  void SetActive(bool value) { Active = value; }
  void SetVisible(bool value) { Visible = value; }
  void SetCaption(const std::string& value) { Caption = value; }
  void SetHint(const std::string& value) { Hint = value; }
  void SetColor(TColor value) { Color = value; }
  void SetAlign(TTestAlign value) { Align = value; }
  void SetAnchors(uint32_t value) { Anchors = value; }
  void SetData(const std::vector<uint8_t>& value) { Data = value; }
  TFont& GetFont() { return Font; }
  void SetOnClick(TNotifyEvent value) { OnClick = std::move(value); }
  using TPointEvent = std::function<void(TObject*, const std::string&, int)>;
  void SetOnPoint(TPointEvent value) { OnPoint = std::move(value); }
  void SetBuddy(TTestLabel* value) { Buddy.Set(*this, value); }

  TComponent* Parent = nullptr;
  int Number = 7;
  int Small = 0;
  int Large = 0;
  int Cursor = 0;
  bool Active = true;
  bool Visible = false;
  std::string Caption = "default";
  std::string Hint;
  TColor Color = clBtnFace;
  TTestAlign Align = TTestAlign::alNone;
  uint32_t Anchors = 3;
  std::vector<uint8_t> Data;
  TFont Font;
  TNotifyEvent OnClick;
  TPointEvent OnPoint;
  ComponentRef<TTestLabel> Buddy;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    Buddy.Notify(component, operation);
  }
};

const PropertyTable& TTestLabel::Properties() const {
  static const PropertyTable table(&TComponent::Properties(),
                                   {
                                       props::Int("Number", &TTestLabel::SetNumber),
                                       props::Int("Small", &TTestLabel::SetSmall),
                                       props::Int("Large", &TTestLabel::SetLarge),
                                       props::IntOrIdent("Cursor", &TTestLabel::SetCursor, IdentMap<int>(kCursors)),
                                       props::Bool("Active", &TTestLabel::SetActive),
                                       props::Bool("Visible", &TTestLabel::SetVisible),
                                       props::String("Caption", &TTestLabel::SetCaption),
                                       props::String("Hint", &TTestLabel::SetHint),
                                       props::Color("Color", &TTestLabel::SetColor),
                                       props::Enum("Align", &TTestLabel::SetAlign, IdentMap<TTestAlign>(kAligns)),
                                       props::Set("Anchors", &TTestLabel::SetAnchors, kAnchors),
                                       props::Binary("Data", &TTestLabel::SetData),
                                       props::Nested("Font", &TTestLabel::GetFont),
                                       props::Event("OnClick", &TTestLabel::SetOnClick),
                                       props::Event("OnPoint", &TTestLabel::SetOnPoint),
                                       props::Ref("Buddy", &TTestLabel::SetBuddy),
                                   });
  return table;
}

std::string LoadingMark(const TComponent& component) { return component.IsLoading() ? " loading" : ""; }

// Writes every step of its life into the shared log.
class TTestLogger : public TComponent {
 public:
  explicit TTestLogger(TComponent* owner) : TComponent(owner) {
    ++gLive;
    Log("new");
  }
  ~TTestLogger() override { --gLive; }
  std::string_view ClassName() const override { return "TTestLogger"; }
  const PropertyTable& Properties() const override;
  void SetName(const std::string& name) override {
    TComponent::SetName(name);
    Log("name " + name);
  }
  void Loaded() override {
    TComponent::Loaded();
    Log("loaded " + Name());
  }

  void SetValue(int value) { Log(Name() + ".Value=" + std::to_string(value) + LoadingMark(*this)); }
  void SetPeer(TComponent* peer) {
    Peer.Set(*this, peer);
    Log(Name() + ".Peer=" + (peer ? peer->Name() : "nil") + LoadingMark(*this));
  }

  ComponentRef<TComponent> Peer;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    Peer.Notify(component, operation);
  }
};

const PropertyTable& TTestLogger::Properties() const {
  static const PropertyTable table(&TComponent::Properties(), {
                                                                  props::Int("Value", &TTestLogger::SetValue),
                                                                  props::Ref("Peer", &TTestLogger::SetPeer),
                                                              });
  return table;
}

// The root: component fields and handlers found by name, like a real form.
class TTestForm : public TComponent {
 public:
  TTestForm() : TComponent(nullptr) { ++gLive; }
  ~TTestForm() override { --gLive; }
  std::string_view ClassName() const override { return "TTestForm"; }
  const PropertyTable& Properties() const override;
  bool BindField(std::string_view name, TComponent* component) override;
  std::any FindHandler(std::string_view name) override;
  void Loaded() override {
    TComponent::Loaded();
    Log("loaded " + Name());
  }

  void SetCaption(const std::string& value) { Log(Name() + ".Caption=" + value + LoadingMark(*this)); }
  void SetPeer(TComponent* peer) { Log(Name() + ".Peer=" + (peer ? peer->Name() : "nil")); }
  void ButtonClick(TObject* sender) { Clicks.push_back({"ButtonClick", sender}); }
  void OtherClick(TObject* sender) { Clicks.push_back({"OtherClick", sender}); }
  void ButtonMouseDown(TObject* sender, int, uint32_t, int, int) { Clicks.push_back({"ButtonMouseDown", sender}); }
  void PointAt(TObject* sender, const std::string& where, int x) {
    Clicks.push_back({"PointAt " + where + " " + std::to_string(x), sender});
  }

  TTestLabel* Label1 = nullptr;
  TTestLabel* Label2 = nullptr;
  TTestLogger* LogA = nullptr;
  std::vector<std::pair<std::string, TObject*>> Clicks;
};

const PropertyTable& TTestForm::Properties() const {
  static const PropertyTable table(&TComponent::Properties(), {
                                                                  props::String("Caption", &TTestForm::SetCaption),
                                                                  props::Ref("Peer", &TTestForm::SetPeer),
                                                              });
  return table;
}

bool TTestForm::BindField(std::string_view name, TComponent* component) {
  static const std::array<FieldDef<TTestForm>, 3> fields{
      Field("Label1", &TTestForm::Label1), Field("Label2", &TTestForm::Label2), Field("LogA", &TTestForm::LogA)};
  Log("field " + std::string(name));
  return BindFieldFrom<TTestForm>(fields, *this, name, component);
}

std::any TTestForm::FindHandler(std::string_view name) {
  static const std::array<HandlerDef<TTestForm>, 4> handlers{
      Handler("ButtonClick", &TTestForm::ButtonClick), Handler("OtherClick", &TTestForm::OtherClick),
      Handler("ButtonMouseDown", &TTestForm::ButtonMouseDown), Handler("PointAt", &TTestForm::PointAt)};
  return FindHandlerIn<TTestForm>(handlers, *this, name);
}

std::vector<uint8_t> Compile(std::string_view text) { return WriteFormStream(ParseTextForm(text)); }

size_t Find(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& needle, size_t from) {
  auto found = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), needle.begin(), needle.end());
  if (found == bytes.end()) {
    ADD_FAILURE() << "\"" << std::string(needle.begin(), needle.end()) << "\" is not in the stream";
    return 0;
  }
  return static_cast<size_t>(found - bytes.begin());
}

void AppendShortString(std::vector<uint8_t>& out, std::string_view text) {
  out.push_back(static_cast<uint8_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

// Where the short string `text` (its length byte) first appears at or after `from`.
size_t ShortStringAt(const std::vector<uint8_t>& bytes, std::string_view text, size_t from = 0) {
  std::vector<uint8_t> needle;
  AppendShortString(needle, text);
  return Find(bytes, needle, from);
}

// A child object starts with its class name (no flags in these streams).
size_t ObjectAt(const std::vector<uint8_t>& bytes, std::string_view className, std::string_view name) {
  std::vector<uint8_t> needle;
  AppendShortString(needle, className);
  AppendShortString(needle, name);
  return Find(bytes, needle, 0);
}

size_t PropertyAt(const std::vector<uint8_t>& bytes, std::string_view objectName, std::string_view property) {
  return ShortStringAt(bytes, property, ShortStringAt(bytes, objectName));
}

size_t ValueAt(const std::vector<uint8_t>& bytes, std::string_view objectName, std::string_view property) {
  return PropertyAt(bytes, objectName, property) + 1 + property.size();
}

testing::AssertionResult MentionsOffset(const std::string& message, size_t offset) {
  std::string key = "at offset " + std::to_string(offset);
  for (size_t at = message.find(key); at != std::string::npos; at = message.find(key, at + 1)) {
    size_t end = at + key.size();
    if (end == message.size() || !std::isdigit(static_cast<unsigned char>(message[end])))
      return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "\"" << message << "\" does not say \"" << key << "\"";
}

class FormLoad : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterComponentClass<TTestLabel>("TTestLabel");
    RegisterComponentClass<TTestLogger>("TTestLogger");
  }
  void SetUp() override { gLog.clear(); }
  void TearDown() override { EXPECT_EQ(gLive, 0) << "components leaked or were freed twice"; }

  std::unique_ptr<TTestForm> Load(std::string_view text) {
    auto form = std::make_unique<TTestForm>();
    LoadForm(*form, Compile(text));
    return form;
  }

  // The message of the EFormError the stream raises; the partly loaded form
  // is deleted and must take every component created so far with it.
  static std::string LoadError(const std::vector<uint8_t>& bytes) {
    std::string message;
    {
      auto form = std::make_unique<TTestForm>();
      try {
        LoadForm(*form, bytes);
        ADD_FAILURE() << "the stream loaded without an error";
      } catch (const EFormError& e) {
        message = e.what();
      }
    }
    EXPECT_EQ(gLive, 0) << "after: " << message;
    return message;
  }
};

constexpr std::string_view kOrderForm = R"(object TestForm1: TTestForm
  Caption = 'root'
  Peer = LogB
  object LogA: TTestLogger
    Value = 1
    Peer = LogC
    Value = 2
  end
  object LogB: TTestLogger
    Peer = LogA
  end
  object LogC: TTestLogger
    Peer = TestForm1
    Value = 3
  end
end
)";

TEST_F(FormLoad, RunsCreationPropertiesReferencesAndLoadedInStreamOrder) {
  auto form = Load(kOrderForm);
  EXPECT_EQ(gLog, (std::vector<std::string>{
                      "TestForm1.Caption=root loading",
                      "new", "name LogA", "field LogA", "LogA.Value=1 loading", "LogA.Value=2 loading",
                      "new", "name LogB", "field LogB",
                      "new", "name LogC", "field LogC", "LogC.Value=3 loading",
                      // References after the whole stream, a later component included.
                      "TestForm1.Peer=LogB", "LogA.Peer=LogC loading", "LogB.Peer=LogA loading",
                      "LogC.Peer=TestForm1 loading",
                      "loaded TestForm1", "loaded LogA", "loaded LogB", "loaded LogC",
                  }));
  EXPECT_EQ(form->Name(), "TestForm1");
  EXPECT_FALSE(form->IsLoading());
  ASSERT_EQ(form->Components().size(), 3u);
  for (TComponent* child : form->Components()) {
    EXPECT_FALSE(child->IsLoading()) << child->Name();
    EXPECT_EQ(child->Owner(), form.get());
  }
  EXPECT_EQ(form->LogA, form->FindComponent("LogA"));
}

constexpr std::string_view kValuesForm = R"(object TestForm1: TTestForm
  object Label1: TTestLabel
    Number = 495
    Small = -128
    Large = -2147483648
    Cursor = crHandPoint
    Active = False
    Visible = True
    Caption = 'it''s '#185#216#187#250
    Hint = #24038#38190#36716#21160#26102#38024#21491#38190#36716#21160#20998#38024
    Color = clTeal
    Align = alTop
    Anchors = [akLeft, akBottom]
    Data = {00FF10}
    Font.Charset = GB2312_CHARSET
    Font.Color = clHighlight
    Font.Height = -13
    Font.Name = 'Arial'
    Font.Style = [fsBold, fsUnderline]
    OnClick = ButtonClick
    OnPoint = PointAt
    Buddy = Label2
  end
  object Label2: TTestLabel
    Large = 2147483647
    Cursor = -5
    Color = -16777201
    Anchors = []
    OnClick = OtherClick
  end
  object Label3: TTestLabel
    Color = 8421631
    Data = {}
    Buddy = nil
  end
end
)";

TEST_F(FormLoad, AssignsEveryKindOfValue) {
  // The stream really holds the widths and string kinds this test is about.
  const FormObject tree = ParseTextForm(kValuesForm);
  EXPECT_EQ(tree.children[0].properties[0].value.type, FormValueType::Int16);
  EXPECT_EQ(tree.children[0].properties[1].value.type, FormValueType::Int8);
  EXPECT_EQ(tree.children[0].properties[2].value.type, FormValueType::Int32);
  EXPECT_EQ(tree.children[0].properties[7].value.type, FormValueType::WString);

  // Short strings are in the system's code page; here a Chinese one.
  const FakeChineseCodePage chinese;
  const ScopedAnsiCodePage page(chinese);
  auto form = Load(kValuesForm);
  TTestLabel& label = *form->Label1;
  EXPECT_EQ(label.Parent, form.get());
  EXPECT_EQ(label.Number, 495);
  EXPECT_EQ(label.Small, -128);
  EXPECT_EQ(label.Large, -2147483647 - 1);
  EXPECT_EQ(label.Cursor, -21);
  EXPECT_FALSE(label.Active);
  EXPECT_TRUE(label.Visible);
  EXPECT_EQ(label.Caption, "it's 关机");
  EXPECT_EQ(label.Hint, "左键转动时针右键转动分针");
  EXPECT_EQ(label.Color, clTeal);
  EXPECT_EQ(label.Align, TTestAlign::alTop);
  EXPECT_EQ(label.Anchors, 1u | 8u);
  EXPECT_EQ(label.Data, (std::vector<uint8_t>{0x00, 0xFF, 0x10}));
  EXPECT_EQ(label.Font.Charset(), 134);
  EXPECT_EQ(label.Font.Color(), clHighlight);
  EXPECT_EQ(label.Font.Height(), -13);
  EXPECT_EQ(label.Font.Name(), "Arial");
  EXPECT_EQ(label.Font.Style(), fsBold | fsUnderline);
  EXPECT_EQ(label.Buddy.Get(), form->Label2);

  TTestLabel& second = *form->Label2;
  EXPECT_EQ(second.Large, 2147483647);
  EXPECT_EQ(second.Cursor, -5);
  EXPECT_EQ(second.Color, clBtnFace);
  EXPECT_EQ(second.Anchors, 0u);

  auto* third = dynamic_cast<TTestLabel*>(form->FindComponent("Label3"));
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->Color, 0x008080FF);
  EXPECT_TRUE(third->Data.empty());
  EXPECT_EQ(third->Buddy.Get(), nullptr);

  // Events call the form's handler with the component as the sender.
  ASSERT_TRUE(label.OnClick && second.OnClick);
  label.OnClick(&label);
  second.OnClick(&second);
  // An event with arguments reaches the handler of its signature with them.
  ASSERT_TRUE(label.OnPoint);
  label.OnPoint(&label, "here", 12);
  EXPECT_EQ(form->Clicks, (std::vector<std::pair<std::string, TObject*>>{
                              {"ButtonClick", &label}, {"OtherClick", &second}, {"PointAt here 12", &label}}));

  // A loaded reference is still cleared when its target goes.
  delete form->Label2;
  EXPECT_EQ(label.Buddy.Get(), nullptr);
}

FormValue Bytes(FormValueType type, std::string text) {
  FormValue value;
  value.type = type;
  value.text = std::move(text);
  return value;
}

TEST(FormStrings, SingleByteStringsTravelInTheSystemCodePageBothWays) {
  // Natively the page is UTF-8; a byte that starts no character is U+FFFD.
  EXPECT_EQ(ValueAsString(Bytes(FormValueType::String, "caf\xC3\xA9")), "café");
  EXPECT_EQ(ValueAsString(Bytes(FormValueType::String, "caf\xE9")), "caf\uFFFD");

  const FakeChineseCodePage chinese;
  const ScopedAnsiCodePage page(chinese);
  EXPECT_EQ(ValueAsString(Bytes(FormValueType::String, "\xB9\xD8\xBB\xFA")), "关机");
  EXPECT_EQ(ValueAsString(Bytes(FormValueType::LString, "x\xBB\xFA")), "x机");

  const FormValue shortText = StringFormValue("关机!");
  EXPECT_EQ(shortText.type, FormValueType::String);
  EXPECT_EQ(shortText.text, "\xB9\xD8\xBB\xFA!");
  const FormValue longText = StringFormValue(std::string(300, '.') + "关机");
  EXPECT_EQ(longText.type, FormValueType::LString);
  EXPECT_EQ(longText.text.size(), 304u);
  // What the page cannot spell is stored wide, not as question marks.
  const FormValue foreign = StringFormValue("é关");
  EXPECT_EQ(foreign.type, FormValueType::WString);
  EXPECT_EQ(foreign.wide, u"é关");
  EXPECT_EQ(StringFormValue("\xFF").type, FormValueType::WString);
}

TEST_F(FormLoad, KeepsConstructorValuesForAbsentPropertiesAndIgnoresNameCase) {
  auto form = Load(R"(object TestForm1: TTestForm
  object label1: TTestLabel
    NUMBER = 12
    font.height = -20
    onclick = buttonclick
    buddy = LABEL2
  end
  object Label2: TTestLabel
    Left = 8
    Top = 72
  end
end
)");
  ASSERT_NE(form->Label1, nullptr);
  TTestLabel& label = *form->Label1;
  EXPECT_EQ(label.Name(), "label1");
  EXPECT_EQ(label.Number, 12);
  EXPECT_EQ(label.Font.Height(), -20);
  EXPECT_EQ(label.Font.Name(), "MS Sans Serif");
  EXPECT_EQ(label.Buddy.Get(), form->Label2);
  ASSERT_TRUE(label.OnClick);
  label.OnClick(&label);
  EXPECT_EQ(form->Clicks.size(), 1u);

  const TTestLabel& plain = *form->Label2;
  EXPECT_EQ(plain.Number, 7);
  EXPECT_TRUE(plain.Active);
  EXPECT_EQ(plain.Caption, "default");
  EXPECT_EQ(plain.Color, clBtnFace);
  EXPECT_EQ(plain.Anchors, 3u);
  EXPECT_EQ(plain.Font.Height(), -11);
  EXPECT_FALSE(plain.OnClick);
}

TEST_F(FormLoad, LoadsSeveralUnnamedComponents) {
  auto form = Load(R"(object TestForm1: TTestForm
  object TTestLabel
    Number = 1
  end
  object TTestLabel
    Number = 2
  end
end
)");
  ASSERT_EQ(form->Components().size(), 2u);
  EXPECT_EQ(static_cast<TTestLabel*>(form->Components()[1])->Number, 2);
}

TEST_F(FormLoad, RejectsDamagedStreamHeadsWithTheirOffset) {
  std::vector<uint8_t> badSignature = Compile("object TestForm1: TTestForm\nend\n");
  badSignature[3] = '1';
  std::string message = LoadError(badSignature);
  EXPECT_NE(message.find("signature"), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, 0));

  message = LoadError(Compile("object Other1: TOtherForm\nend\n"));
  EXPECT_NE(message.find("TOtherForm"), std::string::npos) << message;
  EXPECT_NE(message.find("TTestForm"), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, 4));

  std::vector<uint8_t> bytes = Compile(R"(object TestForm1: TTestForm
  object Label1: TTestLabel
  end
  object Ghost1: TNoSuchClass
  end
end
)");
  message = LoadError(bytes);
  EXPECT_NE(message.find("TNoSuchClass"), std::string::npos) << message;
  EXPECT_NE(message.find("Ghost1"), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, ObjectAt(bytes, "TNoSuchClass", "Ghost1")));

  bytes = Compile(R"(object TestForm1: TTestForm
  object Outer: TTestLabel
    object Inner: TTestLabel
    end
  end
end
)");
  // A label takes no child: the object inside it is refused where it starts.
  message = LoadError(bytes);
  EXPECT_NE(message.find("cannot be held by object \"Outer\""), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, ObjectAt(bytes, "TTestLabel", "Inner")));
}

TEST_F(FormLoad, RejectsUnknownPropertiesAndValuesOfTheWrongKind) {
  struct Case {
    std::string property, value, expected;
  };
  // Each case is the second property of Label1, after one that loads fine.
  const std::vector<Case> unknownNames{
      {"Bogus", "1", "unknown property \"Bogus\""},
      {"Font.Bogus", "1", "unknown property \"Font.Bogus\""},
      {"Font", "1", "unknown property \"Font\""},
      {"Caption.Length", "1", "unknown property \"Caption.Length\""},
  };
  const std::vector<Case> badValues{
      {"Number", "'12'", "expected an integer, found a string"},
      {"Number", "5000000000", "out of range"},
      {"Active", "1", "expected a Boolean, found an integer"},
      {"Caption", "12", "expected a string, found an integer"},
      {"Data", "'x'", "expected binary data, found a string"},
      {"Anchors", "akLeft", "expected a set, found an identifier"},
      {"Align", "[alTop]", "expected an identifier, found a set"},
      {"Align", "alBogus", "unknown identifier \"alBogus\""},
      {"Color", "clBogus", "unknown colour \"clBogus\""},
      {"Anchors", "[akLeft, akBogus]", "unknown set element \"akBogus\""},
      {"Font.Charset", "BOGUS_CHARSET", "unknown identifier \"BOGUS_CHARSET\""},
      {"Font.Style", "[fsBlink]", "unknown set element \"fsBlink\""},
      {"OnClick", "NoSuchClick", "unknown handler \"NoSuchClick\""},
      // A mouse handler would be called with arguments a click does not give.
      {"OnClick", "ButtonMouseDown", "handler \"ButtonMouseDown\" does not take the arguments"},
      {"OnPoint", "NoSuchPoint", "unknown handler \"NoSuchPoint\""},
      {"OnPoint", "ButtonClick", "handler \"ButtonClick\" does not take the arguments"},
      {"Buddy", "12", "expected an identifier, found an integer"},
  };
  auto streamWith = [](const Case& c) {
    return Compile("object TestForm1: TTestForm\n  object Label2: TTestLabel\n  end\n"
                   "  object Label1: TTestLabel\n    Small = 1\n    " +
                   c.property + " = " + c.value + "\n  end\nend\n");
  };
  for (const Case& c : unknownNames) {
    std::vector<uint8_t> bytes = streamWith(c);
    std::string message = LoadError(bytes);
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    EXPECT_NE(message.find("Label1"), std::string::npos) << message;
    EXPECT_TRUE(MentionsOffset(message, PropertyAt(bytes, "Label1", c.property)));
  }
  for (const Case& c : badValues) {
    std::vector<uint8_t> bytes = streamWith(c);
    std::string message = LoadError(bytes);
    EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    EXPECT_NE(message.find("\"" + c.property + "\" of object \"Label1\""), std::string::npos) << message;
    EXPECT_TRUE(MentionsOffset(message, ValueAt(bytes, "Label1", c.property)));
  }
}

TEST_F(FormLoad, RejectsComponentsThatDoNotFitTheirNameOrPlace) {
  std::vector<uint8_t> bytes = Compile(R"(object TestForm1: TTestForm
  object LogA: TTestLogger
    Peer = Label1
  end
  object Label1: TTestLabel
    Buddy = Nobody
  end
end
)");
  std::string message = LoadError(bytes);
  EXPECT_NE(message.find("unknown component \"Nobody\""), std::string::npos) << message;
  EXPECT_NE(message.find("Buddy"), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, ValueAt(bytes, "Label1", "Buddy")));

  bytes = Compile(R"(object TestForm1: TTestForm
  object Label1: TTestLabel
    Buddy = LogA
  end
  object LogA: TTestLogger
  end
end
)");
  message = LoadError(bytes);
  EXPECT_NE(message.find("\"LogA\" of class TTestLogger"), std::string::npos) << message;
  EXPECT_NE(message.find("Buddy"), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, ValueAt(bytes, "Label1", "Buddy")));

  // The form's field Label1 holds a TTestLabel.
  bytes = Compile(R"(object TestForm1: TTestForm
  object Label2: TTestLabel
  end
  object Label1: TTestLogger
  end
end
)");
  message = LoadError(bytes);
  EXPECT_NE(message.find("\"Label1\" (TTestLogger)"), std::string::npos) << message;
  EXPECT_NE(message.find("field"), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, ObjectAt(bytes, "TTestLogger", "Label1")));

  bytes = Compile(R"(object TestForm1: TTestForm
  object Twin: TTestLabel
  end
  object Label1: TTestLabel
  end
  object TWIN: TTestLogger
  end
end
)");
  message = LoadError(bytes);
  EXPECT_NE(message.find("duplicate component name \"TWIN\""), std::string::npos) << message;
  EXPECT_TRUE(MentionsOffset(message, ObjectAt(bytes, "TTestLogger", "TWIN")));
}

TEST_F(FormLoad, EveryTruncatedStreamFailsCleanly) {
  std::vector<std::string> texts{std::string(kOrderForm), std::string(kValuesForm)};
  for (const std::string& text : texts) {
    const std::vector<uint8_t> whole = Compile(text);
    for (size_t size = 0; size < whole.size(); ++size) {
      std::vector<uint8_t> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      std::string message = LoadError(prefix);
      EXPECT_FALSE(message.empty()) << "prefix of " << size << " bytes";
    }
  }
}

}  // namespace
