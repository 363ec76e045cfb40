// The cases of the run-control test: for each program, each function with source, where the
// test stops in it and what the C code has computed there. Expected values are worked out by
// hand from the programs' C text (examples/demo, examples/blinky, tests/programs/runctl).
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace yav::test {

// Whether the debugger must know a value, or may report it not known: a value held in a
// register that the code has reused, or one that the function's own code has not stored yet
// where the debug information places it.
enum class Need : uint8_t { Known, MayBeUnknown };

struct ExpectedValue {
  unsigned frame;          // 0 innermost
  const char* expression;  // evaluated with that frame selected
  int32_t value;
  Need need = Need::Known;
};

struct RunCase {
  const char* program;
  const char* function;
  unsigned hit = 1;                  // the passage the breakpoint stops at
  std::vector<const char*> prelude = {};  // commands run after reset, before the breakpoint is set
  std::vector<ExpectedValue> atStop = {};
  bool returns = true;      // `finish` can end: the function returns (main never does)
  bool steppedInto = true;  // a step from the caller's line enters it (not for interrupts and main)
  std::vector<ExpectedValue> afterFinish = {};
};

const std::vector<RunCase>& runCases();
std::vector<RunCase> returningCases();
std::vector<RunCase> steppedIntoCases();
void PrintTo(const RunCase& c, std::ostream* os);

// Where the build puts a program: "examples/demo" for "demo".
struct ProgramPlace {
  const char* program;
  const char* folder;
};
const ProgramPlace& programPlace(const std::string& program);

// The ways to name a function's entry for `b`.
enum class BreakKind : uint8_t { Symbol, EntryLine, HeaderLine, Address };
inline constexpr BreakKind kBreakKinds[] = {BreakKind::Symbol, BreakKind::EntryLine, BreakKind::HeaderLine,
                                            BreakKind::Address};
const char* breakKindName(BreakKind kind);
inline void PrintTo(BreakKind kind, std::ostream* os) { *os << breakKindName(kind); }
// `b FUNC`, `b /e FUNC()`, `b FILE:HEADERLINE` or `b @ADDRESS`, with `/C:hit` past the first.
std::string breakCommand(BreakKind kind, const std::string& function, const std::string& file, uint32_t headerLine,
                         uint16_t entry, unsigned hit);

}  // namespace yav::test
