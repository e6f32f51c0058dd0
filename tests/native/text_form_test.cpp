#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "persist/form_stream.h"
#include "formc/text_form.h"

namespace {

FormValue Make(FormValueType type) {
  FormValue value;
  value.type = type;
  return value;
}

FormValue Text(FormValueType type, std::string text) {
  FormValue value = Make(type);
  value.text = std::move(text);
  return value;
}

FormValue ExtendedValue(uint64_t mantissa, uint16_t signAndExponent) {
  FormValue value = Make(FormValueType::Extended);
  for (int i = 0; i < 8; ++i) value.bytes.push_back(static_cast<uint8_t>(mantissa >> (8 * i)));
  value.bytes.push_back(static_cast<uint8_t>(signAndExponent));
  value.bytes.push_back(static_cast<uint8_t>(signAndExponent >> 8));
  return value;
}

template <typename T>
FormValue Float(FormValueType type, T number, size_t size = sizeof(T)) {
  FormValue value = Make(type);
  value.bytes.resize(size);
  std::memcpy(value.bytes.data(), &number, size);
  return value;
}

const FormValue& Prop(const FormObject& object, const std::string& name) {
  for (const FormProperty& property : object.properties)
    if (property.name == name) return property.value;
  throw std::runtime_error("no property " + name);
}

std::string ParseError(std::string_view text, const IncludeResolver& resolve = {}) {
  try {
    ParseTextForm(text, resolve);
  } catch (const EFormError& error) {
    return error.what();
  }
  ADD_FAILURE() << "accepted: " << text;
  return {};
}

TEST(PrintTextForm, SpellsEveryKindOfValue) {
  FormObject root;
  root.className = "TForm1";
  root.name = "Form1";
  auto add = [&](std::string name, FormValue value) { root.properties.push_back({name, 0, std::move(value)}); };
  FormValue left = Make(FormValueType::Int16);
  left.integer = -495;
  add("Left", left);
  add("Caption", Text(FormValueType::String, "it's\t\xE9"));
  FormValue hint = Make(FormValueType::WString);
  hint.wide = u"a\u5DE6";
  add("Hint", hint);
  add("Color", Text(FormValueType::Ident, "clBtnFace"));
  add("Visible", Make(FormValueType::False));
  add("Ref", Make(FormValueType::Nil));
  FormValue style = Make(FormValueType::Set);
  style.set = {"fsBold", "fsUnderline"};
  add("Font.Style", style);
  add("Icons", Make(FormValueType::Set));
  FormValue data = Make(FormValueType::Binary);
  for (int i = 0; i < 33; ++i) data.bytes.push_back(static_cast<uint8_t>(i * 8));
  add("Icon.Data", data);
  FormValue list = Make(FormValueType::List);
  list.items = {Text(FormValueType::String, "a"), Make(FormValueType::True)};
  add("Lines", list);
  FormValue columns = Make(FormValueType::Collection);
  columns.collection.resize(2);
  columns.collection[0].properties.push_back({"Width", 0, Float(FormValueType::Single, 2.5f)});
  columns.collection[1].index = 7;
  add("Columns", columns);
  add("Rate", Float(FormValueType::Currency, int64_t{-5}));

  FormObject button;
  button.className = "TButton";
  button.name = "Btn";
  button.flags = ffInherited | ffChildPos;
  button.childPosition = 3;
  FormObject frame;
  frame.className = "TFrame";
  frame.flags = ffInline;
  button.children.push_back(frame);
  root.children.push_back(button);

  EXPECT_EQ(PrintTextForm(root),
            "object Form1: TForm1\n"
            "  Left = -495\n"
            "  Caption = 'it''s'#9#233\n"
            "  Hint = 'a'#24038\n"
            "  Color = clBtnFace\n"
            "  Visible = False\n"
            "  Ref = nil\n"
            "  Font.Style = [fsBold, fsUnderline]\n"
            "  Icons = []\n"
            "  Icon.Data = {\n"
            "    0008101820283038404850586068707880889098A0A8B0B8C0C8D0D8E0E8F0F8\n"
            "    00}\n"
            "  Lines = (\n"
            "    'a'\n"
            "    True)\n"
            "  Columns = <\n"
            "    item\n"
            "      Width = 2.5s\n"
            "    end\n"
            "    item [7]\n"
            "    end>\n"
            "  Rate = -0.0005c\n"
            "  inherited Btn: TButton [3]\n"
            "    inline TFrame\n"
            "    end\n"
            "  end\n"
            "end\n");
}

TEST(PrintTextForm, SplitsLongStringsAcrossLines) {
  FormObject root;
  root.className = "T";
  root.properties.push_back({"S", 0, Text(FormValueType::LString, std::string(64, 'x') + "y")});
  EXPECT_EQ(PrintTextForm(root), "object T\n  S = '" + std::string(64, 'x') + "' +\n    'y'\nend\n");
}

TEST(ParseTextForm, ChoosesTheNarrowestTypes) {
  FormObject form = ParseTextForm(
      "object Form1: TForm1\r\n"
      "  I8 = 127\r\n  I16 = 128\r\n  N16 = -32768\r\n  I32 = -32769\r\n  I64 = 2147483648\r\n"
      "  Latin = 'caf'#233\r\n"
      "  Chinese = '\xE5\xB7\xA6'#38190\r\n"
      "  Astral = '\xF0\x9F\x98\x80'\r\n"
      "  Long = '" + std::string(200, 'a') + "' +\r\n    '" + std::string(56, 'b') + "'\r\n"
      "  Ext = 1.5\r\n  Sgl = 1e3s\r\n  Dbl = -0.25r\r\n  Dat = 2d\r\n  Cur = 12.34565c\r\n"
      "  Yes = true\r\n  Nothing = NIL\r\n  Empty = Null\r\n  Ident = Form2.Button1\r\n"
      "end\r\n");
  EXPECT_EQ(Prop(form, "I8").type, FormValueType::Int8);
  EXPECT_EQ(Prop(form, "I16").type, FormValueType::Int16);
  EXPECT_EQ(Prop(form, "N16").type, FormValueType::Int16);
  EXPECT_EQ(Prop(form, "I32").type, FormValueType::Int32);
  EXPECT_EQ(Prop(form, "I64").type, FormValueType::Int64);
  EXPECT_EQ(Prop(form, "I64").integer, 2147483648LL);
  EXPECT_EQ(Prop(form, "Latin").type, FormValueType::String);
  EXPECT_EQ(Prop(form, "Latin").text, "caf\xE9");
  EXPECT_EQ(Prop(form, "Chinese").type, FormValueType::WString);
  EXPECT_EQ(Prop(form, "Chinese").wide, u"\u5DE6\u952E");
  EXPECT_EQ(Prop(form, "Astral").wide, u"\U0001F600");
  // A short string holds 255 bytes at most; longer Latin-1 text must not be cut.
  EXPECT_EQ(Prop(form, "Long").type, FormValueType::LString);
  EXPECT_EQ(Prop(form, "Long").text.size(), 256u);
  EXPECT_EQ(Prop(form, "Ext").type, FormValueType::Extended);
  EXPECT_DOUBLE_EQ(Prop(form, "Ext").AsDouble(), 1.5);
  EXPECT_EQ(Prop(form, "Sgl").type, FormValueType::Single);
  EXPECT_DOUBLE_EQ(Prop(form, "Sgl").AsDouble(), 1000.0);
  EXPECT_DOUBLE_EQ(Prop(form, "Dbl").AsDouble(), -0.25);
  EXPECT_EQ(Prop(form, "Dat").type, FormValueType::Date);
  EXPECT_DOUBLE_EQ(Prop(form, "Cur").AsDouble(), 12.3457);  // rounded to four places
  EXPECT_EQ(Prop(form, "Yes").type, FormValueType::True);
  EXPECT_EQ(Prop(form, "Nothing").type, FormValueType::Nil);
  EXPECT_EQ(Prop(form, "Empty").type, FormValueType::Null);
  EXPECT_EQ(Prop(form, "Ident").text, "Form2.Button1");
}

TEST(TextFormRoundTrip, BinaryThroughTextIsByteIdentical) {
  FormObject root;
  root.className = "TForm1";
  root.name = "Form1";
  auto add = [&](std::string name, FormValue value) { root.properties.push_back({name, 0, std::move(value)}); };
  // 80-bit patterns spelled out, as no long double need hold them: 0.1, the largest, the least denormal.
  add("Ext", ExtendedValue(0xCCCCCCCCCCCCCCCDull, 0x3FFB));
  add("ExtMax", ExtendedValue(0xFFFFFFFFFFFFFFFFull, 0x7FFE));
  add("ExtTiny", ExtendedValue(1, 0));
  add("NegZero", Float(FormValueType::Double, -0.0));
  add("Third", Float(FormValueType::Date, 1.0 / 3));
  add("SglTiny", Float(FormValueType::Single, std::numeric_limits<float>::denorm_min()));
  add("SglInf", Float(FormValueType::Single, std::numeric_limits<float>::infinity()));
  add("DblNegInf", Float(FormValueType::Double, -std::numeric_limits<double>::infinity()));
  add("CurMin", Float(FormValueType::Currency, std::numeric_limits<int64_t>::min()));
  add("CurMax", Float(FormValueType::Currency, std::numeric_limits<int64_t>::max()));
  std::string latin;
  for (int i = 0; i < 300; ++i) latin += static_cast<char>(i % 256);
  add("Latin", Text(FormValueType::LString, latin));
  FormValue wide = Make(FormValueType::WString);
  wide.wide = u"\u5DE6'\U0001F600\xDC00";  // includes a lone surrogate
  for (int i = 0; i < 100; ++i) wide.wide += static_cast<char16_t>(u'a' + i % 26);
  add("Wide", wide);
  FormValue list = Make(FormValueType::List);
  list.items = {Float(FormValueType::Single, 1.0f), Make(FormValueType::List), Text(FormValueType::String, "")};
  list.items[1].items = {Make(FormValueType::Nil)};
  add("Items", list);
  FormValue columns = Make(FormValueType::Collection);
  columns.collection.resize(1);
  columns.collection[0].index = -2;
  columns.collection[0].properties.push_back({"Data", 0, Make(FormValueType::Binary)});
  add("Columns", columns);
  FormValue big = Make(FormValueType::Int64);
  big.integer = std::numeric_limits<int64_t>::min();
  add("Big", big);
  FormObject child;
  child.className = "TChild";
  child.flags = ffChildPos;
  child.childPosition = -70000;
  root.children.push_back(child);

  std::vector<uint8_t> binary = WriteFormStream(root);
  std::string text = PrintTextForm(ReadFormStream(binary));
  EXPECT_EQ(WriteFormStream(ParseTextForm(text)), binary) << text;
  // And once normalised, the text itself is stable.
  EXPECT_EQ(PrintTextForm(ParseTextForm(text)), text);
}

TEST(TextFormRoundTrip, TextThroughBinaryIsStable) {
  std::string text =
      "object Form1: TForm1\n"
      "  Caption = 'x' + #13#10 + 'y'\n"
      "  Data = { 0a 0B\n 0c }\n"
      "  Tags = [ a,b ]\n"
      "  inline Frame: TFrame [1]\n"
      "  end\n"
      "end";
  std::string printed = PrintTextForm(ParseTextForm(text));
  EXPECT_EQ(printed, PrintTextForm(ReadFormStream(WriteFormStream(ParseTextForm(printed)))));
  EXPECT_EQ(Prop(ParseTextForm(text), "Caption").text, "x\r\ny");
}

TEST(ParseTextForm, IncludesNamedFiles) {
  std::vector<std::string> asked;
  IncludeResolver resolve = [&](const std::string& name) -> std::optional<std::vector<uint8_t>> {
    asked.push_back(name);
    if (name == "vespermark.ico") return std::vector<uint8_t>{0, 0, 1, 0};
    return std::nullopt;
  };
  FormObject form = ParseTextForm("object T\n  Icon.Data = { @vespermark.ico }\nend\n", resolve);
  EXPECT_EQ(asked, std::vector<std::string>{"vespermark.ico"});
  EXPECT_EQ(Prop(form, "Icon.Data").bytes, (std::vector<uint8_t>{0, 0, 1, 0}));

  EXPECT_EQ(ParseError("object T\n  X = {@missing.bmp}\nend", resolve),
            "Invalid text form at line 2, column 8: included file \"missing.bmp\" not found");
  EXPECT_EQ(ParseError("object T\n  X = {@missing.bmp}\nend"),
            "Invalid text form at line 2, column 8: included file \"missing.bmp\" not found");
  EXPECT_EQ(ParseError("object T\n  X = {@}\nend", resolve), "Invalid text form at line 2, column 8: empty included file name");
}

TEST(ParseTextForm, SyntaxErrorsNameLineColumnAndWhatWasFound) {
  struct Case {
    std::string text, message;
  };
  const Case cases[] = {
      {"object T\n  Left 5\nend", "line 2, column 8: expected \"=\" but found \"5\""},
      {"object T\n  Caption = 'abc\nend", "line 2, column 13: unterminated string"},
      {"object T\n  D = {ABC}\nend", "line 2, column 10: odd number of hexadecimal digits"},
      {"object T\n  D = {AX}\nend", "line 2, column 9: expected a hexadecimal digit but found \"X\""},
      {"object T\n  N = 12ab\nend", "line 2, column 7: invalid number \"12a\""},
      {"object T\n  N = 99999999999999999999\nend", "line 2, column 7: integer out of range"},
      {"object T\n  N = 1e9999\nend", "line 2, column 7: number out of range"},
      {"object T\n  N = 1e16c\nend", "line 2, column 7: number out of range"},
      {"object T\n  S = #1114112\nend", "line 2, column 7: character code out of range"},
      {"object T\n  S = '\xC3('\nend", "line 2, column 8: invalid UTF-8 sequence"},
      {"object T\n  L = (1 Null)\nend", "line 2, column 10: Null cannot stand in a list"},
      {"object T\n  X = ;\nend", "line 2, column 7: expected a value but found \";\""},
      {"object T\nend\nend", "line 3, column 1: unexpected \"end\" after the end of the form"},
      {"object T\n  X = 1\n", "line 3, column 1: expected a property or \"end\" but found end of text"},
      {"thing T\nend", "line 1, column 1: expected \"object\", \"inherited\" or \"inline\" but found \"thing\""},
      {"object T [x]\nend", "line 1, column 11: invalid child position"},
      {"object T\n  C = <\n    thing\n  >\nend", "line 3, column 5: expected \"item\" or \">\" but found \"thing\""},
      // Columns count characters, not bytes.
      {"object T\n  \xE5\xB7\xA6 = 'x' 5\nend", "line 2, column 11: expected a property name or \"end\" but found \"5\""},
      {"object " + std::string(256, 'N') + ": T\nend", "line 1, column 8: an object name longer than 255 bytes"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseError(c.text), "Invalid text form at " + c.message) << c.text;

  std::string deep = "object T\n  L = ";
  for (int i = 0; i <= kMaxFormNesting; ++i) deep += "(";
  EXPECT_NE(ParseError(deep).find("nesting deeper than 100 levels"), std::string::npos);
}

}  // namespace
