// A folder of the running test's own holding its settings file (YAV_INI points there), removed
// when the test ends: no test reads or writes a settings file it does not own.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace yav::test {

class TempSettings {
 public:
  explicit TempSettings(const std::string& prefix) {
    dir = std::filesystem::temp_directory_path() /
          (prefix + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ::setenv("YAV_INI", (dir / "YAVKT55R.INI").c_str(), 1);
  }
  ~TempSettings() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  TempSettings(const TempSettings&) = delete;
  TempSettings& operator=(const TempSettings&) = delete;

  std::filesystem::path dir;
};

}  // namespace yav::test
