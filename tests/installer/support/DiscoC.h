// A clean slate for tests that touch fixed paths in the root of drive C:.
//
// How it works: the fixture removes the known fixed paths, and any the test names with Traccia,
// before and after each test. Programs using it run one at a time (a ctest resource lock).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace talvo::test {

class DiscoC : public ::testing::Test {
 protected:
  // Paths in the root of C: that the installer and the components use as they stand.
  static const std::vector<std::string>& PercorsiFissi();

  void SetUp() override;
  void TearDown() override;

  // Another path for this test to leave as it found it (absent).
  void Traccia(const std::string& percorso);

 private:
  std::vector<std::string> tracciati_;
};

}  // namespace talvo::test
