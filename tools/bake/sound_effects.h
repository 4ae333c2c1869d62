// The game's effects ("sound.dxw") and its music and ambience ("music.dxw"),
// synthesized from scratch.
#pragma once
#include <string>
#include <vector>

#include "bake/container_writer.h"

namespace tw::bake {

// The monster kinds the lakes may name; each has a sound of the same name.
const std::vector<std::string>& MonsterKinds();
// The tile libraries (lake styles); each has an ambient loop of the same name.
const std::vector<std::string>& LakeStyles();

std::vector<SoundItemSpec> MakeEffects();
std::vector<SoundItemSpec> MakeMusic();

}  // namespace tw::bake
