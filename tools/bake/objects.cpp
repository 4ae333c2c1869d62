// objects.dxg: every picture and font the play field draws.
#include "bake/art.h"
#include "bake/bake.h"
#include "core/files.h"

namespace tw::bake {

void BakeObjects(const BakeContext& ctx) {
  LibraryBuilder lib;
  AddBoats(lib);
  AddCreatures(lib);
  AddDashboard(lib);
  AddSpriteFonts(lib);
  lib.Write(JoinPath(ctx.out, "objects.dxg"));
  if (!ctx.preview.empty()) lib.WritePreview(JoinPath(ctx.preview, "objects.png"), "objects.dxg");
}

}  // namespace tw::bake
