#include "tests/windows/support/catalogue_expected.h"

#include <fstream>
#include <sstream>

#include "tests/windows/support/test_paths.h"

namespace {

std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

}  // namespace

// One line per entry: name, number and text in hex, separated by tabs.
std::vector<Expected> ReadExpected(const char* stem) {
  std::vector<Expected> entries;
  std::ifstream in(TestProgramFolder() + "catalogue\\" + stem + ".expected");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, number, hex;
    std::getline(fields, name, '\t');
    std::getline(fields, number, '\t');
    std::getline(fields, hex, '\t');
    entries.push_back({name, static_cast<uint32_t>(std::stoul(number, nullptr, 16)), FromHex(hex)});
  }
  return entries;
}
