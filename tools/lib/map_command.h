// tarnwick-lib map FILE.iso: prints a lake map's header, its water count and
// its placed objects, one tab-separated line each; with --text the map's
// whole text form, and `map --from-text FILE.txt OUT.iso` writes a map from
// its text form.
#pragma once
#include "lib/commands.h"

namespace tw::lib {

int Map(const Args& args);

}  // namespace tw::lib
