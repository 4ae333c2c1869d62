// A part of the program folder baked once for a test suite, into a folder of
// its own under the temporary folder that goes when the suite ends; and
// objects.dxg from such a folder, loaded as the play surface draws it.
#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

#include "bake/bake.h"
#include "media/image_list.h"

namespace tw::bake {

class BakedFolder {
 public:
  // `tag` keeps the folders of suites that run in one process apart.
  BakedFolder(const std::string& tag, void (*bake)(const BakeContext&))
      : dir_((std::filesystem::temp_directory_path() /
              ("tw-" + tag + "-" + std::to_string(::getpid())))
                 .string()) {
    std::filesystem::create_directories(dir_);
    bake(BakeContext(dir_));
  }
  ~BakedFolder() { std::filesystem::remove_all(dir_); }
  BakedFolder(const BakedFolder&) = delete;
  BakedFolder& operator=(const BakedFolder&) = delete;

  const std::string& Dir() const { return dir_; }

 private:
  std::string dir_;
};

class BakedObjects : public BakedFolder {
 public:
  explicit BakedObjects(const std::string& tag) : BakedFolder(tag, BakeObjects) {
    Library.LoadFromFile(Dir() + "/objects.dxg");
    Library.InitializeFrames(PixelFormat::RGB565);
  }
  TDXImageList Library;
};

}  // namespace tw::bake
