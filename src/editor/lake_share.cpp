#include "editor/lake_share.h"

#include "core/error.h"
#include "editor/lake_document.h"

namespace tw {

void ExportLake(const LakeFolders& lakes, const std::string& name, const std::string& folder) {
  if (const std::string fault = LakeNameFault(name); !fault.empty()) throw GameError(fault);
  LakeDocument::Open(lakes, name).Save(folder);
}

std::vector<std::string> ImportLakes(const std::string& folder, const std::string& playerLakes) {
  // The folder plays the part of a player's lakes folder: its catalogue or,
  // without one, its maps.
  const LakeFolders from{"", folder};
  const std::vector<std::string> names = ReadLakeCatalogue(from, 0);
  if (names.empty()) throw GameError("The folder " + folder + " holds no lake");
  std::vector<LakeDocument> docs;
  for (const std::string& name : names) {
    if (const std::string fault = LakeNameFault(name); !fault.empty())
      throw GameError(fault + " (" + name + ")");
    docs.push_back(LakeDocument::Open(from, name));
  }
  for (const LakeDocument& doc : docs) doc.Save(playerLakes);
  return names;
}

}  // namespace tw
