// Collects the pictures of one sprite library, writes the library file and,
// for reviewers, a PNG contact sheet of every item and frame with its name.
#pragma once
#include <string>
#include <vector>

#include "bake/container_writer.h"
#include "media/picture.h"

namespace tw::bake {

struct LibraryPicture {
  std::string name;
  Picture picture;
  int32_t patternWidth = 0;  // 0 = the whole picture
  int32_t patternHeight = 0;
};

class LibraryBuilder {
 public:
  // Adds an item; a picture whose size is not a whole number of frames is
  // refused, so a drawing mistake cannot silently change a frame count.
  void Add(const std::string& name, Picture picture, int32_t patternWidth = 0,
           int32_t patternHeight = 0);
  const std::vector<LibraryPicture>& Items() const { return items_; }

  std::vector<uint8_t> Bytes() const;
  void Write(const std::string& path) const;
  // A contact sheet: every item with its name, frame count and frames, the
  // black key shown as slate grey, small frames doubled in size.
  void WritePreview(const std::string& pngPath, const std::string& title) const;

 private:
  std::vector<LibraryPicture> items_;
};

// Lays frames of equal size into one picture, `columns` to a row, so that
// frame k sits in row k / columns, column k % columns.
Picture FrameStrip(const std::vector<Picture>& frames, int32_t columns);

}  // namespace tw::bake
