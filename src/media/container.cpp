// Reading and writing the library container: the resource head and the
// object stream of typed properties.
#include "media/container.h"

#include <cmath>
#include <cstring>

#include "core/byte_cursor.h"
#include "core/error.h"
#include "core/files.h"

namespace tw {
namespace {

// Lists and collections nest; a damaged file must not nest us off the stack.
constexpr int kMaxDepth = 32;
// The head's name must end within the first 79 bytes of the file.
constexpr size_t kHeadNameLimit = 79;

GameError InvalidPropertyValue() {
  return GameError("Invalid property value");
}

std::string ShortString(ByteCursor& in) {
  return in.String(in.U8());
}

// Extended floats: sign and 15-bit exponent, then a 64-bit mantissa whose
// top bit is the integer bit.
double ExtendedToDouble(std::span<const uint8_t> b) {
  uint64_t mantissa = 0;
  for (int i = 0; i < 8; ++i) mantissa |= static_cast<uint64_t>(b[i]) << (8 * i);
  int exponent = (b[8] | (b[9] << 8)) & 0x7FFF;
  bool negative = (b[9] & 0x80) != 0;
  double v;
  if (exponent == 0x7FFF) {
    v = (mantissa << 1) == 0 ? INFINITY : NAN;
  } else {
    v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  }
  return negative ? -v : v;
}

void DoubleToExtended(double v, uint8_t* out) {
  std::memset(out, 0, 10);
  bool negative = std::signbit(v);
  v = std::fabs(v);
  uint64_t mantissa = 0;
  int exponent = 0;
  if (std::isnan(v)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(v)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (v != 0) {
    int e = 0;
    double frac = std::frexp(v, &e);  // v = frac * 2^e, frac in [0.5, 1)
    mantissa = static_cast<uint64_t>(std::ldexp(frac, 64));
    exponent = e - 1 + 16383;
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  out[8] = static_cast<uint8_t>(exponent);
  out[9] = static_cast<uint8_t>((exponent >> 8) | (negative ? 0x80 : 0));
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string WideToUtf8(std::span<const uint8_t> b) {
  std::string out;
  size_t n = b.size() / 2;
  for (size_t i = 0; i < n; ++i) {
    uint32_t c = b[2 * i] | (b[2 * i + 1] << 8);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < n) {
      uint32_t low = b[2 * i + 2] | (b[2 * i + 3] << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;  // a lone half of a pair
    AppendUtf8(out, c);
  }
  return out;
}

std::vector<uint16_t> Utf8ToWide(const std::string& s) {
  std::vector<uint16_t> out;
  for (size_t i = 0; i < s.size();) {
    uint8_t c = static_cast<uint8_t>(s[i]);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 6 && i + 1 < s.size()) {
      cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F), len = 2;
    } else if ((c >> 4) == 14 && i + 2 < s.size()) {
      cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F), len = 3;
    } else if ((c >> 3) == 30 && i + 3 < s.size()) {
      cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
           (s[i + 3] & 0x3F);
      len = 4;
    }
    i += len;
    if (cp >= 0x10000 && cp < 0x110000) {
      cp -= 0x10000;
      out.push_back(static_cast<uint16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<uint16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<uint16_t>(cp < 0x10000 ? cp : 0xFFFD));
    }
  }
  return out;
}

class StreamReader {
 public:
  explicit StreamReader(std::span<const uint8_t> bytes) : in_(bytes) {}
  ByteCursor& In() { return in_; }

  // Properties up to the zero byte that ends them.
  void ReadProperties(std::vector<ContainerProperty>& out, int depth) {
    while (true) {
      uint8_t len = in_.U8();
      if (len == 0) return;
      ContainerProperty p;
      p.Name = in_.String(len);
      p.Value = ReadValue(depth);
      out.push_back(std::move(p));
    }
  }

  ContainerValue ReadValue(int depth) {
    if (depth > kMaxDepth) throw InvalidStreamFormat();
    ContainerValue v;
    uint8_t type = in_.U8();
    if (type > static_cast<uint8_t>(ValueType::Int64)) throw InvalidStreamFormat();
    v.Type = static_cast<ValueType>(type);
    switch (v.Type) {
      case ValueType::Null:  // an end marker is not a value
        throw InvalidStreamFormat();
      case ValueType::List:
        while (in_.Rest().size() > 0 && in_.Rest()[0] != 0)
          v.Values.push_back(ReadValue(depth + 1));
        in_.U8();  // the end of the list (raises when the bytes ran out)
        break;
      case ValueType::Int8:
        v.Integer = in_.I8();
        break;
      case ValueType::Int16:
        v.Integer = in_.I16();
        break;
      case ValueType::Int32:
        v.Integer = in_.I32();
        break;
      case ValueType::Int64:
        v.Integer = in_.I64();
        break;
      case ValueType::Extended:
        v.Float = ExtendedToDouble(in_.Bytes(10));
        break;
      case ValueType::String:
      case ValueType::Ident:
        v.Text = ShortString(in_);
        break;
      case ValueType::False:
      case ValueType::True:
      case ValueType::Nil:
        break;
      case ValueType::Binary: {
        auto b = in_.Bytes(in_.U32());
        v.Bytes.assign(b.begin(), b.end());
        break;
      }
      case ValueType::Set:
        while (true) {
          std::string name = ShortString(in_);
          if (name.empty()) break;
          v.Names.push_back(std::move(name));
        }
        break;
      case ValueType::LString:
        v.Text = in_.String(in_.U32());
        break;
      case ValueType::WString: {
        uint64_t count = in_.U32();
        v.Text = WideToUtf8(in_.Bytes(static_cast<size_t>(count * 2)));
        break;
      }
      case ValueType::Collection:
        ReadCollection(v, depth);
        break;
      case ValueType::Single: {
        uint32_t bits = in_.U32();
        float f;
        std::memcpy(&f, &bits, 4);
        v.Float = f;
        break;
      }
      case ValueType::Currency:
        v.Integer = in_.I64();
        v.Float = static_cast<double>(v.Integer) / 10000.0;
        break;
      case ValueType::Date: {
        uint64_t bits = in_.U64();
        std::memcpy(&v.Float, &bits, 8);
        break;
      }
    }
    return v;
  }

 private:
  // Items until a zero byte; each may begin with its position (an integer),
  // then a list-start byte, its properties and a zero byte.
  void ReadCollection(ContainerValue& v, int depth) {
    while (true) {
      uint8_t next = in_.U8();
      if (next == 0) return;
      int64_t position = -1;
      if (next >= 2 && next <= 4) {
        position = next == 2 ? in_.I8() : next == 3 ? in_.I16() : in_.I32();
        next = in_.U8();
      }
      if (next != 1) throw InvalidStreamFormat();
      ContainerItem item;
      ReadProperties(item, depth + 1);
      v.Items.push_back(std::move(item));
      v.Positions.push_back(position);
    }
  }

  ByteCursor in_;
};

class StreamWriter {
 public:
  std::vector<uint8_t>& Out() { return out_; }
  void U8(uint8_t b) { out_.push_back(b); }
  void Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void Raw(const void* p, size_t n) {
    auto b = static_cast<const uint8_t*>(p);
    out_.insert(out_.end(), b, b + n);
  }
  void ShortString(const std::string& s) {
    if (s.size() > 255) throw GameError("Name too long: " + s.substr(0, 40) + "...");
    U8(static_cast<uint8_t>(s.size()));
    Raw(s.data(), s.size());
  }
  void Properties(const std::vector<ContainerProperty>& props) {
    for (const auto& p : props) {
      if (p.Name.empty()) throw GameError("A property needs a name");
      ShortString(p.Name);
      Value(p.Value);
    }
    U8(0);
  }
  void Value(const ContainerValue& v) {
    U8(static_cast<uint8_t>(v.Type));
    switch (v.Type) {
      case ValueType::Null:
        throw GameError("A property needs a value");
      case ValueType::List:
        for (const auto& e : v.Values) Value(e);
        U8(0);
        break;
      case ValueType::Int8:
        Le(static_cast<uint64_t>(v.Integer), 1);
        break;
      case ValueType::Int16:
        Le(static_cast<uint64_t>(v.Integer), 2);
        break;
      case ValueType::Int32:
        Le(static_cast<uint64_t>(v.Integer), 4);
        break;
      case ValueType::Int64:
      case ValueType::Currency:
        Le(static_cast<uint64_t>(v.Integer), 8);
        break;
      case ValueType::Extended: {
        uint8_t b[10];
        DoubleToExtended(v.Float, b);
        Raw(b, 10);
        break;
      }
      case ValueType::String:
      case ValueType::Ident:
        ShortString(v.Text);
        break;
      case ValueType::False:
      case ValueType::True:
      case ValueType::Nil:
        break;
      case ValueType::Binary:
        Le(v.Bytes.size(), 4);
        Raw(v.Bytes.data(), v.Bytes.size());
        break;
      case ValueType::Set:
        for (const auto& n : v.Names) ShortString(n);
        U8(0);
        break;
      case ValueType::LString:
        Le(v.Text.size(), 4);
        Raw(v.Text.data(), v.Text.size());
        break;
      case ValueType::WString: {
        auto w = Utf8ToWide(v.Text);
        Le(w.size(), 4);
        for (uint16_t c : w) Le(c, 2);
        break;
      }
      case ValueType::Collection:
        for (size_t i = 0; i < v.Items.size(); ++i) {
          if (i < v.Positions.size() && v.Positions[i] >= 0) {
            U8(4);
            Le(static_cast<uint64_t>(v.Positions[i]), 4);
          }
          U8(1);
          Properties(v.Items[i]);
        }
        U8(0);
        break;
      case ValueType::Single: {
        float f = static_cast<float>(v.Float);
        Raw(&f, 4);
        break;
      }
      case ValueType::Date:
        Raw(&v.Float, 8);
        break;
    }
  }

 private:
  std::vector<uint8_t> out_;
};

struct NamedColor {
  const char* name;
  uint32_t color;  // 0x00BBGGRR
};

// The sixteen basic colours, then the desktop's colours as they look in the
// plain grey scheme the game was drawn for.
constexpr NamedColor kColors[] = {
    {"clBlack", 0x000000},         {"clMaroon", 0x000080},
    {"clGreen", 0x008000},         {"clOlive", 0x008080},
    {"clNavy", 0x800000},          {"clPurple", 0x800080},
    {"clTeal", 0x808000},          {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},        {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},          {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},          {"clWhite", 0xFFFFFF},
    {"clScrollBar", 0xC0C0C0},     {"clBackground", 0x808000},
    {"clActiveCaption", 0x800000}, {"clInactiveCaption", 0x808080},
    {"clMenu", 0xC0C0C0},          {"clWindow", 0xFFFFFF},
    {"clWindowFrame", 0x000000},   {"clMenuText", 0x000000},
    {"clWindowText", 0x000000},    {"clCaptionText", 0xFFFFFF},
    {"clActiveBorder", 0xC0C0C0},  {"clInactiveBorder", 0xC0C0C0},
    {"clAppWorkSpace", 0x808080},  {"clHighlight", 0x800000},
    {"clHighlightText", 0xFFFFFF}, {"clBtnFace", 0xC0C0C0},
    {"clBtnShadow", 0x808080},     {"clGrayText", 0x808080},
    {"clBtnText", 0x000000},       {"clInactiveCaptionText", 0xC0C0C0},
    {"clBtnHighlight", 0xFFFFFF},  {"cl3DDkShadow", 0x000000},
    {"cl3DLight", 0xDFDFDF},       {"clInfoText", 0x000000},
    {"clInfoBk", 0xE1FFFF},
};

}  // namespace

char FoldCase(char c) {
  auto u = static_cast<uint8_t>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
  // Latin-1 capitals, the multiplication sign excepted.
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
  return c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

Container ReadContainer(std::span<const uint8_t> bytes) {
  StreamReader reader(bytes);
  ByteCursor& in = reader.In();
  Container c;
  if (in.U8() != 0xFF || in.U16() != 10) throw InvalidStreamFormat();
  // The name ends with a zero byte inside the first 79 bytes.
  size_t end = 3;
  while (end < bytes.size() && end < kHeadNameLimit && bytes[end] != 0) ++end;
  if (end >= bytes.size() || end >= kHeadNameLimit) throw InvalidStreamFormat();
  c.ResourceName = in.String(end - 3);
  in.Skip(1 + 2 + 4);  // the zero, the flags and the length, which nothing needs
  if (in.String(4) != "TPF0") throw InvalidStreamFormat();
  c.ClassName = ShortString(in);
  c.ObjectName = ShortString(in);
  reader.ReadProperties(c.Properties, 0);
  if (in.U8() != 0) throw InvalidStreamFormat();  // a library has no child objects
  for (auto& p : c.Properties)
    if (SameName(p.Name, "List") && p.Value.Type == ValueType::Collection) c.Items = p.Value.Items;
  return c;
}

GameError DamagedLibrary(const std::string& path, const GameError& why) {
  return GameError("Library file " + path + " is damaged: " + why.what());
}

Container LoadContainer(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  try {
    return ReadContainer(bytes);
  } catch (const GameError& e) {
    throw DamagedLibrary(path, e);
  }
}

std::vector<uint8_t> WriteContainer(const Container& c) {
  StreamWriter w;
  w.U8(0xFF);
  w.Le(10, 2);
  if (c.ResourceName.size() + 4 > kHeadNameLimit || c.ResourceName.find('\0') != std::string::npos)
    throw GameError("Library name too long: " + c.ResourceName);
  w.Raw(c.ResourceName.data(), c.ResourceName.size());
  w.U8(0);
  w.Le(0x1030, 2);  // flags: a movable, discardable block
  size_t lengthAt = w.Out().size();
  w.Le(0, 4);
  size_t start = w.Out().size();
  w.Raw("TPF0", 4);
  w.ShortString(c.ClassName);
  w.ShortString(c.ObjectName);
  w.Properties(c.Properties);
  w.U8(0);
  uint64_t length = w.Out().size() - start;
  for (int i = 0; i < 4; ++i) w.Out()[lengthAt + i] = static_cast<uint8_t>(length >> (8 * i));
  return std::move(w.Out());
}

const ContainerValue* FindProperty(const std::vector<ContainerProperty>& props,
                                   std::string_view name) {
  const ContainerValue* found = nullptr;
  for (const auto& p : props)
    if (SameName(p.Name, name)) found = &p.Value;
  return found;
}

int32_t PropertyInteger(const ContainerValue& v) {
  if (!v.IsInteger() || v.Integer < INT32_MIN || v.Integer > INT32_MAX)
    throw InvalidPropertyValue();
  return static_cast<int32_t>(v.Integer);
}

bool PropertyBool(const ContainerValue& v) {
  if (!v.IsBool()) throw InvalidPropertyValue();
  return v.Type == ValueType::True;
}

std::string PropertyString(const ContainerValue& v) {
  if (!v.IsText()) throw InvalidPropertyValue();
  return v.Text;
}

uint32_t PropertyColor(const ContainerValue& v) {
  if (v.Type == ValueType::Ident) {
    if (auto c = IdentToColor(v.Text)) return *c;
    throw InvalidPropertyValue();
  }
  return static_cast<uint32_t>(PropertyInteger(v));
}

std::optional<uint32_t> IdentToColor(std::string_view ident) {
  for (const auto& c : kColors)
    if (SameName(c.name, ident)) return c.color;
  return std::nullopt;
}

}  // namespace tw
