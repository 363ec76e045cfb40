#include "ui/source_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/fake_ui_port.h"

namespace yav {
namespace {

namespace fs = std::filesystem;

class SourcePath : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("yav-srcpath-" + std::to_string(::getpid()));
    fs::create_directories(root / "one");
    fs::create_directories(root / "two");
    std::ofstream(root / "two" / "only.c") << "int x;\n";
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root;
  test::FakeUiPort ui;
  Kernel k{ui};
};

TEST_F(SourcePath, CandidatesDropOneTrailingSeparator) {
  EXPECT_EQ(sourceFileCandidates("/a/|/b", "m.c"), (std::vector<std::string>{"/a/m.c", "/b/m.c", "./m.c"}));
  EXPECT_EQ(sourceFileCandidates("", "m.c"), (std::vector<std::string>{"./m.c"}));
  EXPECT_EQ(sourceFileCandidates("||/a", "/abs/m.c"), (std::vector<std::string>{"/a//abs/m.c", "/abs/m.c"}));
}

TEST_F(SourcePath, FileOnlyInTheSecondDirectoryIsFoundThere) {
  k.cmdfile.sourcePath = (root / "one").string() + "/|" + (root / "two").string();
  EXPECT_EQ(findSourceFile(k, "only.c", true, nullptr), (root / "two" / "only.c").string());
  EXPECT_TRUE(ui.questions.empty());
}

TEST_F(SourcePath, MissingFileAsksToChangeThePathAndSearchesAgain) {
  k.cmdfile.sourcePath = (root / "one").string();
  int edits = 0;
  auto editor = [&] {
    ++edits;
    k.cmdfile.sourcePath += "|" + (root / "two").string();
  };
  EXPECT_EQ(findSourceFile(k, "only.c", true, editor), (root / "two" / "only.c").string());
  EXPECT_EQ(edits, 1);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0], "Error: Can't Open only.c\n Would you like to change the PATH ??");

  ui.answer = false;
  EXPECT_FALSE(findSourceFile(k, "gone.c", true, editor));
  EXPECT_EQ(edits, 1);
  EXPECT_FALSE(findSourceFile(k, "gone.c", false, editor));
  EXPECT_EQ(ui.questions.size(), 2u);
}

TEST_F(SourcePath, BatchModeReportsInsteadOfAsking) {
  k.batchMode = true;
  EXPECT_FALSE(findSourceFile(k, "gone.c", true, [] {}));
  EXPECT_TRUE(ui.questions.empty());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0], "Error: Can't Open gone.c");
}

}  // namespace
}  // namespace yav
