// Placeholder until this part of the generator is written.
#include "bake/bake.h"

namespace tw::bake {
void BakeLakes(const BakeContext&) {}
}  // namespace tw::bake
