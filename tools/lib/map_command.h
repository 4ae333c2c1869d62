// tarnwick-lib map FILE.iso: prints a lake map's header, its water count and
// its placed objects, one tab-separated line each.
#pragma once
#include "lib/commands.h"

namespace tw::lib {

int Map(const Args& args);

}  // namespace tw::lib
