#include "engine/source_text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/dispatcher.h"
#include "support/fake_ui_port.h"

namespace yav {
namespace {

// A file missing under the old path is found once `path` names its folder: the files read (and
// missed) so far are forgotten when the path changes.
TEST(SourceText, ChangedPathSearchesAgain) {
  const auto dir = std::filesystem::temp_directory_path() / ("yav-srctext-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "late.c") << "int first;\nint second;\n";
  test::FakeUiPort ui;
  Kernel k{ui};
  docmd(k, "path \"/nonexistent\"", 1);
  EXPECT_FALSE(sourceLineText(k, "late.c", 2));
  docmd(k, ("path \"" + dir.string() + "\"").c_str(), 1);
  EXPECT_EQ(sourceLineText(k, "late.c", 2).value_or("<none>"), "int second;");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace yav
