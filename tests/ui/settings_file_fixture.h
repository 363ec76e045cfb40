// A settings file of the test's own: YAV_INI points at a fresh temporary file for each test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace yav::test {

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("yav-settings-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    std::filesystem::remove(path_);
    ::setenv("YAV_INI", path_.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove(path_); }

  // The whole file as written.
  std::string fileText() const {
    std::ifstream in(path_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Replaces the file with `text`.
  void writeFile(const std::string& text) const { std::ofstream(path_) << text; }

  std::filesystem::path path_;
};

}  // namespace yav::test
