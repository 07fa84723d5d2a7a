// The entry of every test program: GoogleTest's own, except that a run which selected no test
// fails. The suites run on other screens pick their tests by name; a name changed since would
// otherwise give a green run in which nothing was tested.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  if (status == 0 && !GTEST_FLAG_GET(list_tests) &&
      testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fprintf(stderr, "No test matches the filter \"%s\": nothing was tested.\n",
                 GTEST_FLAG_GET(filter).c_str());
    return 1;
  }
  return status;
}
