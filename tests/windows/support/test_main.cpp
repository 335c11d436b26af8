// Entry of every Windows test program: the add-in's objects are linked in,
// so the program's own module stands for the add-in module (its icons are
// linked in as well). Every test runs with a watch for message boxes it did
// not expect, and a fault ends the program at once, naming the test: Wine
// would otherwise start its debugger and keep the suite waiting to its limit.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/windows/support/message_box.h"

namespace {

class UnexpectedBoxWatch : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { WatchForUnexpectedMessageBoxes(true); }
  void OnTestEnd(const testing::TestInfo&) override { WatchForUnexpectedMessageBoxes(false); }
};

LONG WINAPI EndAtAFault(EXCEPTION_POINTERS* fault) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::fprintf(stderr, "fault %08lx at %p in %s.%s\n", fault->ExceptionRecord->ExceptionCode,
               fault->ExceptionRecord->ExceptionAddress, test != nullptr ? test->test_suite_name() : "",
               test != nullptr ? test->name() : "");
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(EndAtAFault);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new UnexpectedBoxWatch);
  return RUN_ALL_TESTS();
}
