#include "media/container.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/error.h"

namespace tw {
namespace {

// Builds container bytes by hand, so damaged files can be made on purpose.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& U8(uint8_t v) {
    b.push_back(v);
    return *this;
  }
  Bytes& Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Bytes& Str(const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Short(const std::string& s) { return U8(static_cast<uint8_t>(s.size())).Str(s); }
  Bytes& Head(const std::string& name = "OBJECTS") {
    return U8(0xFF).Le(10, 2).Str(name).U8(0).Le(0x1030, 2).Le(0, 4);
  }
  Bytes& Stream(const std::string& cls = "TPictureCollectionComponent") {
    return Str("TPF0").Short(cls).Short("");
  }
};

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  try {
    ReadContainer(bytes);
  } catch (const GameError& e) {
    return e.what();
  }
  return "";
}

TEST(Container, ReadsEveryValueType) {
  Bytes f;
  f.Head().Stream();
  f.Short("I8").U8(2).U8(0xFE);
  f.Short("I16").U8(3).Le(0x8000, 2);
  f.Short("I32").U8(4).Le(0x12345678, 4);
  f.Short("I64").U8(19).Le(0x123456789ull, 8);
  // 1.5 as a 10-byte float: mantissa 0xC000..., exponent 16383.
  f.Short("Ext").U8(5).Le(0xC000000000000000ull, 8).Le(16383, 2);
  f.Short("Str").U8(6).Short("boat1");
  f.Short("Id").U8(7).Short("clRed");
  f.Short("No").U8(8);
  f.Short("Yes").U8(9);
  f.Short("Bin").U8(10).Le(3, 4).U8(1).U8(2).U8(3);
  f.Short("Set").U8(11).Short("a").Short("bb").U8(0);
  f.Short("Long").U8(12).Le(4, 4).Str("lake");
  f.Short("Nil").U8(13);
  float single = 0.25f;
  uint32_t sbits;
  std::memcpy(&sbits, &single, 4);
  f.Short("Sgl").U8(15).Le(sbits, 4);
  f.Short("Cur").U8(16).Le(25000, 8);
  double date = 36526.5;
  uint64_t dbits;
  std::memcpy(&dbits, &date, 8);
  f.Short("Date").U8(17).Le(dbits, 8);
  f.Short("Wide").U8(18).Le(2, 4).Le(0x48, 2).Le(0xE9, 2);
  f.Short("Lst").U8(1).U8(2).U8(7).U8(6).Short("x").U8(0);
  f.U8(0).U8(0);

  Container c = ReadContainer(f.b);
  EXPECT_EQ(c.ResourceName, "OBJECTS");
  EXPECT_EQ(c.ClassName, "TPictureCollectionComponent");
  auto& p = c.Properties;
  ASSERT_EQ(p.size(), 18u);
  EXPECT_EQ(FindProperty(p, "i8")->Integer, -2);
  EXPECT_EQ(FindProperty(p, "I16")->Integer, -32768);
  EXPECT_EQ(FindProperty(p, "I32")->Integer, 0x12345678);
  EXPECT_EQ(FindProperty(p, "I64")->Integer, 0x123456789ll);
  EXPECT_DOUBLE_EQ(FindProperty(p, "Ext")->Float, 1.5);
  EXPECT_EQ(PropertyString(*FindProperty(p, "Str")), "boat1");
  EXPECT_EQ(PropertyColor(*FindProperty(p, "Id")), 0x0000FFu);
  EXPECT_FALSE(PropertyBool(*FindProperty(p, "No")));
  EXPECT_TRUE(PropertyBool(*FindProperty(p, "Yes")));
  EXPECT_EQ(FindProperty(p, "Bin")->Bytes, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(FindProperty(p, "Set")->Names, (std::vector<std::string>{"a", "bb"}));
  EXPECT_EQ(PropertyString(*FindProperty(p, "Long")), "lake");
  EXPECT_EQ(FindProperty(p, "Nil")->Type, ValueType::Nil);
  EXPECT_FLOAT_EQ(static_cast<float>(FindProperty(p, "Sgl")->Float), 0.25f);
  EXPECT_DOUBLE_EQ(FindProperty(p, "Cur")->Float, 2.5);
  EXPECT_DOUBLE_EQ(FindProperty(p, "Date")->Float, 36526.5);
  EXPECT_EQ(PropertyString(*FindProperty(p, "Wide")), "H\xC3\xA9");
  const auto* list = FindProperty(p, "Lst");
  ASSERT_EQ(list->Values.size(), 2u);
  EXPECT_EQ(list->Values[0].Integer, 7);
  EXPECT_EQ(list->Values[1].Text, "x");
  EXPECT_TRUE(c.Items.empty());
}

TEST(Container, CollectionItemsWithAndWithoutPositions) {
  Bytes f;
  f.Head().Stream();
  f.Short("List.ColorTable").U8(10).Le(4, 4).Le(0x01020304, 4);
  f.Short("List").U8(14);
  f.U8(1).Short("Name").U8(6).Short("boat1").Short("Picture.Data").U8(10).Le(0, 4).U8(0);
  f.U8(3).Le(7, 2).U8(1).Short("Name").U8(6).Short("boat2").U8(0);
  f.U8(1).U8(0);  // an item with no properties at all
  f.U8(0);        // end of the collection
  f.U8(0).U8(0);
  Container c = ReadContainer(f.b);
  ASSERT_EQ(c.Items.size(), 3u);
  EXPECT_EQ(PropertyString(*FindProperty(c.Items[0], "name")), "boat1");
  EXPECT_NE(FindProperty(c.Items[0], "Picture.Data"), nullptr);
  EXPECT_EQ(PropertyString(*FindProperty(c.Items[1], "Name")), "boat2");
  EXPECT_TRUE(c.Items[2].empty());
  const auto* list = FindProperty(c.Properties, "List");
  EXPECT_EQ(list->Positions, (std::vector<int64_t>{-1, 7, -1}));
  EXPECT_EQ(FindProperty(c.Properties, "List.ColorTable")->Bytes.size(), 4u);
}

TEST(Container, WriterOutputReadsBackTheSame) {
  Container c;
  c.ResourceName = "SOUND";
  c.ClassName = "TWaveCollectionComponent";
  ContainerValue list;
  list.Type = ValueType::Collection;
  ContainerValue name;
  name.Type = ValueType::String;
  name.Text = "cast";
  ContainerValue looped;
  looped.Type = ValueType::True;
  ContainerValue wave;
  wave.Type = ValueType::Binary;
  wave.Bytes = {9, 8, 7};
  ContainerValue ext;
  ext.Type = ValueType::Extended;
  ext.Float = -1234.0625;
  ContainerValue wide;
  wide.Type = ValueType::WString;
  wide.Text = "fi\xC3\xA9ld \xF0\x9F\x90\x9F";
  list.Items.push_back({{"Name", name}, {"Looped", looped}, {"Wave.WAVE", wave}});
  list.Items.push_back({{"Name", name}, {"X", ext}, {"W", wide}});
  list.Positions = {-1, 5};
  c.Properties.push_back({"List", list});
  Container back = ReadContainer(WriteContainer(c));
  EXPECT_EQ(back.ResourceName, "SOUND");
  EXPECT_EQ(back.ClassName, "TWaveCollectionComponent");
  ASSERT_EQ(back.Items.size(), 2u);
  EXPECT_TRUE(PropertyBool(*FindProperty(back.Items[0], "Looped")));
  EXPECT_EQ(FindProperty(back.Items[0], "Wave.WAVE")->Bytes, wave.Bytes);
  EXPECT_DOUBLE_EQ(FindProperty(back.Items[1], "X")->Float, -1234.0625);
  EXPECT_EQ(FindProperty(back.Items[1], "W")->Text, wide.Text);
  EXPECT_EQ(FindProperty(back.Properties, "List")->Positions, (std::vector<int64_t>{-1, 5}));
}

TEST(Container, ColorIdentifiersAndWrongTypes) {
  EXPECT_EQ(IdentToColor("clFuchsia"), 0xFF00FFu);
  EXPECT_EQ(IdentToColor("CLNAVY"), 0x800000u);
  EXPECT_EQ(IdentToColor("clOlive"), 0x008080u);
  EXPECT_TRUE(IdentToColor("clBtnFace").has_value());
  EXPECT_FALSE(IdentToColor("clPlaid").has_value());
  ContainerValue v;
  v.Type = ValueType::Ident;
  v.Text = "clPlaid";
  EXPECT_THROW(PropertyColor(v), GameError);
  v.Type = ValueType::Int32;
  v.Integer = 0x00FF00;
  EXPECT_EQ(PropertyColor(v), 0x00FF00u);
  EXPECT_THROW(PropertyBool(v), GameError);
  EXPECT_THROW(PropertyString(v), GameError);
  v.Type = ValueType::Int64;
  v.Integer = int64_t{1} << 40;
  EXPECT_THROW(PropertyInteger(v), GameError);
}

TEST(Container, DamagedFilesAreRefused) {
  auto good = [] {
    Bytes f;
    f.Head().Stream();
    f.Short("List").U8(14).U8(1).Short("Name").U8(6).Short("a").U8(0).U8(0);
    f.U8(0).U8(0);
    return f;
  };
  ASSERT_EQ(ErrorOf(good().b), "");
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"first byte", [&] {
                     auto f = good();
                     f.b[0] = 0xFE;
                     return f.b;
                   }()});
  cases.push_back({"resource type", [&] {
                     auto f = good();
                     f.b[1] = 11;
                     return f.b;
                   }()});
  cases.push_back({"name never ends", [] {
                     Bytes f;
                     f.U8(0xFF).Le(10, 2).Str(std::string(100, 'A')).U8(0);
                     return f.b;
                   }()});
  cases.push_back({"name ends at byte 79", [] {
                     Bytes f;
                     f.U8(0xFF).Le(10, 2).Str(std::string(76, 'A')).U8(0).Le(0, 6).Stream();
                     f.U8(0).U8(0);
                     return f.b;
                   }()});
  cases.push_back({"signature", [&] {
                     auto f = good();
                     f.b[17] = 'X';
                     return f.b;
                   }()});
  cases.push_back({"no child list", [&] {
                     auto f = good();
                     f.b.pop_back();
                     return f.b;
                   }()});
  cases.push_back({"unknown value type", [] {
                     Bytes f;
                     f.Head().Stream().Short("P").U8(20).U8(0).U8(0);
                     return f.b;
                   }()});
  cases.push_back({"end marker as value", [] {
                     Bytes f;
                     f.Head().Stream().Short("P").U8(0).U8(0).U8(0);
                     return f.b;
                   }()});
  cases.push_back({"binary longer than the file", [] {
                     Bytes f;
                     f.Head().Stream().Short("P").U8(10).Le(0xFFFFFFF0u, 4).Le(0, 8);
                     return f.b;
                   }()});
  cases.push_back({"wide string longer than the file", [] {
                     Bytes f;
                     f.Head().Stream().Short("P").U8(18).Le(0x80000000u, 4).Le(0, 8);
                     return f.b;
                   }()});
  cases.push_back({"long string longer than the file", [] {
                     Bytes f;
                     f.Head().Stream().Short("P").U8(12).Le(100, 4).Str("abc");
                     return f.b;
                   }()});
  cases.push_back({"item without its list start", [] {
                     Bytes f;
                     f.Head().Stream().Short("List").U8(14).U8(4).Le(1, 4).U8(6).U8(0).U8(0);
                     return f.b;
                   }()});
  cases.push_back({"collection never ends", [] {
                     Bytes f;
                     f.Head().Stream().Short("List").U8(14).U8(1).U8(0).U8(1);
                     return f.b;
                   }()});
  cases.push_back({"set never ends", [] {
                     Bytes f;
                     f.Head().Stream().Short("P").U8(11).Short("a");
                     return f.b;
                   }()});
  cases.push_back({"lists nested past any sense", [] {
                     Bytes f;
                     f.Head().Stream().Short("P");
                     for (int i = 0; i < 100000; ++i) f.U8(1);
                     return f.b;
                   }()});
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf(c.bytes), "Invalid stream format") << c.what;
    // Every shorter prefix of a damaged file fails the same way, never worse.
    for (size_t n = 0; n < std::min<size_t>(c.bytes.size(), 64); ++n)
      EXPECT_EQ(ErrorOf({c.bytes.begin(), c.bytes.begin() + n}), "Invalid stream format");
  }
  auto g = good().b;
  for (size_t n = 0; n < g.size(); ++n)
    EXPECT_EQ(ErrorOf({g.begin(), g.begin() + n}), "Invalid stream format") << n;
}

TEST(Container, MissingFileNamesThePath) {
  try {
    LoadContainer("/nonexistent/objects.dxg");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Cannot open file /nonexistent/objects.dxg");
  }
}

}  // namespace
}  // namespace tw
