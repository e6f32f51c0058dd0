#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "persist/form_stream.h"

namespace {

// Hand-assembles binary form streams.
struct Bytes {
  std::vector<uint8_t> data;
  size_t Size() const { return data.size(); }
  Bytes& U8(uint8_t v) { data.push_back(v); return *this; }
  Bytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Bytes& U64(uint64_t v) { return U32(static_cast<uint32_t>(v)).U32(static_cast<uint32_t>(v >> 32)); }
  Bytes& Raw(std::string_view s) { data.insert(data.end(), s.begin(), s.end()); return *this; }
  Bytes& Short(std::string_view s) { return U8(static_cast<uint8_t>(s.size())).Raw(s); }
  Bytes& Type(FormValueType t) { return U8(static_cast<uint8_t>(t)); }
};

std::string ReadError(const std::vector<uint8_t>& data) {
  try {
    ReadFormStream(data);
  } catch (const EFormError& error) {
    return error.what();
  }
  ADD_FAILURE() << "stream was accepted";
  return {};
}

std::string WriteError(const FormObject& root) {
  try {
    WriteFormStream(root);
  } catch (const EFormError& error) {
    return error.what();
  }
  ADD_FAILURE() << "tree was accepted";
  return {};
}

// One object carrying every value type, a flagged child and a collection.
struct AllTypes {
  Bytes b;
  size_t int16At = 0, wideAt = 0, collectionAt = 0, childAt = 0;

  AllTypes() {
    using T = FormValueType;
    b.Raw("TPF0").Short("TForm1").Short("Form1");
    b.Short("I8").Type(T::Int8).U8(0x80);
    b.Short("I16");
    int16At = b.Size();
    b.Type(T::Int16).U16(0xFF85);
    b.Short("I32").Type(T::Int32).U32(0x12345678);
    b.Short("I64").Type(T::Int64).U64(0x8000000000000000ull);
    b.Short("Ext").Type(T::Extended).U64(0xC000000000000000ull).U16(0x3FFF);  // 1.5
    b.Short("Sgl").Type(T::Single).U32(0x3FC00000);  // 1.5f
    b.Short("Dbl").Type(T::Double).U64(0x3FF8000000000000ull);
    b.Short("Dat").Type(T::Date).U64(0x4000000000000000ull);  // 2.0
    b.Short("Cur").Type(T::Currency).U64(static_cast<uint64_t>(-123456));
    b.Short("Str").Type(T::String).Short("it's");
    b.Short("Ident").Type(T::Ident).Short("clBtnFace");
    b.Short("F").Type(T::False).Short("T").Type(T::True).Short("Nil").Type(T::Nil).Short("Nul").Type(T::Null);
    b.Short("Bin").Type(T::Binary).U32(3).U8(0).U8(0xAB).U8(0xFF);
    b.Short("Set").Type(T::Set).Short("fsBold").Short("fsItalic").U8(0);
    b.Short("LStr").Type(T::LString).U32(2).Raw("\xE9z");
    b.Short("U8").Type(T::Utf8String).U32(2).Raw("\xC3\xA9");
    b.Short("Hint");
    wideAt = b.Size();
    b.Type(T::WString).U32(2).U16(0x5DE6).U16(0x952E);
    b.Short("List").Type(T::List).Type(T::Int8).U8(1).Type(T::List).Type(T::True).U8(0).U8(0);
    b.Short("Cols");
    collectionAt = b.Size();
    b.Type(T::Collection);
    b.Type(T::List).Short("Width").Type(T::Int8).U8(5).U8(0);                     // item without index
    b.Type(T::Int8).U8(3).Type(T::List).Short("Width").Type(T::Int8).U8(6).U8(0);  // item [3]
    b.U8(0);
    b.U8(0);  // end of properties
    childAt = b.Size();
    b.U8(0xF0 | ffInherited | ffChildPos).Type(T::Int8).U8(2).Short("TButton").Short("Btn").U8(0).U8(0);
    b.U8(0);  // end of children
  }
};

FormValue Make(FormValueType type) {
  FormValue value;
  value.type = type;
  return value;
}

const FormValue& Prop(const FormObject& object, const std::string& name) {
  for (const FormProperty& property : object.properties)
    if (property.name == name) return property.value;
  throw std::runtime_error("no property " + name);
}

TEST(FormStreamRead, DecodesEveryValueType) {
  AllTypes all;
  FormObject form = ReadFormStream(all.b.data);
  EXPECT_EQ(form.className, "TForm1");
  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(form.offset, 4u);

  EXPECT_EQ(Prop(form, "I8").integer, -128);
  EXPECT_EQ(Prop(form, "I16").integer, -123);
  EXPECT_EQ(Prop(form, "I16").offset, all.int16At);
  EXPECT_EQ(Prop(form, "I32").integer, 0x12345678);
  EXPECT_EQ(Prop(form, "I64").integer, INT64_MIN);
  EXPECT_DOUBLE_EQ(Prop(form, "Ext").AsDouble(), 1.5);
  EXPECT_EQ(Prop(form, "Ext").bytes.size(), 10u);
  EXPECT_DOUBLE_EQ(Prop(form, "Sgl").AsDouble(), 1.5);
  EXPECT_DOUBLE_EQ(Prop(form, "Dbl").AsDouble(), 1.5);
  EXPECT_DOUBLE_EQ(Prop(form, "Dat").AsDouble(), 2.0);
  EXPECT_DOUBLE_EQ(Prop(form, "Cur").AsDouble(), -12.3456);
  EXPECT_EQ(Prop(form, "Str").text, "it's");
  EXPECT_EQ(Prop(form, "Ident").type, FormValueType::Ident);
  EXPECT_EQ(Prop(form, "Ident").text, "clBtnFace");
  EXPECT_FALSE(Prop(form, "F").AsBoolean());
  EXPECT_TRUE(Prop(form, "T").AsBoolean());
  EXPECT_EQ(Prop(form, "Nil").type, FormValueType::Nil);
  EXPECT_EQ(Prop(form, "Nul").type, FormValueType::Null);
  EXPECT_EQ(Prop(form, "Bin").bytes, (std::vector<uint8_t>{0, 0xAB, 0xFF}));
  EXPECT_EQ(Prop(form, "Set").set, (std::vector<std::string>{"fsBold", "fsItalic"}));
  EXPECT_EQ(Prop(form, "LStr").type, FormValueType::LString);
  EXPECT_EQ(Prop(form, "LStr").text, "\xE9z");
  EXPECT_EQ(Prop(form, "U8").text, "\xC3\xA9");
  EXPECT_EQ(Prop(form, "Hint").wide, u"\u5DE6\u952E");
  EXPECT_EQ(Prop(form, "Hint").offset, all.wideAt);

  const FormValue& list = Prop(form, "List");
  ASSERT_EQ(list.items.size(), 2u);
  EXPECT_EQ(list.items[0].integer, 1);
  ASSERT_EQ(list.items[1].items.size(), 1u);
  EXPECT_EQ(list.items[1].items[0].type, FormValueType::True);

  const FormValue& cols = Prop(form, "Cols");
  EXPECT_EQ(cols.offset, all.collectionAt);
  ASSERT_EQ(cols.collection.size(), 2u);
  EXPECT_FALSE(cols.collection[0].index.has_value());
  EXPECT_EQ(cols.collection[1].index, 3);
  EXPECT_EQ(cols.collection[1].properties.at(0).value.integer, 6);

  ASSERT_EQ(form.children.size(), 1u);
  const FormObject& child = form.children[0];
  EXPECT_EQ(child.flags, ffInherited | ffChildPos);
  EXPECT_EQ(child.childPosition, 2);
  EXPECT_EQ(child.className, "TButton");
  EXPECT_EQ(child.offset, all.childAt);
}

TEST(FormStreamWrite, ReproducesTheBytesItRead) {
  AllTypes all;
  EXPECT_EQ(WriteFormStream(ReadFormStream(all.b.data)), all.b.data);
}

TEST(FormStreamRead, AcceptsTheResourceHeader) {
  AllTypes all;
  Bytes withHeader;
  withHeader.U8(0xFF).U16(10).Raw("TFORM1").U8(0).U16(0x1030).U32(static_cast<uint32_t>(all.b.Size()));
  size_t headerSize = withHeader.Size();
  withHeader.data.insert(withHeader.data.end(), all.b.data.begin(), all.b.data.end());
  FormObject form = ReadFormStream(withHeader.data);
  EXPECT_EQ(form.name, "Form1");
  EXPECT_EQ(Prop(form, "Hint").offset, headerSize + all.wideAt);  // offsets count from the buffer's start

  Bytes wrongType;
  wrongType.U8(0xFF).U16(6).Raw("X").U8(0).U16(0).U32(0);
  EXPECT_EQ(ReadError(wrongType.data), "Invalid form stream: resource type 6 (expected 10) at offset 1");

  // The size in the header bounds the stream even when more bytes follow.
  Bytes shortSize = withHeader;
  shortSize.data[headerSize - 4] = 10;
  shortSize.data[headerSize - 3] = 0;
  EXPECT_EQ(ReadError(shortSize.data), "Invalid form stream: class name length 6 runs past the end of the data "
                                       "(5 bytes left) at offset " + std::to_string(headerSize + 4));

  Bytes tooLong = withHeader;
  tooLong.data[headerSize - 1] = 0x7F;
  EXPECT_NE(ReadError(tooLong.data).find("resource length 2130706" ), std::string::npos);

  Bytes unterminated;
  unterminated.U8(0xFF).U16(10).Raw("TFORM1");
  EXPECT_EQ(ReadError(unterminated.data), "Invalid form stream: unterminated resource name at offset 3");
}

TEST(FormStreamRead, ErrorsNameWhatWhereAndWhose) {
  EXPECT_EQ(ReadError(Bytes().Raw("TPF1").data), "Invalid form stream: bad signature \"TPF1\", expected \"TPF0\" at offset 0");
  EXPECT_NE(ReadError(Bytes().Raw("TP").data).find("at offset 0"), std::string::npos);

  Bytes unknown;
  unknown.Raw("TPF0").Short("TForm1").Short("Form1").U8(0).Short("TSkinButton").Short("BtnStart").Short("Font.Height");
  size_t typeAt = unknown.Size();
  unknown.U8(31);
  EXPECT_EQ(ReadError(unknown.data), "Invalid form stream: unknown value type 31 at offset " + std::to_string(typeAt) +
                                         " (property \"Font.Height\" of object \"BtnStart\")");

  Bytes binary;
  binary.Raw("TPF0").Short("TForm1").Short("Form1").Short("Data").Type(FormValueType::Binary);
  size_t lengthAt = binary.Size();
  binary.U32(0xFFFFFFF0).U8(1);
  EXPECT_EQ(ReadError(binary.data), "Invalid form stream: binary length 4294967280 runs past the end of the data "
                                    "(1 bytes left) at offset " + std::to_string(lengthAt) +
                                        " (property \"Data\" of object \"Form1\")");

  Bytes wide;
  wide.Raw("TPF0").Short("T").Short("").Short("W").Type(FormValueType::WString).U32(0x80000000).U16(65);
  EXPECT_NE(ReadError(wide.data).find("wide string length 2147483648 runs past the end"), std::string::npos);

  Bytes flags;
  flags.Raw("TPF0").U8(0xF8).Short("T").Short("").U8(0).U8(0);
  EXPECT_EQ(ReadError(flags.data), "Invalid form stream: unknown object flags 8 at offset 4");

  Bytes emptyClass;
  emptyClass.Raw("TPF0").U8(0).U8(0);
  EXPECT_EQ(ReadError(emptyClass.data), "Invalid form stream: empty class name at offset 4");

  // An identifier of no characters: nothing could print it or assign it.
  Bytes emptyIdent;
  emptyIdent.Raw("TPF0").Short("T").Short("X").Short("Color");
  const size_t identAt = emptyIdent.Size();
  emptyIdent.Type(FormValueType::Ident).Short("").U8(0).U8(0);
  EXPECT_EQ(ReadError(emptyIdent.data), "Invalid form stream: empty identifier at offset " + std::to_string(identAt) +
                                            " (property \"Color\" of object \"X\")");

  Bytes badItem;
  badItem.Raw("TPF0").Short("T").Short("X").Short("C").Type(FormValueType::Collection).Type(FormValueType::String);
  EXPECT_NE(ReadError(badItem.data).find("expected a collection item, found value type 6 at offset 11"), std::string::npos);
}

TEST(FormStreamRead, EveryTruncationIsAnErrorNotAnOverread) {
  AllTypes all;
  for (size_t length = 0; length < all.b.Size(); ++length) {
    std::vector<uint8_t> cut(all.b.data.begin(), all.b.data.begin() + static_cast<ptrdiff_t>(length));
    EXPECT_THROW(ReadFormStream(cut), EFormError) << "length " << length;
  }
}

TEST(FormStreamRead, BoundsNesting) {
  Bytes deep;
  deep.Raw("TPF0").Short("T").Short("X").Short("L");
  for (int i = 0; i < kMaxFormNesting + 1; ++i) deep.Type(FormValueType::List);
  EXPECT_NE(ReadError(deep.data).find("nesting deeper than 100 levels"), std::string::npos);

  Bytes objects;
  objects.Raw("TPF0");
  for (int i = 0; i < kMaxFormNesting + 1; ++i) objects.Short("T").Short("").U8(0);
  EXPECT_NE(ReadError(objects.data).find("nesting deeper"), std::string::npos);

  Bytes fine;
  fine.Raw("TPF0").Short("T").Short("X").Short("L");
  for (int i = 0; i < kMaxFormNesting - 1; ++i) fine.Type(FormValueType::List);
  for (int i = 0; i < kMaxFormNesting - 1; ++i) fine.U8(0);
  fine.U8(0).U8(0);
  EXPECT_NO_THROW(ReadFormStream(fine.data));
}

TEST(FormStreamWrite, RefusesTreesTheFormatCannotHold) {
  FormObject root;
  root.className = "TForm1";
  auto withValue = [&](FormValue value) {
    FormObject object = root;
    object.properties.push_back({"P", 0, std::move(value)});
    return object;
  };
  FormValue longString = Make(FormValueType::String);
  longString.text = std::string(256, 'x');
  EXPECT_NE(WriteError(withValue(longString)).find("longer than 255 bytes"), std::string::npos);

  FormValue tooBig = Make(FormValueType::Int8);
  tooBig.integer = 128;
  EXPECT_NE(WriteError(withValue(tooBig)).find("128 does not fit in Int8"), std::string::npos);

  FormValue nullInList = Make(FormValueType::List);
  nullInList.items.push_back(FormValue{});
  EXPECT_NE(WriteError(withValue(nullInList)).find("Null value inside a list"), std::string::npos);

  FormValue shortFloat = Make(FormValueType::Double);
  shortFloat.bytes = {1, 2};
  EXPECT_NE(WriteError(withValue(shortFloat)).find("Double value of 2 bytes"), std::string::npos);

  FormValue emptyElement = Make(FormValueType::Set);
  emptyElement.set = {""};
  EXPECT_NE(WriteError(withValue(emptyElement)).find("empty set element"), std::string::npos);

  FormObject unnamedProperty = root;
  unnamedProperty.properties.push_back({"", 0, Make(FormValueType::True)});
  EXPECT_NE(WriteError(unnamedProperty).find("empty property name"), std::string::npos);

  FormObject noClass;
  EXPECT_NE(WriteError(noClass).find("empty class name"), std::string::npos);
}

TEST(FormStreamWrite, WritesChildPositionsAndIndexesMinimally) {
  FormObject root;
  root.className = "T";
  FormObject child;
  child.className = "C";
  child.flags = ffChildPos | ffInline;
  child.childPosition = 300;
  root.children.push_back(child);
  Bytes expected;
  expected.Raw("TPF0").Short("T").Short("").U8(0);
  expected.U8(0xF6).Type(FormValueType::Int16).U16(300).Short("C").Short("").U8(0).U8(0);
  expected.U8(0);
  EXPECT_EQ(WriteFormStream(root), expected.data);
}

TEST(FormStreamWrite, LongClassNamesReadBackAsNamesNotFlags) {
  FormObject root;
  root.className = "T";
  for (size_t length : {239, 240, 255}) {
    FormObject child;
    child.className = std::string(length, 'C');
    child.name = "Child";
    root.children.push_back(child);
  }
  const FormObject reread = ReadFormStream(WriteFormStream(root));
  ASSERT_EQ(reread.children.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(reread.children[i].className, root.children[i].className);
    EXPECT_EQ(reread.children[i].name, "Child");
    EXPECT_EQ(reread.children[i].flags, 0);
  }
}

TEST(FormValueHelpers, NameTheTypeFoundWhenMisread) {
  FormValue ident = Make(FormValueType::Ident);
  ident.offset = 42;
  ident.text = "x";
  try {
    ident.AsInteger();
    FAIL();
  } catch (const EFormError& error) {
    EXPECT_STREQ(error.what(), "Invalid form value: expected an integer but found Ident at offset 42");
  }
  EXPECT_THROW(ident.AsBoolean(), EFormError);
  EXPECT_THROW(ident.AsDouble(), EFormError);

  FormValue tiny = Make(FormValueType::Extended);
  tiny.bytes = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // smallest denormal
  EXPECT_EQ(tiny.AsDouble(), 0.0);  // below double's range, but no garbage
  FormValue negativeInfinity = Make(FormValueType::Extended);
  negativeInfinity.bytes = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF};
  EXPECT_EQ(negativeInfinity.AsDouble(), -HUGE_VAL);

  EXPECT_EQ(SmallestIntegerType(-129), FormValueType::Int16);
  EXPECT_EQ(SmallestIntegerType(32768), FormValueType::Int32);
  EXPECT_EQ(SmallestIntegerType(-2147483649LL), FormValueType::Int64);
}

}  // namespace
