// The library container: the file format shared by sprite libraries (".dxg")
// and sound libraries (".dxw"). A small resource head, then an object stream
// of named, typed properties; the items of a library are the "List"
// collection. This reader is generic: the libraries pick out what they need.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"

namespace tw {

// The type byte in front of every value of the object stream.
enum class ValueType : uint8_t {
  Null = 0,  // ends a list
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,  // 10-byte float
  String = 6,    // one length byte
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,  // 4-byte length
  Set = 11,
  LString = 12,  // 4-byte length
  Nil = 13,
  Collection = 14,
  Single = 15,
  Currency = 16,
  Date = 17,
  WString = 18,  // 4-byte count of 16-bit characters
  Int64 = 19,
};

struct ContainerProperty;
// One item of a collection: its properties in file order.
using ContainerItem = std::vector<ContainerProperty>;

struct ContainerValue {
  ValueType Type = ValueType::Nil;
  int64_t Integer = 0;                 // Int8 .. Int64; Currency in ten-thousandths
  double Float = 0;                    // Extended, Single, Date, and Currency as a number
  std::string Text;                    // String, Ident, LString, WString (as UTF-8)
  std::vector<uint8_t> Bytes;          // Binary
  std::vector<std::string> Names;      // Set: its identifiers
  std::vector<ContainerValue> Values;  // List: its values
  std::vector<ContainerItem> Items;    // Collection: its items
  std::vector<int64_t> Positions;      // Collection: the position written before each item, or -1

  bool IsInteger() const {
    return Type == ValueType::Int8 || Type == ValueType::Int16 || Type == ValueType::Int32 ||
           Type == ValueType::Int64;
  }
  bool IsBool() const { return Type == ValueType::False || Type == ValueType::True; }
  bool IsText() const {
    return Type == ValueType::String || Type == ValueType::LString || Type == ValueType::WString;
  }
};

struct ContainerProperty {
  std::string Name;  // dotted for a property of a property ("Picture.Data")
  ContainerValue Value;
};

struct Container {
  std::string ResourceName;  // the name in the file's head
  std::string ClassName;     // "TPictureCollectionComponent", "TWaveCollectionComponent"
  std::string ObjectName;
  std::vector<ContainerProperty> Properties;  // top level, in file order, "List" included
  std::vector<ContainerItem> Items;           // the "List" collection (empty when absent)
};

// Reads a whole container. Anything damaged, cut short or out of bounds
// raises "Invalid stream format"; nothing is allocated beyond what the bytes
// present can hold.
Container ReadContainer(std::span<const uint8_t> bytes);
// Reads the file at `path` ("Cannot open file PATH" when it cannot be read).
Container LoadContainer(const std::string& path);

// What a library file that cannot be read as one says: "Library file PATH
// is damaged: " and the reader's own words ("Invalid stream format").
GameError DamagedLibrary(const std::string& path, const GameError& why);

// Writes a container that ReadContainer reads back as it was. Collections
// come from ContainerValue::Items (with Positions when given).
std::vector<uint8_t> WriteContainer(const Container& container);

// The last property named `name` (letter case ignored), or nullptr.
const ContainerValue* FindProperty(const std::vector<ContainerProperty>& props,
                                   std::string_view name);

// Typed readings of a property value; a value of another type raises
// "Invalid property value".
int32_t PropertyInteger(const ContainerValue& v);
bool PropertyBool(const ContainerValue& v);
std::string PropertyString(const ContainerValue& v);
// A colour: an integer 0x00BBGGRR or a colour identifier ("clFuchsia").
uint32_t PropertyColor(const ContainerValue& v);

// The colour an identifier names ("clRed" is 0x0000FF), letter case ignored;
// nothing for an unknown name.
std::optional<uint32_t> IdentToColor(std::string_view ident);

// Letter case folded the way names are compared (ASCII and Latin-1 letters).
char FoldCase(char c);
bool SameName(std::string_view a, std::string_view b);

}  // namespace tw
