// Entry of every Windows test program: the add-in's objects are linked in,
// so the program's own module stands for the add-in module (its icons are
// linked in as well). Every test runs with a watch for message boxes it did
// not expect.
#include <gtest/gtest.h>

#include "tests/windows/support/message_box.h"

namespace {

class UnexpectedBoxWatch : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { WatchForUnexpectedMessageBoxes(true); }
  void OnTestEnd(const testing::TestInfo&) override { WatchForUnexpectedMessageBoxes(false); }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new UnexpectedBoxWatch);
  return RUN_ALL_TESTS();
}
