#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/dispatcher.h"
#include "support/fake_target_port.h"
#include "engine/kernel.h"
#include "support/fake_ui_port.h"

namespace yav {
namespace {

// The converted demo program, built beside the tests.
std::string demoPath() {
  std::error_code ec;
  const auto exeDir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
  for (const auto& p : {exeDir / "examples/demo/demo.s08", std::filesystem::path("../examples/demo/demo.s08")}) {
    if (std::filesystem::exists(p)) return std::filesystem::absolute(p).string();
  }
  return {};
}

struct RecordingDownloader : CodeDownloader {
  int begins = 0, ends = 0;
  std::vector<std::pair<uint32_t, size_t>> blocks;
  bool begin() override { return ++begins; }
  bool block(const uint8_t*, uint32_t a, size_t n, uint32_t, uint8_t) override {
    blocks.emplace_back(a, n);
    return true;
  }
  void end() override { ++ends; }
};

class LoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    demo = demoPath();
    if (demo.empty()) GTEST_SKIP() << "demo program not built (sdcc missing)";
    k.cmdfile.inputMark = true;  // errors go to the output
  }
  std::string run(const std::string& line) {
    ui.out.clear();
    docmd(k, line.c_str(), 1);
    return ui.out;
  }
  test::FakeUiPort ui;
  Kernel k{ui};
  std::string demo;
};

TEST_F(LoadTest, LoadsTheDemoAndListsItsFilesAndFunctions) {
  RecordingDownloader dl;
  k.target = std::make_unique<test::FakeTargetPort>(nullptr, &dl);
  const std::string out = run("load " + demo);
  EXPECT_NE(out.find("    T: 0x2080 ("), std::string::npos) << out;
  EXPECT_NE(out.find("entry point at 0x2080"), std::string::npos);
  EXPECT_EQ(dl.begins, 1);
  EXPECT_EQ(dl.ends, 1);
  ASSERT_FALSE(dl.blocks.empty());
  EXPECT_EQ(dl.blocks.front().first, 0x2080u);
  EXPECT_TRUE(k.debugInfoLoaded);
  EXPECT_EQ(run("files"), "          console.c\n          main.c\n          mathx.c\n          shapes.c\n");
  const std::string funcs = run("funcs main.c");
  EXPECT_NE(funcs.find("Functions in file: main.c\n (off)  fill_table() at 0x"), std::string::npos) << funcs;
  // The same-named static and global live in their own files' outer scopes.
  const SymbolTables& t = k.prog.program->tables;
  const SymbolEntry* mainCount = t.findFile("main.c")->outerScope()->findLocal("count");
  const SymbolEntry* consoleCount = t.findFile("console.c")->outerScope()->findLocal("count");
  ASSERT_TRUE(mainCount && consoleCount);
  EXPECT_NE(mainCount->value, consoleCount->value);
  EXPECT_EQ(t.findGlobal("count"), consoleCount);  // console.c sorts first
  // The recursive function keeps its temporaries on the stack; shapes carry their enum.
  const FunctionEntry* shapesPerimeter = t.findFunction("shapes_perimeter");
  ASSERT_NE(shapesPerimeter, nullptr);
  EXPECT_EQ(shapesPerimeter->argumentCount, 1);
  const SymbolEntry* lastColor = t.findFile("shapes.c")->outerScope()->findLocal("last_color");
  ASSERT_NE(lastColor, nullptr);
  EXPECT_TRUE(isEnumCode(baseCode(lastColor->type)));
  const AggregateDescriptor* colors = aggregateOf(lastColor->aux);
  ASSERT_NE(colors, nullptr);
  EXPECT_EQ(colors->members.size(), 3u);
  EXPECT_EQ(colors->members[2].name, "BLUE");
  EXPECT_EQ(colors->members[2].value, 5);
  // Per-step lookups on real code.
  const FunctionEntry* mainFn = t.findFunction("main");
  ASSERT_NE(mainFn, nullptr);
  EXPECT_EQ(t.functionAt(mainFn->address() + 3), mainFn);
  EXPECT_NE(t.lineAt(mainFn->address() + 3), nullptr);
}

TEST_F(LoadTest, SymbolsOnlyDownloadsNothing) {
  RecordingDownloader dl;
  k.target = std::make_unique<test::FakeTargetPort>(nullptr, &dl);
  run("load /S " + demo);
  EXPECT_TRUE(dl.blocks.empty());
  EXPECT_TRUE(k.debugInfoLoaded);
}

TEST_F(LoadTest, BrokenFilesLeaveThePreviousProgram) {
  run("load " + demo);
  std::ifstream in(demo, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string bad = testing::TempDir() + "broken.s08";
  for (size_t cut : {size_t(10), bytes.size() / 2, bytes.size() - 40}) {
    std::ofstream(bad, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(cut));
    run("load " + bad);
    EXPECT_EQ(run("files"), "          console.c\n          main.c\n          mathx.c\n          shapes.c\n") << cut;
  }
  std::ofstream(bad, std::ios::binary | std::ios::trunc) << "\xC2old";
  EXPECT_EQ(run("load " + bad), "#error: Unsupported Old V3 format \n");
  EXPECT_TRUE(k.debugInfoLoaded);
}

TEST_F(LoadTest, EntryPointRules) {
  EXPECT_NE(run("load /O:main " + demo).find("entry point at 0x20cc"), std::string::npos);
  EXPECT_NE(run("load /O:0x20a6 " + demo).find("entry point at 0x20a6"), std::string::npos);
  EXPECT_EQ(k.prog.entryPoint, 0x20a6u);
  const std::string out = run("load /O:nosuch " + demo);
  EXPECT_NE(out.find("#error: invalid entry point nosuch"), std::string::npos);
  EXPECT_EQ(k.prog.entryPoint, 0x20a6u);  // the load was abandoned
}

}  // namespace
}  // namespace yav
