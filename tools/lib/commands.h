// The commands of tarnwick-lib. Each takes the arguments after its own name
// and returns the exit status; errors are raised as tw::GameError and shown
// by main with status 1.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw::lib {

using Args = std::vector<std::string>;

int List(const Args& args);
int Find(const Args& args);
int Pixel(const Args& args);
int Extract(const Args& args);
int Pack(const Args& args);  // builds a library from a manifest (pack.cpp)

// A whole number written in decimal; anything else raises "'TEXT' is not a
// number".
int32_t ParseNumber(const std::string& text);

}  // namespace tw::lib
