// Entry of every Windows test program: the add-in's objects are linked in,
// so the program's own module stands for the add-in module (its icons are
// linked in as well).
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
