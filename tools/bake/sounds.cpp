// sound.dxw and music.dxw.
#include "bake/bake.h"
#include "bake/sound_effects.h"
#include "core/files.h"

namespace tw::bake {

void BakeSounds(const BakeContext& ctx) {
  WriteBytes(JoinPath(ctx.out, "sound.dxw"), WriteSoundLibrary(MakeEffects()));
  WriteBytes(JoinPath(ctx.out, "music.dxw"), WriteSoundLibrary(MakeMusic()));
}

}  // namespace tw::bake
