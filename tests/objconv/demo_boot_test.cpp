// The demo program as the build makes it for the QE128: from reset it reaches main with its
// stack in RAM and prints its banner and its first results on the console port.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "sim/cpu.h"
#include "sim/debug/debug_memory.h"
#include "sim/image_loader.h"

namespace {

using namespace yav::sim;

const std::string kDemo = YAV_DEMO_DIR;

// The address of a global symbol in the linker's map ("C:   000020CC  _main ...").
std::optional<uint16_t> mapSymbol(const std::string& name) {
  std::ifstream f(kDemo + "/demo.map");
  const std::regex row("^\\s*(?:C:)?\\s*([0-9A-Fa-f]{4,8})\\s+" + name + "\\b.*");
  std::smatch m;
  for (std::string line; std::getline(f, line);)
    if (std::regex_match(line, m, row)) return static_cast<uint16_t>(std::stoul(m[1].str(), nullptr, 16));
  return std::nullopt;
}

TEST(DemoBoot, ReachesMainAndPrintsItsBannerOnTheQe128) {
  if (!std::filesystem::exists(kDemo + "/demo.s19")) GTEST_SKIP() << "the demo is built only when sdcc is installed";
  const ImageLoad image = load_image_file(kDemo + "/demo.s19");
  ASSERT_TRUE(image.ok) << image.error;
  const std::optional<uint16_t> main = mapSymbol("_main");
  ASSERT_TRUE(main);

  DebugMemory memory(make_chip("QE128"), ConsolePort{});
  for (const ImageBlock& b : image.blocks)
    for (size_t i = 0; i < b.bytes.size(); ++i) ASSERT_TRUE(memory.program(b.address + static_cast<uint32_t>(i), b.bytes[i]));
  Cpu cpu(memory);
  cpu.reset();
  ASSERT_EQ(cpu.run(100000, *main), StopReason::until) << "stopped at 0x" << std::hex << cpu.regs.pc;
  // The start-up code called into main: its return address lies on a stack in RAM.
  EXPECT_TRUE(memory.is_ram(cpu.regs.sp)) << std::hex << cpu.regs.sp;
  EXPECT_TRUE(memory.is_ram(static_cast<uint16_t>(cpu.regs.sp + 1)));

  // main prints "demo " and DEMO_VERSION (3), then per loop the perimeter and 5! = 120.
  for (int i = 0; i < 200 && std::count(memory.consoleOut.begin(), memory.consoleOut.end(), '\n') < 2; ++i) {
    ASSERT_EQ(cpu.run(10000), StopReason::max) << "stopped at 0x" << std::hex << cpu.regs.pc;
  }
  std::istringstream lines(memory.consoleOut);
  std::string banner, results;
  std::getline(lines, banner);
  std::getline(lines, results);
  EXPECT_EQ(banner, "demo 3");
  EXPECT_TRUE(std::regex_match(results, std::regex("[0-9]+ 120"))) << results;
}

}  // namespace
