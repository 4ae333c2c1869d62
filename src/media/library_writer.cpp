// Library containers built from items: the class, resource and object names
// the loaders expect, and the colour table in front of a sprite library's list.
#include "media/library_writer.h"

#include <iterator>
#include <utility>

#include "core/error.h"

namespace tw {
namespace {

ContainerValue OfType(ValueType type) {
  ContainerValue c;
  c.Type = type;
  return c;
}

// The library's items as its "List" property; Items keeps them as a read
// container would.
Container LibraryContainer(const char* className, const char* resourceName, const char* objectName,
                           std::vector<ContainerProperty> head, std::vector<ContainerItem> items) {
  Container c;
  c.ClassName = className;
  c.ResourceName = resourceName;
  c.ObjectName = objectName;
  c.Properties = std::move(head);
  c.Items = items;
  ContainerValue list = OfType(ValueType::Collection);
  list.Items = std::move(items);
  c.Properties.push_back({"List", std::move(list)});
  return c;
}

}  // namespace

ContainerValue IntegerValue(int32_t v) {
  ContainerValue c = OfType(v >= -128 && v <= 127       ? ValueType::Int8
                            : v >= -32768 && v <= 32767 ? ValueType::Int16
                                                        : ValueType::Int32);
  c.Integer = v;
  return c;
}

ContainerValue BoolValue(bool v) {
  return OfType(v ? ValueType::True : ValueType::False);
}

ContainerValue TextValue(const std::string& s) {
  ContainerValue c = OfType(s.size() <= 255 ? ValueType::String : ValueType::LString);
  c.Text = s;
  return c;
}

ContainerValue BinaryValue(std::vector<uint8_t> bytes) {
  if (bytes.size() > 0x7FFFFFFF) throw GameError("Library item too large");
  ContainerValue c = OfType(ValueType::Binary);
  c.Bytes = std::move(bytes);
  return c;
}

ContainerValue PictureData(const std::vector<uint8_t>& bmpFile) {
  if (bmpFile.size() > 0x7FFFFFFF) throw GameError("Library item too large");
  static constexpr uint8_t kKind[] = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  std::vector<uint8_t> data;
  data.reserve(sizeof kKind + 4 + bmpFile.size());
  data.insert(data.end(), std::begin(kKind), std::end(kKind));
  const auto n = static_cast<uint32_t>(bmpFile.size());
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<uint8_t>(n >> (8 * i)));
  data.insert(data.end(), bmpFile.begin(), bmpFile.end());
  return BinaryValue(std::move(data));
}

std::vector<uint8_t> GreyColorTable() {
  std::vector<uint8_t> t(1024);
  for (int i = 0; i < 256; ++i) t[i * 4] = t[i * 4 + 1] = t[i * 4 + 2] = static_cast<uint8_t>(i);
  return t;
}

Container SpriteLibraryContainer(std::vector<ContainerItem> items,
                                 std::vector<uint8_t> colorTable) {
  if (colorTable.empty()) colorTable = GreyColorTable();
  if (colorTable.size() != 1024) throw GameError("A colour table holds 256 colours (1024 bytes)");
  std::vector<ContainerProperty> head;
  head.push_back({"List.ColorTable", BinaryValue(std::move(colorTable))});
  return LibraryContainer("TPictureCollectionComponent", "TPICTURECOLLECTIONCOMPONENT", "ImageList",
                          std::move(head), std::move(items));
}

Container SoundLibraryContainer(std::vector<ContainerItem> items) {
  return LibraryContainer("TWaveCollectionComponent", "TWAVECOLLECTIONCOMPONENT", "WaveList", {},
                          std::move(items));
}

}  // namespace tw
