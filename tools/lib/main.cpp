// tarnwick-lib: the library inspector. Looks into the game's sprite and sound
// libraries; any error prints the game's message and exits with status 1.
#include <cstdio>
#include <exception>

#include "core/error.h"
#include "lib/commands.h"
#include "lib/map_command.h"

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const tw::lib::Args& args);
};

// One line per command.
constexpr Command kCommands[] = {
    {"list", "list FILE", tw::lib::List},
    {"find", "find FILE NAME", tw::lib::Find},
    {"pixel", "pixel FILE NAME FRAME X Y", tw::lib::Pixel},
    {"extract", "extract FILE NAME OUT", tw::lib::Extract},
    {"pack", "pack MANIFEST OUT", tw::lib::Pack},
    {"map", "map FILE.iso [--text] | map --from-text FILE.txt OUT.iso", tw::lib::Map},
};

int Usage() {
  std::fprintf(stderr, "Usage:\n");
  for (const auto& c : kCommands) std::fprintf(stderr, "  tarnwick-lib %s\n", c.usage);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  std::string name = argv[1];
  for (const auto& c : kCommands) {
    if (name != c.name) continue;
    try {
      return c.run(tw::lib::Args(argv + 2, argv + argc));
    } catch (const tw::GameError& e) {
      std::fprintf(stderr, "%s\n", e.what());
    } catch (const std::bad_alloc&) {
      std::fprintf(stderr, "Out of memory\n");
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
  }
  std::fprintf(stderr, "Unknown command '%s'\n", name.c_str());
  return Usage();
}
