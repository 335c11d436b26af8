// What the build writes for the shipped catalogue (msgmod.py expected), one
// file per module beside the test programs: every entry's name, message
// number and the text the formatter must give back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Expected {
  std::string name;
  uint32_t number;
  std::string text;
};

// The entries of one module (its stem, "ML" ...), in the source's order.
std::vector<Expected> ReadExpected(const char* stem);
